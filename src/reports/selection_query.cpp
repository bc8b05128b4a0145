#include "selection_query.h"

#include "core/text_rules.h"
#include "engine/sql_dialect.h"

#include <QDate>
#include <QStringList>

namespace zelk::reports {

namespace {

bool allDigits(const QString& text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// A number or date box as it goes into the query: its digits as typed, or, for a text
// that holds anything else (pasted, say), its value.
QString digitsOf(const QString& text)
{
    if (allDigits(text))
        return text;
    return QString::number(boxValue(text), 'f', 0);
}

// Surname and membership type: both bounds upper-cased and trimmed; an upper bound of
// "SMITH" takes every value that begins with it.
void nameRange(QString& sql, std::array<QString, range::Count>& box, QMap<int, QString>& corrected, int from,
               const QString& field)
{
    const int to = from + 1;
    if (!box[from].isEmpty())
        sql += QStringLiteral("UCase(%1) >= ").arg(field) + sql::quoteText(trimBlanks(box[from]).toUpper())
               + QStringLiteral(" and ");
    if (!box[to].isEmpty()) {
        if (box[to] < box[from])
            corrected[to] = box[to] = box[from];
        sql += QStringLiteral("UCase(%1) <= ").arg(field)
               + sql::quoteText(trimBlanks(box[to]).toUpper() + QStringLiteral("ZZ")) + QStringLiteral(" and ");
    }
}

// A date of three boxes (day, month, year) as the query writes it, month first:
// "12/31/1959"; "//" when all three are empty.
QString dateText(const std::array<QString, range::Count>& box, int day)
{
    return digitsOf(box[day + 1]) + u'/' + digitsOf(box[day]) + u'/' + digitsOf(box[day + 2]);
}

std::optional<QDate> dateOf(const QString& text)
{
    const auto stored = sql::dateLiteral(text);
    if (!stored)
        return std::nullopt;
    return QDate::fromString(*stored, Qt::ISODate);
}

// A From and To date: the To date is dropped unless it is at least a day after the From
// date. `toBuilt` says whether the To date is written at all.
void dateRange(QString& sql, const std::array<QString, range::Count>& box, int from, int to, bool toBuilt,
               const QString& field)
{
    QString fromDate = dateText(box, from);
    if (fromDate == QLatin1String("//"))
        fromDate.clear();
    QString toDate = toBuilt ? dateText(box, to) : QString();
    if (!fromDate.isEmpty() && !toDate.isEmpty()) {
        const auto a = dateOf(fromDate), b = dateOf(toDate);
        if (a && b && a->daysTo(*b) < 1)
            toDate.clear();
    }
    if (!fromDate.isEmpty())
        sql += field + QStringLiteral(" >= #") + fromDate + QStringLiteral("# and ");
    if (!toDate.isEmpty())
        sql += field + QStringLiteral(" <= #") + toDate + QStringLiteral("# and ");
}

const char* const kSortTags[kSortKeys] = {"Surname", "MemberType", "Number", "PostCode", "Lookup"};

const char* const kDatePart[3] = {"day", "month", "year"};

} // namespace

namespace range {
bool takesDigitsOnly(int box)
{
    return box == NumberFrom || box == NumberTo || isDateBox(box);
}
bool isDateBox(int box)
{
    return box >= BirthdayFrom && box < Count;
}
} // namespace range

double boxValue(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    double value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    return value;
}

SelectionQuery BuildReportQuery(const ReportRanges& ranges)
{
    SelectionQuery result;
    auto box = ranges.txtRange;
    QString& sql = result.sql;
    sql = QStringLiteral("SELECT * from Zelk WHERE ");

    nameRange(sql, box, result.corrected, range::SurnameFrom, QStringLiteral("Surname"));
    nameRange(sql, box, result.corrected, range::TypeFrom, QStringLiteral("MemberType"));

    if (!box[range::NumberFrom].isEmpty())
        sql += QStringLiteral("Number >= ") + digitsOf(box[range::NumberFrom]) + QStringLiteral(" and ");
    if (!box[range::NumberTo].isEmpty()) {
        if (boxValue(box[range::NumberTo]) < boxValue(box[range::NumberFrom]))
            result.corrected[range::NumberTo] = box[range::NumberTo] = box[range::NumberFrom];
        sql += QStringLiteral("Number <= ") + digitsOf(box[range::NumberTo]) + QStringLiteral(" and ");
    }

    // Post codes are compared as typed, upper-cased but not trimmed.
    if (!box[range::PostCodeFrom].isEmpty())
        sql += QStringLiteral("PostCode >= ") + sql::quoteText(box[range::PostCodeFrom].toUpper()) + QStringLiteral(" and ");
    if (!box[range::PostCodeTo].isEmpty()) {
        if (box[range::PostCodeTo] < box[range::PostCodeFrom])
            result.corrected[range::PostCodeTo] = box[range::PostCodeTo] = box[range::PostCodeFrom] + u'Z';
        sql += QStringLiteral("PostCode <= ") + sql::quoteText(box[range::PostCodeTo].toUpper() + QStringLiteral("ZZ"))
               + QStringLiteral(" and ");
    }

    // A member is taken when any one of the six lookups lies in the range; with only an
    // upper bound, a blank lookup does not count.
    const QString& lookupFrom = box[range::LookupFrom];
    const QString& lookupTo = box[range::LookupTo];
    if (!lookupFrom.isEmpty() || !lookupTo.isEmpty()) {
        const QString a = sql::quoteText(lookupFrom.toUpper());
        const QString b = sql::quoteText(lookupTo.toUpper() + QStringLiteral("ZZ"));
        const QString blank = sql::quoteText(QString());
        sql += u'(';
        for (int n = 1; n <= 6; ++n) {
            const QString field = QStringLiteral("Lookup%1").arg(n);
            const bool last = n == 6;
            if (!lookupFrom.isEmpty() && !lookupTo.isEmpty())
                sql += QStringLiteral("(UCase(%1) >= %2) and (UCase(%1) <= %3").arg(field, a, b)
                       + (last ? QStringLiteral(")") : QStringLiteral(")  or "));
            else if (!lookupFrom.isEmpty())
                sql += QStringLiteral("(UCase(%1) >= %2").arg(field, a) + (last ? QStringLiteral(") ") : QStringLiteral(") or "));
            else
                sql += QStringLiteral("(UCase(%1) <= %2 and TrimLeft(%1) <> %3").arg(field, b, blank)
                       + (last ? QStringLiteral(")") : QStringLiteral(") or "));
        }
        sql += QStringLiteral(") and ");
    }

    // The birthday's To date counts once its month is given, the renewal date's once its day is.
    dateRange(sql, box, range::BirthdayFrom, range::BirthdayTo, !box[range::BirthdayTo + 1].isEmpty(),
              QStringLiteral("Birthday"));
    dateRange(sql, box, range::RenewalFrom, range::RenewalTo, !box[range::RenewalTo].isEmpty(),
              QStringLiteral("RenewDate"));

    if (ranges.lapsed == LapsedFilter::Exclude)
        sql += QStringLiteral("Lapsed = False and ");
    else if (ranges.lapsed == LapsedFilter::OnlyLapsed)
        sql += QStringLiteral("Lapsed = True and ");

    if (sql.endsWith(QLatin1String("and ")))
        sql.chop(4);
    if (sql.endsWith(QLatin1String("WHERE ")))
        sql.chop(6);

    sql += QStringLiteral(" ORDER BY ");
    bool sorted = false;
    for (int p = 1; p <= kSortKeys; ++p) {
        for (int i = 0; i < kSortKeys; ++i) {
            const QString& priority = ranges.txtPriority[size_t(i)];
            if (priority.isEmpty() || boxValue(priority) != p)
                continue;
            sorted = true;
            const bool desc = ranges.chkDesc[size_t(i)];
            if (i == 4) {
                QStringList lookups;
                for (int n = 1; n <= 6; ++n)
                    lookups << QStringLiteral("Lookup%1").arg(n) + (desc ? QStringLiteral(" Desc") : QString());
                sql += u' ' + lookups.join(QStringLiteral(", ")) + QStringLiteral(", ");
            } else {
                sql += u' ' + QLatin1String(kSortTags[i]) + (desc ? QStringLiteral(" Desc, ") : QStringLiteral(", "));
            }
        }
    }
    if (sql.endsWith(QLatin1String(", ")))
        sql.chop(2);
    if (!sorted)
        sql += QStringLiteral(" Surname");
    return result;
}

DateBoxCheck checkDateBox(int box, const QString& text)
{
    const QString trimmed = trimBlanks(text);
    if (!range::isDateBox(box) || trimmed.isEmpty())
        return {};
    const int part = (box - range::BirthdayFrom) % 3;
    const double value = boxValue(text);
    const double highest = part == 0 ? 31 : part == 1 ? 12 : 2200;
    if (part == 2 && (trimmed.size() == 1 || trimmed.size() == 3))
        return {DateBoxCheck::Kind::YearWrong, {}};
    if (value < 1)
        return {DateBoxCheck::Kind::Replace, QStringLiteral("1")};
    if (value > highest)
        return {DateBoxCheck::Kind::Replace, QString::number(highest, 'f', 0)};
    return {};
}

std::optional<DateRangeProblem> dateRangeProblem(const ReportRanges& ranges)
{
    struct Date {
        int day;
        const char* name;
    };
    static const Date dates[] = {{range::BirthdayFrom, "birthday From"}, {range::BirthdayTo, "birthday To"},
                                 {range::RenewalFrom, "renewal date From"}, {range::RenewalTo, "renewal date To"}};
    for (const Date& d : dates) {
        QStringList missing;
        int firstMissing = -1;
        for (int part = 0; part < 3; ++part)
            if (ranges.txtRange[size_t(d.day + part)].isEmpty()) {
                missing << QLatin1String(kDatePart[part]);
                if (firstMissing < 0)
                    firstMissing = d.day + part;
            }
        const QString name = QLatin1String(d.name);
        if (missing.size() == 3)
            continue;
        if (!missing.isEmpty())
            return DateRangeProblem{
                QStringLiteral("Zelk needs the whole date to produce correct reports, but the %1 date has no %2.\n\n"
                               "Please fill in its day, month and year, or leave all three empty.")
                    .arg(name, missing.join(QStringLiteral(" or "))),
                QStringLiteral("Date incomplete"), firstMissing};
        const auto& box = ranges.txtRange;
        if (!dateOf(dateText(box, d.day)))
            return DateRangeProblem{
                QStringLiteral("Zelk can't produce correct reports from the %1 date: day %2, month %3, year %4 is not a date.\n\n"
                               "Please correct it, or leave all three boxes empty.")
                    .arg(name, box[size_t(d.day)], box[size_t(d.day + 1)], box[size_t(d.day + 2)]),
                QStringLiteral("Date wrong"), d.day};
    }
    return std::nullopt;
}

} // namespace zelk::reports
