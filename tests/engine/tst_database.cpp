// Database files: creating and opening them, files that are not ours, locks held by
// another program, and a file that every SQLite tool can read and that refuses bad rows
// whoever writes them.
#include "engine_fixture.h"

#include "data/create_db.h"
#include "data/schema.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <functional>

using namespace zelk;
using zelk::test::EngineRegister;

namespace {

int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EngineError& e) {
        return e.number();
    }
    return 0;
}

QByteArray contentsOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A plain SQLite connection, as another tool would open the file: none of the program's
// functions or collations.
class RawConnection {
public:
    explicit RawConnection(const QString& path)
    {
        m_rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_extended_result_codes(m_db, 1);
    }
    ~RawConnection() { sqlite3_close_v2(m_db); }
    bool opened() const { return m_rc == SQLITE_OK; }
    // The result code of running `sql`.
    int exec(const QString& sql) { return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }
    QString message() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }
    // The first column of every row of `sql`.
    QStringList column(const QString& sql)
    {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            return {QStringLiteral("error: ") + message()};
        while (sqlite3_step(st) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_ERROR;
};

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createRefusesAnExistingFile();
    void openMissingFile();
    void notOurFileIsLeftAlone_data();
    void notOurFileIsLeftAlone();
    void exclusiveHolderInAnotherProcess();
    void twoSharedConnections();
    void transactionsGroupWrites();
    void fileRefusesBadRows_data();
    void fileRefusesBadRows();
    void otherToolsCanReadTheFile();

private:
    std::unique_ptr<EngineRegister> m_register;
};

void TestDatabase::init()
{
    m_register = std::make_unique<EngineRegister>();
}

void TestDatabase::cleanup()
{
    m_register.reset();
}

void TestDatabase::createRefusesAnExistingFile()
{
    const QString path = m_register->file(QStringLiteral("existing.mdb"));
    writeFile(path, QByteArray("not to be touched"));
    QCOMPARE(errorOf([&] { Database::create(path); }), err::DatabaseExists);
    QCOMPARE(errorOf([&] { buildNewDatabase(path); }), err::DatabaseExists);
    QCOMPARE(contentsOf(path), QByteArray("not to be touched"));

    const QByteArray before = contentsOf(m_register->path());
    QCOMPARE(errorOf([&] { buildNewDatabase(m_register->path()); }), err::DatabaseExists);
    QCOMPARE(contentsOf(m_register->path()), before);

    auto db = Database::create(m_register->file(QStringLiteral("new.mdb")));
    db->createTable(schema::labelsTable());
    QCOMPARE(errorOf([&] { db->createTable(schema::labelsTable()); }), err::TableExists);
}

void TestDatabase::openMissingFile()
{
    const QString path = m_register->file(QStringLiteral("absent.mdb"));
    QCOMPARE(errorOf([&] { Database::open(path); }), err::FileNotFound);
    QCOMPARE(errorOf([&] { Database::open(path, Database::Mode::Exclusive); }), err::FileNotFound);
    QVERIFY(!QFile::exists(path));
}

void TestDatabase::notOurFileIsLeftAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("mode");
    const QByteArray earlier = contentsOf(test::testData(QStringLiteral("mdb/zelk2002.mdb")));
    QVERIFY(earlier.startsWith(QByteArray("\0\1\0\0Standard Jet DB", 19)));
    const QByteArray header("SQLite format 3\0", 16);
    for (const int mode : {int(Database::Mode::Shared), int(Database::Mode::Exclusive)}) {
        const char* m = mode == int(Database::Mode::Shared) ? " shared" : " exclusive";
        QTest::newRow(QByteArray("earlier edition's file").append(m)) << earlier << mode;
        QTest::newRow(QByteArray("empty file").append(m)) << QByteArray() << mode;
        QTest::newRow(QByteArray("text file").append(m)) << QByteArray("Number,Surname\r\n1,Smith\r\n") << mode;
        QTest::newRow(QByteArray("SQLite header, then rubbish").append(m)) << header + QByteArray(4080, '\x7f') << mode;
    }
}

void TestDatabase::notOurFileIsLeftAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, mode);
    const QString path = m_register->file(QStringLiteral("zelk2002-other.mdb"));
    writeFile(path, bytes);
    QCOMPARE(errorOf([&] { Database::open(path, Database::Mode(mode)); }), err::NotAnSqliteFile);
    QCOMPARE(contentsOf(path), bytes);
    QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
}

void TestDatabase::exclusiveHolderInAnotherProcess()
{
    const QString path = m_register->path();
    QProcess holder;
    holder.start(QStringLiteral(ZELK_HOLD_EXCLUSIVE), {path});
    QVERIFY2(holder.waitForStarted(), qPrintable(holder.errorString()));
    auto stop = qScopeGuard([&] {
        holder.closeWriteChannel();
        if (!holder.waitForFinished(10000))
            holder.kill();
    });
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    QCOMPARE(errorOf([&] { Database::open(path); }), err::LockedExclusively);
    QCOMPARE(errorOf([&] { Database::open(path, Database::Mode::Exclusive); }), err::LockedExclusively);

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(holder.exitCode(), 0);
    auto db = Database::open(path);
    QCOMPARE(db->openRecordset(QStringLiteral("Labels"))->recordCount(), 6);
}

void TestDatabase::twoSharedConnections()
{
    auto second = Database::open(m_register->path());
    {
        auto rs = second->openRecordset(QStringLiteral("Members"));
        rs->addNew();
        rs->setField(QStringLiteral("Member Type"), QStringLiteral("Full"));
        rs->update();
    }
    auto seen = m_register->db().openRecordset(QStringLiteral("Select * from Members"));
    QCOMPARE(seen->recordCount(), 1);
    seen->edit();
    seen->setField(QStringLiteral("Member Type"), QStringLiteral("Life"));
    seen->update();
    auto back = second->openRecordset(QStringLiteral("Members"));
    QCOMPARE(back->field(QStringLiteral("Member Type")).toString(), QStringLiteral("Life"));
}

void TestDatabase::transactionsGroupWrites()
{
    Database& db = m_register->db();
    auto addType = [&](const char* name) {
        auto rs = db.openRecordset(QStringLiteral("Members"));
        rs->addNew();
        rs->setField(QStringLiteral("Member Type"), QString::fromLatin1(name));
        rs->update();
    };
    db.beginTrans();
    QVERIFY(db.inTransaction());
    addType("Dropped");
    db.rollback();
    db.beginTrans();
    addType("Kept");
    db.commitTrans();
    QVERIFY(!db.inTransaction());
    auto other = Database::open(m_register->path());
    auto rs = other->openRecordset(QStringLiteral("Members"));
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->field(0).toString(), QStringLiteral("Kept"));
}

void TestDatabase::fileRefusesBadRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("result");   // the extended result code
    auto refused = [](const char* name, const QString& sql) { QTest::newRow(name) << sql << int(SQLITE_CONSTRAINT_CHECK); };
    auto kept = [](const char* name, const QString& sql) { QTest::newRow(name) << sql << int(SQLITE_OK); };

    QTest::newRow("duplicate label name") << QStringLiteral("INSERT INTO Labels (LabelName) VALUES ('L7162')") << int(SQLITE_CONSTRAINT_UNIQUE);
    QTest::newRow("duplicate label name, other case") << QStringLiteral("INSERT INTO Labels (LabelName) VALUES ('l7162')") << int(SQLITE_CONSTRAINT_UNIQUE);
    kept("new label name", QStringLiteral("INSERT INTO Labels (LabelName, TopMargin, LabelsWide) VALUES ('A4', 0.5, 2)"));
    refused("empty membership type", QStringLiteral("INSERT INTO Members (\"Member Type\") VALUES ('')"));
    kept("Null membership type", QStringLiteral("INSERT INTO Members (\"Member Type\") VALUES (NULL)"));
    refused("empty lookup", QStringLiteral("INSERT INTO Lookups (Lookups) VALUES ('')"));
    refused("empty label name", QStringLiteral("INSERT INTO Labels (LabelName) VALUES ('')"));
    kept("empty title", QStringLiteral("INSERT INTO Zelk (Title) VALUES ('')"));
    refused("title of 101 characters", QStringLiteral("INSERT INTO Zelk (Title) VALUES ('%1')").arg(QString(101, u'x')));
    kept("title of 100 characters", QStringLiteral("INSERT INTO Zelk (Title) VALUES ('%1')").arg(QString(100, u'é')));
    refused("suffix of 11 characters", QStringLiteral("INSERT INTO Zelk (Suffix) VALUES ('%1')").arg(QString(11, u'x')));
    refused("no such day", QStringLiteral("INSERT INTO Zelk (RenewDate) VALUES ('2026-02-30')"));
    refused("date in the user's form", QStringLiteral("INSERT INTO Zelk (RenewDate) VALUES ('28/02/2026')"));
    refused("date as a number", QStringLiteral("INSERT INTO Zelk (Birthday) VALUES (46000)"));
    kept("leap day", QStringLiteral("INSERT INTO Zelk (RenewDate) VALUES ('2028-02-29')"));
    kept("date and time", QStringLiteral("INSERT INTO Zelk (JoinDate) VALUES ('2026-02-28 23:59:59')"));
    refused("no such time", QStringLiteral("INSERT INTO Zelk (JoinDate) VALUES ('2026-02-28 24:00:00')"));
    refused("text in a Long", QStringLiteral("INSERT INTO Zelk (Number) VALUES ('abc')"));
    refused("Long too large", QStringLiteral("INSERT INTO Zelk (Number) VALUES (2147483648)"));
    refused("fraction in a Long", QStringLiteral("INSERT INTO Zelk (Number) VALUES (1.5)"));
    refused("Integer too large", QStringLiteral("INSERT INTO Labels (LabelName, LabelsWide) VALUES ('X', 32768)"));
    refused("text in a Single", QStringLiteral("INSERT INTO Labels (LabelName, TopMargin) VALUES ('X', 'wide')"));
    refused("text in a Currency", QStringLiteral("INSERT INTO Zelk (FeePaid) VALUES ('£12.50')"));
    refused("2 in a Boolean", QStringLiteral("INSERT INTO Zelk (Lapsed) VALUES (2)"));
    refused("-1 in a Boolean", QStringLiteral("INSERT INTO Zelk (Lapsed) VALUES (-1)"));
    refused("bytes in a text", QStringLiteral("INSERT INTO Zelk (Surname) VALUES (X'00FF')"));
    refused("bad value by update", QStringLiteral("UPDATE Zelk SET Title = '%1'").arg(QString(101, u'x')));
}

void TestDatabase::fileRefusesBadRows()
{
    QFETCH(QString, sql);
    QFETCH(int, result);
    m_register->db().close();
    RawConnection raw(m_register->path());
    QVERIFY(raw.opened());
    QCOMPARE(raw.exec(QStringLiteral("BEGIN")), SQLITE_OK);
    const int rc = raw.exec(sql);
    QVERIFY2(rc == result, qPrintable(QStringLiteral("result %1: %2").arg(rc).arg(raw.message())));
    raw.exec(QStringLiteral("ROLLBACK"));
}

void TestDatabase::otherToolsCanReadTheFile()
{
    {
        auto rs = m_register->db().openRecordset(QStringLiteral("Zelk"));
        for (const char* surname : {"smith", "Émile", "Adams"}) {
            rs->addNew();
            rs->setField(QStringLiteral("Surname"), QString::fromUtf8(surname));
            rs->update();
        }
    }
    m_register->db().close();
    RawConnection raw(m_register->path());
    QVERIFY(raw.opened());
    QCOMPARE(raw.column(QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")});
    QCOMPARE(raw.column(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE replace(sql, 'COLLATE NOCASE', '') LIKE '%COLLATE%'")),
             QStringList{QStringLiteral("0")});
    QCOMPARE(raw.column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid")),
             QStringList({QStringLiteral("Zelk"), QStringLiteral("Lookups"), QStringLiteral("Members"),
                          QStringLiteral("Settings"), QStringLiteral("Labels")}));
    QCOMPARE(raw.column(QStringLiteral("SELECT Surname FROM Zelk WHERE Surname <> '' ORDER BY Surname")),
             QStringList({QStringLiteral("Adams"), QStringLiteral("smith"), QStringLiteral("Émile")}));
    QCOMPARE(raw.column(QStringLiteral("SELECT TopMargin FROM Labels WHERE LabelName = 'l7162'")), QStringList{QStringLiteral("0.54")});
    QCOMPARE(raw.column(QStringLiteral("SELECT LastNumber || ' ' || YearEnd FROM Settings")), QStringList{QStringLiteral("1 1y")});
}

ZELK_TEST(TestDatabase)
#include "tst_database.moc"
