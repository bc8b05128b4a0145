#include "membership_dates.h"

#include "date_format.h"

#include "engine/regional.h"

namespace zelk {

QString automaticJoinDate(const QVariant& yearStart, const QDate& today)
{
    const QString rule = yearStart.isNull() ? QString() : yearStart.toString();
    if (rule.isEmpty())
        return regional::formatShortDate(today);
    const QString s = GetDateSeparator();
    const QString yy = QStringLiteral("%1").arg(today.year() % 100, 2, 10, QLatin1Char('0'));
    if (rule.endsWith(u'/')) {
        const QString dd = rule.left(2);
        const QString mm = QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0'));
        if (GetDateFormat().left(1).toLower() == QLatin1String("m"))
            return mm + s + dd + s + yy;
        return dd + s + mm + s + yy;
    }
    return rule + s + yy;
}

QString automaticRenewalDate(const QString& joinText, const QVariant& yearEnd)
{
    const QString rule = yearEnd.isNull() ? QString() : yearEnd.toString();
    const auto join = regional::parseDate(joinText);
    if (!join || rule.isEmpty())
        return {};
    qsizetype digits = 0;
    while (digits < rule.size() && rule[digits].isDigit())
        ++digits;
    const int n = rule.left(digits).toInt();
    const QDate from = join->date();
    QDate renewal;
    switch (rule.back().toLower().unicode()) {
    case u'y': renewal = from.addYears(n); break;
    case u'm': renewal = from.addMonths(n); break;
    case u'd': renewal = from.addDays(n); break;
    default: return {};
    }
    return renewal.isValid() ? regional::formatShortDate(renewal) : QString();
}

} // namespace zelk
