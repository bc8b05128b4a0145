#pragma once
// The club's membership-year rules, as the Settings row keeps them in YearStart and
// YearEnd, and the join and renewal dates they give a new member. The year window reads
// and writes the rules through these types; data entry works out the dates from them.
//
//   YearStart  Null or ""    new memberships start on the current date
//              "05/"         on that day (01 to 28) of the current month
//              "01/04"       on that day and month, typed as the user writes them
//   YearEnd    "1y"          memberships last one year ("2y": two)
//              "30d", "6m"   that many days, that many months
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace zelk {

struct YearStart {
    enum class Kind { CurrentDate, DayOfMonth, DateInYear };
    Kind kind = Kind::CurrentDate;
    QString text;   // DayOfMonth: the day's two characters ("05"); DateInYear: the day and month as stored

    static YearStart read(const QVariant& stored);
    // Null for the current date; the day as two digits followed by "/" ("5" -> "05/");
    // the day and month as they stand.
    QVariant stored() const;
};

struct YearEnd {
    enum class Unit { Unknown, Years, Months, Days };
    Unit unit = Unit::Unknown;
    QString count;   // all but the unit's letter, as stored ("30" of "30d")

    // The unit is the last letter, y, m or d, in either case; anything else (Null included)
    // is of no known form.
    static YearEnd read(const QVariant& stored);
    // The count followed by the unit's letter ("30" days -> "30d"); nothing for Unknown.
    QVariant stored() const;
    // "1y": the rule the window's one-year option stands for.
    bool isOneYear() const { return unit == Unit::Years && count == QLatin1String("1"); }
};

// A day of the month a membership may start on: a whole number from 1 to 28.
bool isDayOfTheMonth(const QString& text);
// A membership's length in days or months: a whole number of at least 1.
bool isLength(const QString& text);

// What is wrong with a day and month typed as the user writes them (the day first when
// `dayFirst`), with the separator `separator`; nothing when it is a day from 1 to 28 and a
// month from 1 to 12. The part before the separator is checked first.
struct YearRuleProblem {
    QString text;
    QString title;
};
std::optional<YearRuleProblem> dayAndMonthProblem(const QString& text, const QString& separator, bool dayFirst);

// The caption of the year window's date-in-the-year option, in the user's order:
// "All new memberships start from this date in the year (dd/mm):".
QString dateInYearCaption(const QString& separator, bool dayFirst);

// The join date text for the rule on `today`: today's date in the user's short form for
// the current date; for a day of the month that day of this month, and for a day and month
// that date this year, both written in the user's day/month order with the user's date
// separator and a two-digit year, as a user would type them.
QString automaticJoinDate(const YearStart& rule, const QDate& today);

// The renewal date for the join date `joinText` under the rule, in the user's short date
// form: the join date plus the count's leading digits in years, months or days. Months
// keep to the month's end (31 August and six months is the end of February); one year after
// 1 April is 1 April. Empty when the join text is not a date or the rule has no known form.
QString automaticRenewalDate(const QString& joinText, const YearEnd& rule);

} // namespace zelk
