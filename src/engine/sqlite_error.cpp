#include "sqlite_error.h"

#include "schema_sql.h"

#include <sqlite3.h>

#include <QRegularExpression>

#include <cerrno>

namespace zelk {

namespace {

QString quoted(const QString& message, const char* prefix)
{
    const qsizetype at = message.indexOf(QLatin1String(prefix));
    return at < 0 ? QString() : message.mid(at + qsizetype(qstrlen(prefix))).trimmed();
}

EngineError checkFailure(const QString& message)
{
    const QString rule = quoted(message, "CHECK constraint failed:");
    if (rule.endsWith(QLatin1String(storage::kTooLong)))
        return EngineError(err::ValueTooLong, QStringLiteral("The field is too small to accept the amount of data you attempted to add (%1).").arg(rule));
    if (rule.endsWith(QLatin1String(storage::kEmptyText)))
        return EngineError(err::ZeroLengthNotAllowed, QStringLiteral("Field '%1' cannot be a zero-length string.").arg(rule.chopped(qstrlen(storage::kEmptyText))));
    return EngineError(err::TypeMismatch, QStringLiteral("Data type conversion error (%1).").arg(rule));
}

} // namespace

EngineError sqliteError(sqlite3* db, int rc, const QString& context)
{
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int primary = rc & 0xff;
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return EngineError(err::RecordLocked, QStringLiteral("Could not update; currently locked by another session on this machine."));
    case SQLITE_NOTADB:
        return EngineError(err::NotAnSqliteFile, QStringLiteral("Unrecognized database format."));
    case SQLITE_FULL:
        return EngineError(err::DiskFull, QStringLiteral("Not enough space on disk."));
    case SQLITE_READONLY:
        // The file was deleted or moved away while open: writing on would store nothing
        // anyone can find again.
        if (extended == SQLITE_READONLY_DBMOVED)
            return EngineError(err::FileNotFound, QStringLiteral("The database file has been moved or deleted since it was opened."));
        return EngineError(err::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));
    case SQLITE_PERM:
        return EngineError(err::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));
    case SQLITE_IOERR: {
        // A write the file system refused for want of room (a full disk, a quota, a limit on
        // the file's size) is a full disk to the user.
        int system = 0;
        if (db)
            sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &system);
        if (system == ENOSPC || system == EFBIG || system == EDQUOT)
            return EngineError(err::DiskFull, QStringLiteral("Not enough space on disk."));
        return EngineError(err::DiskOrNetwork, QStringLiteral("Disk or network error (%1).").arg(message));
    }
    case SQLITE_CORRUPT:
        return EngineError(err::DiskOrNetwork, QStringLiteral("Disk or network error (%1).").arg(message));
    case SQLITE_CANTOPEN:
        return EngineError(err::CannotOpenFile, QStringLiteral("The database engine could not open the file (%1).").arg(message));
    case SQLITE_CONSTRAINT:
        if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
            return EngineError(err::DuplicateKey, QStringLiteral("The changes you requested to the table were not successful because they would create duplicate values in the index, primary key, or relationship. Change the data in the field or fields that contain duplicate data, remove the index, or redefine the index to permit duplicate entries and try again."));
        if (extended == SQLITE_CONSTRAINT_CHECK)
            return checkFailure(message);
        break;
    case SQLITE_ERROR: {
        if (message.startsWith(QLatin1String("no such table:")))
            return EngineError(err::TableNotFound, QStringLiteral("The database engine cannot find the input table or query '%1'. Make sure it exists and that its name is spelled correctly.").arg(quoted(message, "no such table:")));
        if (message.startsWith(QLatin1String("no such column:")))
            return EngineError(err::TooFewParameters, QStringLiteral("Too few parameters. Expected 1. (There is no field '%1'.)").arg(quoted(message, "no such column:")));
        if (message.contains(QLatin1String("already exists")))
            return EngineError(err::TableExists, message);
        if (message.contains(QLatin1String("syntax error")) || message.contains(QLatin1String("incomplete input"))
            || message.contains(QLatin1String("unrecognized token")))
            return EngineError(err::SyntaxError, QStringLiteral("Syntax error in query expression '%1'.").arg(context));
        break;
    }
    default:
        break;
    }
    return EngineError(err::Reserved, QStringLiteral("%1 (%2)").arg(message, context));
}

void checkSqlite(sqlite3* db, int rc, const QString& context)
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw sqliteError(db, rc, context);
}

} // namespace zelk
