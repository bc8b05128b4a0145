#pragma once
// The join and renewal dates a new member is given from the club's membership-year rules
// (YearStart and YearEnd of the Settings row).
#include <QDate>
#include <QString>
#include <QVariant>

namespace zelk {

// The join date text for the rule `yearStart` on `today`: today's date when the rule is
// Null or empty; for a day of the month ("05/") that day of this month; otherwise the
// stored day and month followed by this year. The two latter are built with the user's
// date separator in the user's day/month order and a two-digit year, as typed dates are.
QString automaticJoinDate(const QVariant& yearStart, const QDate& today);

// The renewal date for the join date `joinText` under the rule `yearEnd` ("1y", "30d",
// "6m"...), in the user's short date form. Months keep to the month's end (31 August and
// six months is the end of February); one year after 1 April is 1 April. Empty when the
// join text is not a date or the rule has no known form.
QString automaticRenewalDate(const QString& joinText, const QVariant& yearEnd);

} // namespace zelk
