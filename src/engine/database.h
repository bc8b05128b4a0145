#pragma once
// A database file: created with its tables and indexes, opened shared or exclusively,
// and the source of record sets. Every failure is an EngineError with a number.
#include "field_type.h"

#include <QHash>
#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zelk {

class Recordset;

class Database {
public:
    enum class Mode { Shared, Exclusive };

    // Creates a new, empty database file. Throws DatabaseExists (3204) when the file is
    // there already. `localeText` is accepted for the record: text is always kept as
    // Unicode and ordered by the user's language.
    static std::unique_ptr<Database> create(const QString& path, const QString& localeText = {});

    // Opens an existing file. Throws FileNotFound (3024) when there is no file,
    // NotAnSqliteFile (3343) when the file is not a database this program can open (it
    // is then never written to), LockedExclusively (3008) when another connection holds
    // it exclusively, FileInUse (3045) when Exclusive is asked and another connection
    // has it open, CannotOpenFile (3051) otherwise.
    static std::unique_ptr<Database> open(const QString& path, Mode mode = Mode::Shared);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& path() const { return m_path; }
    // True when the file could only be opened for reading (it was read-only then): this
    // connection never writes, even once the file can be written again.
    bool openedReadOnly() const;
    // True when a write can be tried now: the connection writes, and the file and its
    // folder (where the rollback journal goes) can be written by this program.
    bool canWrite() const;
    // Whether this program may write the file at `path` and its folder now.
    static bool fileIsWritable(const QString& path);

    // Creates a table with its fields and indexes. Throws TableExists (3010) when there is
    // a table of that name.
    void createTable(const TableDef& table);
    bool tableExists(const QString& name) const;
    // The fields of a table, in stored order. Throws TableNotFound (3078).
    std::vector<FieldDef> fields(const QString& table) const;

    // A record set over an SQL text of the program's dialect, or over a whole table when
    // the text is a table's name. The record set must not outlive the database.
    std::unique_ptr<Recordset> openRecordset(const QString& sqlOrTable);

    // Runs an action query (insert, update, delete) of the program's dialect.
    void execute(const QString& sql);

    // Groups the writes between them into one transaction.
    void beginTrans();
    void commitTrans();
    void rollback();
    bool inTransaction() const;

    // The schema version the file carries (PRAGMA user_version; 0 until one is set).
    int userVersion() const;
    void setUserVersion(int version);

    sqlite3* handle() const { return m_db; }

    // A prepared statement kept for the connection's life, for SQL run again and again
    // (the inserts and updates of record sets). The caller resets it after each use.
    sqlite3_stmt* cachedStatement(const QString& sql);

private:
    Database(sqlite3* db, QString path);
    static void configure(sqlite3* db);

    sqlite3* m_db = nullptr;
    QString m_path;
    QHash<QString, sqlite3_stmt*> m_statements;
};

// Runs one SQLite statement with no result rows, throwing the engine's error on failure.
void runSql(sqlite3* db, const QString& sql);

} // namespace zelk
