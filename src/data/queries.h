#pragma once
// The queries of the member search: the members a search text narrows the register to as
// it is typed, and the criterion OK looks for among them. Any text a user can type or
// paste is safe in them: it can only ever be a value, never a piece of SQL.
#include <QString>
#include <optional>

namespace zelk::search {

// The whole register in the order of `field`:
// Select * from Zelk ORDER BY [Surname]
QString wholeRegisterQuery(const QString& field);

// The members `text` picks out, for a text that is not blank:
//   Number:    Select * from Zelk WHERE Number >= 12 ORDER BY [Number]
//   RenewDate: Select * from Zelk WHERE RenewDate = #04/01/2026#
//   any other: Select * from Zelk WHERE [Surname] like "smi*" ORDER BY [Surname]
// `anywhere` lets the text stand anywhere in a text field ("*smi*"). Nothing when the
// text cannot be searched for: not a whole number, or not (yet) a date.
std::optional<QString> narrowingQuery(const QString& field, const QString& text, bool anywhere);

// What OK looks for among the narrowed members: RenewDate = #04/01/2026#, or
// Surname like "smi*" (Number like "12*" for numbers). Nothing when the text is not a
// whole number or not a date, which nobody can match.
std::optional<QString> findCriterion(const QString& field, const QString& text, bool anywhere);

// The text as a whole number, blanks around it allowed.
std::optional<qint64> wholeNumber(const QString& text);

} // namespace zelk::search
