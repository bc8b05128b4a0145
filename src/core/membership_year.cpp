#include "membership_year.h"

#include "date_format.h"
#include "text_rules.h"

#include "engine/regional.h"

#include <array>
#include <limits>

namespace zelk {

namespace {

QString storedText(const QVariant& stored)
{
    return stored.isNull() ? QString() : stored.toString();
}

bool numberFromTo(const QString& text, qint64 low, qint64 high)
{
    const auto n = wholeNumber(text);
    return n && *n >= low && *n <= high;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

YearStart YearStart::read(const QVariant& stored)
{
    const QString rule = storedText(stored);
    if (rule.isEmpty())
        return {};
    if (rule.endsWith(u'/'))
        return {Kind::DayOfMonth, rule.left(2)};
    return {Kind::DateInYear, rule};
}

QVariant YearStart::stored() const
{
    switch (kind) {
    case Kind::CurrentDate: return {};
    case Kind::DayOfMonth: return twoDigits(int(wholeNumber(text).value_or(0))) + u'/';
    case Kind::DateInYear: return text;
    }
    return {};
}

YearEnd YearEnd::read(const QVariant& stored)
{
    const QString rule = storedText(stored);
    if (rule.isEmpty())
        return {};
    Unit unit = Unit::Unknown;
    switch (rule.back().toLower().unicode()) {
    case u'y': unit = Unit::Years; break;
    case u'm': unit = Unit::Months; break;
    case u'd': unit = Unit::Days; break;
    default: return {};
    }
    return {unit, rule.chopped(1)};
}

QVariant YearEnd::stored() const
{
    switch (unit) {
    case Unit::Unknown: return {};
    case Unit::Years: return count + u'y';
    case Unit::Months: return count + u'm';
    case Unit::Days: return count + u'd';
    }
    return {};
}

bool isDayOfTheMonth(const QString& text)
{
    return numberFromTo(text, 1, 28);
}

bool isLength(const QString& text)
{
    return numberFromTo(text, 1, std::numeric_limits<qint64>::max());
}

std::optional<YearRuleProblem> dayAndMonthProblem(const QString& text, const QString& separator, bool dayFirst)
{
    const QString formatWrong = QStringLiteral("Date format wrong");
    const qsizetype at = text.indexOf(separator);
    if (at < 0)
        return YearRuleProblem{QStringLiteral("Please use ") + separator + QStringLiteral(" to separate the day and the month."),
                               formatWrong};
    if (at == 0)
        return YearRuleProblem{QStringLiteral("You can't start the date with ") + separator, formatWrong};
    if (at + separator.size() == text.size())
        return YearRuleProblem{QStringLiteral("You can't end the date with ") + separator, formatWrong};

    const QString before = text.left(at);
    const QString after = text.mid(at + separator.size());
    // Both parts must be whole numbers: "1/4/2026" is not a day and a month.
    struct Part {
        QString text;
        qint64 highest;
        YearRuleProblem wrong;
    };
    const Part day{dayFirst ? before : after, 28,
                   {QStringLiteral("The day needs to be between 1 and 28."), QStringLiteral("Day wrong")}};
    const Part month{dayFirst ? after : before, 12,
                     {QStringLiteral("The month needs to be between 1 and 12."), QStringLiteral("Month wrong")}};
    for (const Part* part : dayFirst ? std::array{&day, &month} : std::array{&month, &day})
        if (!numberFromTo(part->text, 1, part->highest))
            return part->wrong;
    return std::nullopt;
}

QString dateInYearCaption(const QString& separator, bool dayFirst)
{
    return QStringLiteral("All new memberships start from this date in the year (") + (dayFirst ? QStringLiteral("dd") : QStringLiteral("mm"))
           + separator + (dayFirst ? QStringLiteral("mm") : QStringLiteral("dd")) + QStringLiteral("):");
}

QString automaticJoinDate(const YearStart& rule, const QDate& today)
{
    switch (rule.kind) {
    case YearStart::Kind::CurrentDate:
        return regional::formatShortDate(today);
    case YearStart::Kind::DayOfMonth: {
        const QString s = GetDateSeparator();
        const QString mm = twoDigits(today.month());
        const QString dayAndMonth = regional::dayFirst() ? rule.text + s + mm : mm + s + rule.text;
        return dayAndMonth + s + twoDigits(today.year());
    }
    case YearStart::Kind::DateInYear:
        return rule.text + GetDateSeparator() + twoDigits(today.year());
    }
    return {};
}

QString automaticRenewalDate(const QString& joinText, const YearEnd& rule)
{
    const auto join = regional::parseDate(joinText);
    if (!join || rule.unit == YearEnd::Unit::Unknown)
        return {};
    qsizetype digits = 0;
    while (digits < rule.count.size() && rule.count[digits].isDigit())
        ++digits;
    const int n = rule.count.left(digits).toInt();
    const QDate from = join->date();
    QDate renewal;
    switch (rule.unit) {
    case YearEnd::Unit::Years: renewal = from.addYears(n); break;
    case YearEnd::Unit::Months: renewal = from.addMonths(n); break;
    case YearEnd::Unit::Days: renewal = from.addDays(n); break;
    case YearEnd::Unit::Unknown: return {};
    }
    return renewal.isValid() ? regional::formatShortDate(renewal) : QString();
}

} // namespace zelk
