// A member saved from what the main window holds: the detail a save needs, and the write of
// the member and the counter together, whole or not at all.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/app_state.h"
#include "data/create_db.h"
#include "entry/member_record.h"

#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

MemberEntry member(const QString& number, const QString& surname, const QString& address)
{
    MemberEntry m;
    m.boxes[kNumberBox] = number;
    m.boxes[kSurnameBox] = surname;
    m.boxes[kAddress1Box] = address;
    return m;
}

// A register holding Smith, number 2, with the counter at 4, open as the program opens it.
struct Register {
    TestWorld world;
    AppState state;

    Register()
    {
        state.DatabasePath = world.file("zelk2002.mdb");
        buildNewDatabase(state.DatabasePath);
        {
            auto db = Database::open(state.DatabasePath);
            db->execute("INSERT INTO Zelk (Number, Surname, Address1, FirstName) VALUES (2, \"Smith\", \"1 High St\", \"John\")");
            db->execute("UPDATE Settings SET LastNumber = 4");
        }
        state.openRegister(membersInOrder("Surname"));
        state.rsZelk->moveLast();   // Smith
    }
    QStringList rows(const QString& sql) const { return registerRows(state.DatabasePath, sql); }
    // Nothing half-done: no transaction open, no edit pending.
    bool tidy() const
    {
        return !state.dbZelk->inTransaction() && state.rsZelk->editMode() == Recordset::EditMode::None
               && state.rsSettings->editMode() == Recordset::EditMode::None;
    }
};

} // namespace

class MemberRecordTest : public QObject {
    Q_OBJECT

private slots:
    void aSaveNeedsNumberSurnameAndAddress_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("lacking");
        QTest::newRow("all three") << "5" << "Jones" << "4 Road" << false;
        QTest::newRow("no number") << "" << "Jones" << "4 Road" << true;
        QTest::newRow("a surname of blanks") << "5" << "   " << "4 Road" << true;
        QTest::newRow("no first address line") << "5" << "Jones" << "" << true;
    }
    void aSaveNeedsNumberSurnameAndAddress()
    {
        QFETCH(QString, number);
        QFETCH(QString, surname);
        QFETCH(QString, address);
        QFETCH(bool, lacking);
        QCOMPARE(lacksRequiredDetail(member(number, surname, address)), lacking);
    }

    // Blank boxes are Null, except the surname and the first address line.
    void blankBoxesAreStoredAsNull()
    {
        QCOMPARE(storedValue(6, "  "), QVariant());
        QCOMPARE(storedValue(6, " Ann "), QVariant(" Ann "));
        QCOMPARE(storedValue(kSurnameBox, "  "), QVariant("  "));
    }

    // The counter rises by one whatever number was typed; the record set stands on the new
    // member, so the next save amends it.
    void addingStoresTheMemberAndRaisesTheCounter()
    {
        Register r;
        MemberEntry brown = member("500", "Brown", "9 New Street");
        brown.lapsed = true;
        const qint64 row = storeMember(r.state, brown, true, 0);
        QCOMPARE(r.rows("Select Number, Surname, FirstName, Lapsed, Picture from Zelk where Surname = \"Brown\""),
                 QStringList{"500|Brown|<null>|true|<null>"});
        QCOMPARE(r.rows("Select LastNumber from Settings"), QStringList{"5"});
        brown.boxes[6] = "Bob";
        QCOMPARE(storeMember(r.state, brown, false, row), row);
        QCOMPARE(r.rows("Select count(*) from Zelk where Surname = \"Brown\" and FirstName = \"Bob\""), QStringList{"1"});
        QCOMPARE(r.rows("Select LastNumber from Settings"), QStringList{"5"});
        QVERIFY(r.tidy());
    }

    // An amendment goes to the member named, wherever the record set stands; a member
    // another program deleted meanwhile is not written again, and no other member is.
    void anAmendmentGoesToTheMemberNamedOnly()
    {
        Register r;
        const qint64 smith = r.state.rsZelk->bookmark();
        r.state.rsZelk->moveFirst();   // the placeholder
        storeMember(r.state, member("2", "Smith", "1 High St"), false, smith);
        QCOMPARE(r.rows("Select Number, Surname, FirstName from Zelk"), (QStringList{"1||", "2|Smith|<null>"}));
        QCOMPARE(r.state.rsZelk->bookmark(), smith);

        Database::open(r.state.DatabasePath)->execute("DELETE FROM Zelk WHERE Number = 2");
        for (const qint64 row : {smith, qint64(-1)}) {
            try {
                storeMember(r.state, member("2", "Smith", "1 High St"), false, row);
                QFAIL("a member no longer there was written");
            } catch (const EngineError& e) {
                QCOMPARE(e.number(), err::RecordDeleted);
            }
            QVERIFY(r.tidy());
        }
        QCOMPARE(r.rows("Select Number, Surname from Zelk"), QStringList{"1|"});
    }

    // A Settings row another program deleted while the register is open is put back by the
    // next new member, numbering on from the largest number in use.
    void aNewMemberPutsBackAMissingSettingsRow()
    {
        Register r;
        Database::open(r.state.DatabasePath)->execute("DELETE FROM Settings");
        storeMember(r.state, member("9", "Brown", "9 Road"), true, 0);
        QCOMPARE(r.rows("Select LastNumber, AllowSurname, YearEnd from Settings"), QStringList{"3|true|1y"});
        QCOMPARE(r.rows("Select Number from Zelk where Surname = \"Brown\""), QStringList{"9"});
        QVERIFY(r.tidy());
    }

    void aRefusedValueStoresNothing_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("number too large") << int(kNumberBox) << "99999999999" << int(err::Overflow);
        QTest::newRow("no such date") << int(kJoinDateBox) << "31/02/2026" << int(err::TypeMismatch);
        QTest::newRow("not an amount") << int(kFeeBox) << "twelve" << int(err::TypeMismatch);
        QTest::newRow("fax too long") << 16 << QString(51, u'9') << int(err::ValueTooLong);
    }
    void aRefusedValueStoresNothing()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(int, error);
        for (const bool adding : {true, false}) {
            Register r;
            MemberEntry m = member("5", "Smith", "1 High St");
            m.boxes[size_t(box)] = text;
            try {
                storeMember(r.state, m, adding, r.state.rsZelk->bookmark());
                QFAIL("the value was stored");
            } catch (const MemberValueRefused& e) {
                QCOMPARE(e.box(), box);
                QCOMPARE(e.number(), error);
            }
            QCOMPARE(r.rows("Select Number, FirstName, LastNumber from Zelk, Settings"), (QStringList{"1||4", "2|John|4"}));
            QVERIFY(r.tidy());
        }
    }

    // Another program writing to the register holds it while the counter and the member are
    // stored: neither is, the counter stays where it was, and nothing is left open.
    void aSaveTheRegisterRefusesLeavesTheCounter()
    {
        Register r;
        auto other = Database::open(r.state.DatabasePath);
        other->beginTrans();
        other->execute("UPDATE Lookups SET Lookups = \"x\"");
        try {
            storeMember(r.state, member("5", "Jones", "4 Road"), true, 0);
            QFAIL("the save went through another program's write");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), err::RecordLocked);
        }
        QVERIFY(r.tidy());
        other->rollback();
        QCOMPARE(r.rows("Select count(*), max(LastNumber) from Zelk, Settings"), QStringList{"2|4"});
        storeMember(r.state, member("5", "Jones", "4 Road"), true, 0);   // once the other program is done
        QCOMPARE(r.rows("Select count(*), max(LastNumber) from Zelk, Settings"), QStringList{"3|5"});
    }
};

ZELK_TEST(MemberRecordTest)
#include "tst_member_record.moc"
