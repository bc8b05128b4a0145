// Another program holding the register (the sqlite3 tool's BEGIN EXCLUSIVE) makes the
// program's reads and writes report a lock, never a missing table or a damaged file.
#include "engine_fixture.h"

#include "testlib/test_registry.h"

#include <QScopeGuard>
#include <QTest>

#include <sqlite3.h>

using namespace zelk;
using namespace zelk::test;

class TestLockedRegister : public QObject {
    Q_OBJECT

private slots:
    // A row that could not be read under the lock is read again afterwards: the failed read
    // leaves nothing behind that passes for the row (nor for the row read before it).
    void aLockIsReportedAsALockAndNothingReadUnderItIsKept()
    {
        EngineRegister reg;
        reg.db().execute(u"INSERT INTO Zelk (Number, Surname, Address1) VALUES (2, \"Smith\", \"1 High St\")"_s);
        auto rs = reg.db().openRecordset(u"Select * from Zelk ORDER BY Number"_s);
        rs->moveFirst();
        QCOMPARE(rs->field(u"Number"_s).toInt(), 1);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(reg.path().toUtf8().constData(), &other), SQLITE_OK);
        auto closeOther = qScopeGuard([&] { sqlite3_close(other); });
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

        QCOMPARE(errorOf([&] { reg.db().fields(u"Zelk"_s); }), err::RecordLocked);
        QCOMPARE(errorOf([&] { reg.db().openRecordset(u"Select * from Zelk ORDER BY Surname"_s); }), err::RecordLocked);
        rs->moveNext();
        QCOMPARE(errorOf([&] { rs->field(u"Number"_s); }), err::RecordLocked);

        QCOMPARE(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        QCOMPARE(column(reg.db(), u"Select * from Zelk ORDER BY Surname"_s, u"Number"_s), (QStringList{u"1"_s, u"2"_s}));
        rs->movePrevious();
        rs->edit();
        QCOMPARE(rs->field(u"Number"_s).toInt(), 1);
        rs->cancelUpdate();
        rs->moveNext();
        QCOMPARE(rs->field(u"Surname"_s).toString(), u"Smith"_s);
    }
};

ZELK_TEST(TestLockedRegister)
#include "tst_locked_register.moc"
