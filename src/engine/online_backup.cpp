#include "online_backup.h"

#include "database.h"
#include "engine_error.h"
#include "sqlite_error.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace zelk {

namespace {

constexpr int kBusyWaitMs = 2000;
// A copy that meets a lock held by another connection tries again this often, a tenth of
// a second apart, before it gives up.
constexpr int kLockedRetries = 10;

struct CloseConnection {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

QByteArray pathBytes(const QString& path)
{
    return QFile::encodeName(path);
}

// A file SQLite would take for an empty database (no bytes at all) or another program's
// file is not a database to read: SQLite is never let near it.
void checkIsDatabaseFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw EngineError(err::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        throw EngineError(err::CannotOpenFile, QStringLiteral("The database engine could not open the file '%1'. You may not have permission to read it.").arg(path));
    if (f.read(16) != QByteArray("SQLite format 3\0", 16))
        throw EngineError(err::NotAnSqliteFile, QStringLiteral("The file '%1' is not a database that this program can open.").arg(path));
}

Connection openConnection(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(pathBytes(path).constData(), &db, flags, nullptr);
    Connection connection(db);
    if (rc != SQLITE_OK)
        throw sqliteError(db, rc, path);
    sqlite3_busy_timeout(db, kBusyWaitMs);
    sqlite3_extended_result_codes(db, 1);
    return connection;
}

Connection openReadOnly(const QString& path)
{
    checkIsDatabaseFile(path);
    return openConnection(path, SQLITE_OPEN_READONLY);
}

void removeWithJournal(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

// Copies every page of `source` into `destination` in one step, so the copy is one
// committed state of the source. A lock held by another connection is waited for a
// little; any failure is thrown.
void copyPages(sqlite3* source, sqlite3* destination, const QString& what)
{
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (!backup)
        throw sqliteError(destination, sqlite3_extended_errcode(destination), what);
    int rc = SQLITE_OK;
    for (int attempt = 0;; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        const int primary = rc & 0xff;
        if ((primary != SQLITE_BUSY && primary != SQLITE_LOCKED) || attempt == kLockedRetries)
            break;
        sqlite3_sleep(100);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw sqliteError(nullptr, rc, what);
}

void copyInto(sqlite3* source, const QString& destination)
{
    if (QFileInfo::exists(destination))
        throw EngineError(err::DatabaseExists, QStringLiteral("Database '%1' already exists.").arg(destination));
    try {
        Connection target = openConnection(destination, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        runSql(target.get(), QStringLiteral("PRAGMA synchronous = FULL"));
        copyPages(source, target.get(), destination);
        if (sqlite3_close(target.release()) != SQLITE_OK)
            throw EngineError(err::DiskOrNetwork, QStringLiteral("Could not finish writing '%1'.").arg(destination));
    } catch (...) {
        removeWithJournal(destination);
        throw;
    }
}

} // namespace

void copyDatabase(Database& source, const QString& destination)
{
    // A connection of its own sees only what is committed.
    if (source.inTransaction()) {
        copyDatabaseFile(source.path(), destination);
        return;
    }
    copyInto(source.handle(), destination);
}

void copyDatabaseFile(const QString& source, const QString& destination)
{
    Connection from = openReadOnly(source);
    copyInto(from.get(), destination);
}

void replaceDatabaseContent(const QString& source, const QString& destination)
{
    Connection from = openReadOnly(source);
    // Only a database of this engine is overwritten; any other file stays as it is.
    if (QFileInfo::exists(destination))
        checkIsDatabaseFile(destination);
    Connection target = openConnection(destination, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    runSql(target.get(), QStringLiteral("PRAGMA synchronous = FULL"));
    copyPages(from.get(), target.get(), destination);
}

QStringList integrityProblems(const QString& path)
{
    Connection db = openReadOnly(path);
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db.get(), "PRAGMA integrity_check", -1, &st, nullptr);
    QStringList problems;
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(st);
        if (rc != SQLITE_ROW)
            break;
        const QString line = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (line != QLatin1String("ok"))
            problems << line;
    }
    sqlite3_finalize(st);
    // A file damaged past reading its schema fails the check itself: that is a finding.
    const int primary = rc & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        problems << QString::fromUtf8(sqlite3_errstr(rc));
    else
        checkSqlite(db.get(), rc, QStringLiteral("PRAGMA integrity_check"));
    return problems;
}

QVariant readOnlyValue(const QString& path, const QString& sql)
{
    Connection db = openReadOnly(path);
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    checkSqlite(db.get(), sqlite3_prepare_v2(db.get(), text.constData(), int(text.size()), &st, nullptr), sql);
    const int rc = sqlite3_step(st);
    QVariant value;
    if (rc == SQLITE_ROW) {
        switch (sqlite3_column_type(st, 0)) {
        case SQLITE_INTEGER: value = qlonglong(sqlite3_column_int64(st, 0)); break;
        case SQLITE_FLOAT: value = sqlite3_column_double(st, 0); break;
        case SQLITE_NULL: break;
        default: value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))); break;
        }
    }
    sqlite3_finalize(st);
    checkSqlite(db.get(), rc, sql);
    return value;
}

} // namespace zelk
