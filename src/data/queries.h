#pragma once
// The SQL texts the program opens its record sets on: the shared record sets of start-up,
// the members in an order, the members a search narrows them to, and the members that
// hold a value of one of the two lists. Any text a user can type or paste is safe in them:
// it can only ever be a value, never a piece of SQL.
#include <QString>
#include <optional>

namespace zelk::query {

// "Select * from Settings", "Select * from Members", "Select * from Lookups",
// "Select * from Labels": the shared record sets other than the members.
QString settingsRow();
QString memberTypes();
QString lookups();
QString labels();

// The whole register in the order of `field`: Select * from Zelk ORDER BY Surname
// `field` (here and below) is one of the five sort fields, in any case; any other text
// throws EngineError TooFewParameters, as a field the register has not.
QString membersInOrder(const QString& field);

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

// The two lists of ready-made values: the membership types (table Members, field
// "Member Type") and the lookups shared by the six lookup fields (table Lookups).
enum class ValueList { MemberTypes, Lookups };

// "Select * from Members" or "Select * from Lookups".
QString valueListQuery(ValueList list);
// "Member Type" or "Lookups".
QString valueField(ValueList list);
// What finds `value` in its list: [Member Type] = "Gold", [Lookups] = "Gold".
QString valueCriterion(ValueList list, const QString& value);
// The members that hold `value`: as their type,
//   Select * from Zelk where MemberType = "Gold"
// or in any of their six lookups,
//   Select * from Zelk where (Lookup1 = "Gold") or ... or (Lookup6 = "Gold") (and a closing blank)
QString inUseQuery(ValueList list, const QString& value);

} // namespace zelk::query
