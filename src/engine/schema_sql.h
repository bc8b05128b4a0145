#pragma once
// How table definitions are written into the database file, and read back from it. The
// file declares only built-in collations and plain CHECK constraints, so any SQLite tool
// can open it, and it refuses a row that breaks a field's type, size or zero-length rule
// whoever writes it.
#include "field_type.h"

#include <QString>
#include <QStringList>

struct sqlite3;

namespace zelk::storage {

QString createTableSql(const TableDef& table);
QStringList createIndexSql(const TableDef& table);

// Index names share one namespace with table names in SQLite (the register has a table
// and an index both called "Lookups"), so an index is stored as "<table>_<index>".
QString storedIndexName(const QString& table, const QString& index);

// Field definitions of an existing table, in stored order; empty when there is no such table.
std::vector<FieldDef> readFields(sqlite3* db, const QString& table);

// The declared type written for a field, and the type read back from one.
QString declaredType(const FieldDef& field);
FieldType typeFromDeclared(const QString& declared, int* size);

// The texts SQLite reports when a CHECK constraint refuses a value name the rule broken;
// these tell the rules apart.
inline constexpr const char* kTooLong = " is too long";
inline constexpr const char* kEmptyText = " may not be an empty text";
inline constexpr const char* kWrongType = " has a value of the wrong type";

QString quoteName(const QString& name);

} // namespace zelk::storage
