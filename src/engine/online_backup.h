#pragma once
// Whole-file copies of a database made with SQLite's online backup: the pages are read
// under the engine's own locks, so a copy taken while the register is open, or while
// another program writes to it, is always one complete committed state, never a plain
// file copy that could catch a write half done. Also the read-only look at a database file
// that checking a copy needs.
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zelk {

class Database;

// Writes what `source` has committed into a new file at `destination`. While `source`
// is inside a transaction, the pages are read through a connection of their own, so
// nothing uncommitted goes into the copy. Throws EngineError: DatabaseExists (3204) when
// a file is at `destination` already; the engine's error when reading or writing fails
// (DiskFull, CannotOpenFile for a folder that cannot be written to, RecordLocked while
// another program holds the source), and then nothing is left at `destination`.
void copyDatabase(Database& source, const QString& destination);

// The same from a database file that is not open here; it is only read.
void copyDatabaseFile(const QString& source, const QString& destination);

// Replaces the whole content of the database file `destination` by that of the file
// `source`, as one transaction of `destination`: a failure, or the program killed
// part-way, leaves `destination` as it was. Another connection that holds `destination`
// is waited for a moment and then reported (RecordLocked). Throws EngineError.
void replaceDatabaseContent(const QString& source, const QString& destination);

// SQLite's integrity check of the file, read-only: the problems it finds, none for a
// sound file. Throws EngineError when the file cannot be read as a database at all
// (NotAnSqliteFile for a file that is not one; CannotOpenFile, FileNotFound).
QStringList integrityProblems(const QString& path);

// The first column of the first row that `sql` (plain SQLite, no dialect) gives on the
// file, opened read-only; a null QVariant when there is no row. Throws EngineError as
// integrityProblems does, or for the query.
QVariant readOnlyValue(const QString& path, const QString& sql);

} // namespace zelk
