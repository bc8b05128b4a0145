#pragma once
// The program writes its SQL in the old engine's dialect: double-quoted strings are
// values, "#m/d/y#" is a date, like takes "*" and "?", names may stand in [brackets],
// True and False are the flags. This translates such a text to SQLite's SQL.
// It is a tokenizer, so a value can never leak out of its quotes.
#include <QString>
#include <QStringList>
#include <optional>

namespace zelk::sql {

// Name of the collation the program's text comparisons and orderings use.
inline constexpr const char* kCollation = "zelk";

// A whole statement. Every string literal is compared with the program's collation;
// each ORDER BY term sorts with it. Throws EngineError SyntaxError (3075) for an
// unterminated string, name or date, an invalid date, unbalanced brackets; and
// CharactersAfterEnd (3142) for more than one statement.
QString translate(const QString& statement);

// A criterion (the body of a WHERE clause), as FindFirst takes it.
QString translateCriterion(const QString& criterion);

// A "Select <* | field, ...> from <table> [where ...] [order by ...]" over one table: the
// kind of query whose rows can be kept as a keyset of row ids and updated.
struct SimpleSelect {
    QString table;         // the table's name, unquoted
    QStringList columns;   // empty for "*"
    QString tail;          // translated "WHERE ... ORDER BY ..." (may be empty)
    bool ordered = false;  // the query has an ORDER BY of its own
};
std::optional<SimpleSelect> simpleSelect(const QString& statement);

// A text as a string value of the dialect: in double quotes, any double quote doubled.
// Safe for every text a user can type: the value can never end early.
QString quoteText(const QString& text);

// A text for use inside a like pattern, matching itself only: the wildcard characters
// "*", "?", "#" and "[" are each put in brackets. Quote the whole pattern afterwards.
QString likeLiteral(const QString& text);

// Reads a date literal's inside ("4/1/2026", "04/01/26", "2026-04-01", "1/15/2002 09:30:00")
// as month/day/year; returns the stored form "YYYY-MM-DD" (with " HH:MM:SS" when there is
// a time), or nothing when it is not a valid date.
std::optional<QString> dateLiteral(const QString& inside);

} // namespace zelk::sql
