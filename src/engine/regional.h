#pragma once
// The user's regional settings: the one place the program reads dates, amounts and the
// date order from. Everything comes from the default QLocale() (never QLocale::system()),
// which tests pin with QLocale::setDefault.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <optional>

namespace zelk::regional {

QLocale locale();

// The short date pattern exactly as the locale gives it ("dd/MM/yyyy", "M/d/yy",
// "dd.MM.yy"); empty when the locale gives none.
QString shortDatePattern();

// The date separator, derived from the short date pattern: the first character of the
// pattern that is not a letter or a quote; "/" when that is a blank or there is none (a
// pattern such as "d MMM yyyy" gives no mark a user could type between day and month).
QString dateSeparator();

// The order in which the user writes a day and a month: true when the short pattern has
// its day before its month ("dd/MM/yyyy", "dd.MM.yy"), false when the month comes first
// ("M/d/yy", and the year-first patterns "yyyy-MM-dd", "yyyy/M/d", "yyyy. MM. dd."). Every
// date typed, asked for or built from the membership-year rules follows this one order.
bool dayFirst();

// The short pattern used to show dates: the locale's, but always with a four-digit year,
// so that a date shown and saved again can never move to another century.
QString displayDatePattern();

// A date in the named format "Short Date" (displayDatePattern()).
QString formatShortDate(const QDate& date);

// A stored date value (QDate, or QDateTime when it has a time of day) as the user sees
// it: the short date, followed by the time ("hh:mm:ss") only when it is not midnight.
QString formatDateValue(const QVariant& value);

// Reads a typed date leniently by the user's day/month order. Accepts the separators
// "/", "-", "." and blank; 2- or 4-digit years (00-29 mean 2000-2029, 30-99 mean
// 1930-1999); month names and their abbreviations in the locale's language and in
// English; day and month alone (the current year, from `today`); a four-digit year
// first (year, month, day); an optional time "h:mm" or "h:mm:ss" after the date. A date
// in the locale's long form reads too: its weekday's name is passed over, as are the
// words its pattern writes ("Wednesday, 1 April 2026", "Mittwoch, 1. April 2026").
// Returns nothing when the text is not a valid date (31/02/2026, 13/13/2026, "abc").
// The result is in UTC so no time zone can move it.
// `today` (when not given: the current date, read only for a date without its year,
// since reading the clock costs more than reading a date).
std::optional<QDateTime> parseDate(const QString& text, const QDate& today = QDate());

// Reads a number typed by the user: optional sign (leading "-" or "+", or the number in
// parentheses for a negative amount), the locale's decimal point, the locale's group
// separators between digits, an optional currency symbol (the locale's or its ISO code)
// before or after, surrounding blanks. Returns nothing when the text is not a number.
std::optional<double> parseNumber(const QString& text);

// The named format "Currency": the locale's currency form with two decimals
// (12.5 -> "£12.50" in en_GB, "$12.50" in en_US, "12,50 €" in de_DE).
QString formatCurrency(double amount);

// The named format "Standard": group separators and two decimals (1234.567 -> "1,234.57").
QString formatStandard(double amount);

} // namespace zelk::regional
