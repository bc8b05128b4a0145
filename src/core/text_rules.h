#pragma once
// The rules by which typed names, addresses, amounts and e-mail addresses are tidied and
// checked. Plain functions of text, so every window and importer applies the same rule.
#include <QString>
#include <QStringView>
#include <optional>

namespace zelk {

// The first letter of each word in capitals and every other letter small; words are
// separated by blanks, tabs and line breaks only ("mary o'BRIEN-SMITH" ->
// "Mary O'brien-smith").
QString properCase(const QString& text);

// Trims the text; then the first character and every character after a blank, ".", ",",
// "'" or "-" become capitals and all others small ("o'brien-smith, j.r." ->
// "O'Brien-Smith, J.R."). Rewrites the argument and returns it.
QString MixedCase(QString& text);

// A typed date in the user's "Short Date" form; nothing when it is not a date.
std::optional<QString> shortDateOf(const QString& text);

// A typed amount in the user's "Currency" form (two decimals); nothing when it is not a
// number, or a number too large for a money field to hold. An empty text is not checked
// (the caller leaves it empty).
std::optional<QString> currencyOf(const QString& text);

// The number in a box that takes digits only: nothing when it is empty or holds anything
// but the digits 0 to 9 (a pasted sign, blank, group separator or exponent). More digits
// than a number can hold give the largest number, which no range allows.
std::optional<qint64> wholeNumber(const QString& text);

// What is wrong with an e-mail address, as the message that reports it; nothing when it
// is acceptable. Only the first failing rule is reported. The address is taken as given
// (the caller trims it; an empty address is acceptable).
std::optional<QString> emailAddressProblem(const QString& address);

// The text without its leading and trailing blanks. Blanks are spaces only, as typed and
// stored text has always been trimmed: a tab or a closing line break is part of the value.
QStringView trimBlanks(QStringView text);
QString trimBlanks(const QString& text);

// A value as a message quotes it: at most its first 60 characters, followed by "..." when
// it is longer, so that no message grows taller or wider than the screen.
QString quotedInMessage(const QString& value);

// The position of the first control character in the text that is neither a tab nor a
// line break (a NUL, an escape, a form feed...); nothing when there is none. Such a
// character cannot be typed or seen, and a stored value never holds one.
std::optional<qsizetype> controlCharacterIn(const QString& text);

} // namespace zelk
