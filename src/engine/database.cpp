#include "database.h"

#include "recordset.h"
#include "schema_sql.h"
#include "sql_dialect.h"
#include "sqlite_error.h"
#include "sqlite_functions.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace zelk {

namespace {

constexpr int kBusyWaitMs = 2000;
// Marks a file as one of this program's databases ("ZELK").
constexpr int kApplicationId = 0x5A454C4B;

QByteArray pathBytes(const QString& path)
{
    return QFile::encodeName(path);
}

bool hasSqliteHeader(const QString& path, bool* readable)
{
    QFile f(path);
    *readable = f.open(QIODevice::ReadOnly);
    if (!*readable)
        return false;
    const QByteArray head = f.read(16);
    return head == QByteArray("SQLite format 3\0", 16);
}

EngineError notADatabase(const QString& path)
{
    return EngineError(err::NotAnSqliteFile,
                       QStringLiteral("The file '%1' is not a database that this program can open.").arg(path));
}

} // namespace

void runSql(sqlite3* db, const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, &tail);
    checkSqlite(db, rc, sql);
    if (!st)
        return;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    // The error is read before the statement goes, while it still describes the failure.
    if (rc != SQLITE_DONE && rc != SQLITE_OK) {
        const EngineError e = sqliteError(db, rc, sql);
        sqlite3_finalize(st);
        throw e;
    }
    sqlite3_finalize(st);
}

Database::Database(sqlite3* db, QString path)
    : m_db(db)
    , m_path(std::move(path))
{
}

Database::~Database()
{
    close();
}

void Database::configure(sqlite3* db)
{
    sqlite3_busy_timeout(db, kBusyWaitMs);
    sqlite3_extended_result_codes(db, 1);
    // A name in double quotes is always a name: one the table does not have is an error,
    // never quietly taken for a text value.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, static_cast<int*>(nullptr));
    registerSqlFunctions(db);
    // Every committed change is on the disk before the call returns; a killed program
    // leaves the rollback journal, which the next open plays back.
    runSql(db, QStringLiteral("PRAGMA synchronous = FULL"));
}

std::unique_ptr<Database> Database::create(const QString& path, const QString& localeText)
{
    Q_UNUSED(localeText);
    if (QFileInfo::exists(path))
        throw EngineError(err::DatabaseExists, QStringLiteral("Database '%1' already exists.").arg(path));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(pathBytes(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const EngineError e = sqliteError(db, rc, path);
        sqlite3_close_v2(db);
        throw e;
    }
    std::unique_ptr<Database> result(new Database(db, path));
    configure(db);
    runSql(db, QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
    return result;
}

std::unique_ptr<Database> Database::open(const QString& path, Mode mode)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw EngineError(err::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    if (!info.isFile())
        throw EngineError(err::CannotOpenFile, QStringLiteral("'%1' is not a file.").arg(path));
    bool readable = false;
    // A file that is not an SQLite database (one made by another program, or empty) is
    // left exactly as it is: SQLite is never let near it.
    if (!hasSqliteHeader(path, &readable)) {
        if (!readable)
            throw EngineError(err::CannotOpenFile, QStringLiteral("The database engine could not open the file '%1'. You may not have permission to read it.").arg(path));
        throw notADatabase(path);
    }

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(pathBytes(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        db = nullptr;
        rc = sqlite3_open_v2(pathBytes(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        if (rc != SQLITE_OK) {
            const EngineError e = sqliteError(db, rc, path);
            sqlite3_close_v2(db);
            throw EngineError(err::CannotOpenFile, e.description());
        }
    }
    std::unique_ptr<Database> result(new Database(db, path));
    // Reading the schema needs a shared lock, which a connection holding the file
    // exclusively refuses. This comes first: setting the connection up reads the schema too.
    sqlite3_busy_timeout(db, kBusyWaitMs);
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if ((rc & 0xff) == SQLITE_BUSY)
        throw EngineError(err::LockedExclusively,
                          QStringLiteral("The table is already opened exclusively by another user, or it is already open through the user interface and cannot be manipulated programmatically."));
    if ((rc & 0xff) == SQLITE_NOTADB)
        throw notADatabase(path);
    checkSqlite(db, rc, path);
    configure(db);

    if (mode == Mode::Exclusive) {
        runSql(db, QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
        rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        if ((rc & 0xff) == SQLITE_BUSY)
            throw EngineError(err::FileInUse, QStringLiteral("Could not use '%1'; file already in use.").arg(path));
        checkSqlite(db, rc, QStringLiteral("BEGIN EXCLUSIVE"));
        // The lock stays after the commit, for as long as this connection lives.
        checkSqlite(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), QStringLiteral("COMMIT"));
    }
    return result;
}

bool Database::openedReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

bool Database::fileIsWritable(const QString& path)
{
    // Asked as the program runs (its effective user), as the writes will be made.
    const auto writable = [](const QString& p) {
        return faccessat(AT_FDCWD, QFile::encodeName(p).constData(), W_OK, AT_EACCESS) == 0;
    };
    const QFileInfo file(path);
    return writable(file.absoluteFilePath()) && writable(file.absolutePath());
}

bool Database::canWrite() const
{
    return m_db && !openedReadOnly() && fileIsWritable(m_path);
}

sqlite3_stmt* Database::cachedStatement(const QString& sql)
{
    if (auto* st = m_statements.value(sql))
        return st;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    checkSqlite(m_db, sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr), sql);
    m_statements.insert(sql, st);
    return st;
}

void Database::close()
{
    for (auto* st : std::as_const(m_statements))
        sqlite3_finalize(st);
    m_statements.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Database::createTable(const TableDef& table)
{
    if (tableExists(table.name))
        throw EngineError(err::TableExists, QStringLiteral("Table '%1' already exists.").arg(table.name));
    const bool own = !inTransaction();
    if (own)
        runSql(m_db, QStringLiteral("BEGIN"));
    try {
        runSql(m_db, storage::createTableSql(table));
        for (const auto& ix : storage::createIndexSql(table))
            runSql(m_db, ix);
        if (own)
            runSql(m_db, QStringLiteral("COMMIT"));
    } catch (...) {
        if (own)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

bool Database::tableExists(const QString& name) const
{
    return !storage::readFields(m_db, name).empty();
}

std::vector<FieldDef> Database::fields(const QString& table) const
{
    auto f = storage::readFields(m_db, table);
    if (f.empty())
        throw EngineError(err::TableNotFound, QStringLiteral("The database engine cannot find the input table or query '%1'. Make sure it exists and that its name is spelled correctly.").arg(table));
    return f;
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& sqlOrTable)
{
    return std::unique_ptr<Recordset>(new Recordset(*this, sqlOrTable));
}

void Database::execute(const QString& sql)
{
    runSql(m_db, sql::translate(sql));
}

void Database::beginTrans()
{
    runSql(m_db, QStringLiteral("BEGIN"));
}

void Database::commitTrans()
{
    runSql(m_db, QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    runSql(m_db, QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction() const
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

int Database::userVersion() const
{
    sqlite3_stmt* st = nullptr;
    checkSqlite(m_db, sqlite3_prepare_v2(m_db, "PRAGMA user_version", -1, &st, nullptr), QStringLiteral("PRAGMA user_version"));
    const int rc = sqlite3_step(st);
    const int version = rc == SQLITE_ROW ? sqlite3_column_int(st, 0) : 0;
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW)
        checkSqlite(m_db, rc, QStringLiteral("PRAGMA user_version"));
    return version;
}

void Database::setUserVersion(int version)
{
    runSql(m_db, QStringLiteral("PRAGMA user_version = %1").arg(version));
}

} // namespace zelk
