// The register's schema version: a new register carries the current one, and an older
// register is brought up to it whole, or left exactly as it was.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "data/create_db.h"
#include "data/schema_version.h"
#include "engine/database.h"
#include "engine/engine_error.h"

#include <QFile>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A register as an earlier release left it: no version, and its label sheets as `sql` leaves them.
void makeOlderRegister(const QString& file, const QString& sql)
{
    buildNewDatabase(file);
    auto db = Database::open(file);
    db->execute(sql);
    db->setUserVersion(0);
}

QStringList sheets(const QString& file)
{
    return registerRows(file, "Select LabelName from Labels");
}

const QStringList kSixSheets{"L7159", "L7160", "L7162", "L7163", "5159", "5162"};

} // namespace

class SchemaVersionTest : public QObject {
    Q_OBJECT

private slots:
    void anOlderRegisterGainsItsLabelSheets_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("sheets");   // after the upgrade, in stored order
        QTest::newRow("no table Labels") << "DROP TABLE Labels" << kSixSheets;
        QTest::newRow("one sheet missing") << "DELETE FROM Labels WHERE LabelName = \"L7160\""
                                           << QStringList{"L7159", "L7162", "L7163", "5159", "5162", "L7160"};
        QTest::newRow("all there") << "UPDATE Labels SET TopMargin = 1 WHERE LabelName = \"5159\"" << kSixSheets;
    }
    void anOlderRegisterGainsItsLabelSheets()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, sheets);
        TestWorld world;
        const QString file = world.file("zelk2002.mdb");
        makeOlderRegister(file, sql);
        upgradeRegister(*Database::open(file));
        QCOMPARE(::sheets(file), sheets);
        QCOMPARE(Database::open(file)->userVersion(), kSchemaVersion);
        QCOMPARE(registerRows(file, "Select TopMargin from Labels where LabelName = \"5159\""),
                 QStringList{sql.startsWith("UPDATE") ? "1" : "0.25"});   // a sheet there is kept as it is
    }

    // A register already up to date, and another program's database, are left byte for byte.
    void aFileNeedingNoUpgradeIsNotTouched()
    {
        TestWorld world;
        const QString current = world.file("zelk2002.mdb"), things = world.file("things.db");
        buildNewDatabase(current);
        Database::create(things)->execute("CREATE TABLE Things (Name TEXT)");
        for (const QString& file : {current, things}) {
            const QByteArray before = contents(file);
            upgradeRegister(*Database::open(file));
            QCOMPARE(contents(file), before);
        }
    }

    // Another connection writing: the upgrade fails and leaves nothing of itself behind.
    void anUpgradeThatCannotFinishKeepsNothing()
    {
        TestWorld world;
        const QString file = world.file("zelk2002.mdb");
        makeOlderRegister(file, "DROP TABLE Labels");
        auto other = Database::open(file);
        other->beginTrans();
        other->execute("UPDATE Settings SET LastNumber = 7");
        auto db = Database::open(file);
        try {
            upgradeRegister(*db);
            QFAIL("the upgrade went through a write lock");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), err::RecordLocked);
        }
        QVERIFY(!db->inTransaction());
        other->rollback();
        QCOMPARE(db->userVersion(), 0);
        QVERIFY(!db->tableExists("Labels"));
    }
};

ZELK_TEST(SchemaVersionTest)
#include "tst_schema_version.moc"
