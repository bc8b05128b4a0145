// The member being changed is never lost and never written over another: while another
// program holds the register, when the members are reordered during an edit, and when the
// membership numbers run out.
#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "three_members.h"

#include "config/frm_zelk_defaults.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

QStringList firstNames(TestProgram& p)
{
    return registerRows(p.databasePath(), QStringLiteral("Select Surname, FirstName from Zelk where Number > 1 order by Number"));
}

// Another program holding the register for itself, as the sqlite3 tool's BEGIN EXCLUSIVE does.
struct OtherProgramHolds {
    std::unique_ptr<Database> db;
    explicit OtherProgramHolds(const QString& path) : db(Database::open(path)) { runSql(db->handle(), QStringLiteral("BEGIN EXCLUSIVE")); }
    void letGo() { db.reset(); }
};

const MessageRequest kInUse = exclamation("Register in use", "The register is in use by another program. Please try again in a moment.");

MessageRequest unsavedQuestion(const QString& before)
{
    return {"You have changed this member but not saved the changes.\n\nDo you want to save them before " + before + "?",
            "Unsaved changes", MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::Yes};
}

} // namespace

class EditsKeptTest : public QObject {
    Q_OBJECT

private slots:
    // Next while another program holds the register: the window keeps showing Adams and
    // says plainly why it cannot move; what is typed then is saved into Adams, never into
    // the member the failed move was heading for.
    void aLockDuringNextLeavesSaveOnTheMemberShown()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(0);
        w.cmdNext_Click(2);
        QCOMPARE(w.boxText(kSurnameBox), "Adams");
        {
            OtherProgramHolds other(p.databasePath());
            MessageScript::answer(MsgAnswer::OK);
            w.cmdNext_Click(2);
            QCOMPARE(MessageScript::asked(), QList<MessageRequest>{kInUse});
            QCOMPARE(w.boxText(kSurnameBox), "Adams");
        }
        w.setBoxText(6, "Anna");
        w.Command1_Click(0);
        QVERIFY(!w.hasUnsavedChange());
        QCOMPARE(firstNames(p), (QStringList{"Smith|John", "Adams|Anna", "Young|Yan"}));
    }

    // Save while another program holds the register: nothing is stored, the typing stays
    // on screen with the edit open, and the same Save works once the register is free.
    void aLockDuringSaveKeepsTheTypingForTheNextTry()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, "Yvonne");
        OtherProgramHolds other(p.databasePath());
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(MessageScript::asked(), QList<MessageRequest>{kInUse});
        QCOMPARE(w.boxText(6), "Yvonne");
        QVERIFY(w.hasUnsavedChange());
        other.letGo();
        w.Command1_Click(0);
        QVERIFY(!w.hasUnsavedChange());
        QCOMPARE(firstNames(p), (QStringList{"Smith|John", "Adams|Ada", "Young|Yvonne"}));
    }

    // A new sort order (Ctrl+N here) during an edit asks first, as closing does: save,
    // let the change go, or go back to it.
    void aNewSortOrderDuringAnEditAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("shown");
        QTest::newRow("save") << int(MsgAnswer::Yes) << "Changed" << "Number" << "";
        QTest::newRow("let it go") << int(MsgAnswer::No) << "Yan" << "Number" << "";
        QTest::newRow("go back") << int(MsgAnswer::Cancel) << "Yan" << "Surname" << "Changed";
    }
    void aNewSortOrderDuringAnEditAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(QString, stored);
        QFETCH(QString, order);
        QFETCH(QString, shown);
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, "Changed");
        OpenedWindows search;   // the search that follows a new sort order
        MessageScript::answer(MsgAnswer(answer));
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(MessageScript::asked(), QList<MessageRequest>{unsavedQuestion("the members are put in another order")});
        QCOMPARE(firstNames(p).last(), "Young|" + stored);
        QCOMPARE(p.state().SortOrder, order);
        QCOMPARE(w.boxText(6), shown);
        QCOMPARE(w.hasUnsavedChange(), answer == int(MsgAnswer::Cancel));
    }

    // The defaults window's Save reorders the members: during an edit it asks first, and
    // going back leaves the defaults window open with nothing stored.
    void theDefaultsWindowAsksBeforeReordering_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("defaultsSaved");
        QTest::newRow("save") << int(MsgAnswer::Yes) << "Changed" << true;
        QTest::newRow("let it go") << int(MsgAnswer::No) << "Yan" << true;
        QTest::newRow("go back") << int(MsgAnswer::Cancel) << "Yan" << false;
    }
    void theDefaultsWindowAsksBeforeReordering()
    {
        QFETCH(int, answer);
        QFETCH(QString, stored);
        QFETCH(bool, defaultsSaved);
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, "Changed");
        bool stillOpen = false;
        setModalHandler([&](QDialog& d) {
            auto& defaults = static_cast<frmZelkDefaults&>(d);
            defaults.optSortOrder[1]->setChecked(true);   // Number
            defaults.Command1_Click(1);
            stillOpen = d.result() != QDialog::Accepted;
        });
        MessageScript::answer(MsgAnswer(answer));
        w.mnuOptions[0]->trigger();
        setModalHandler({});
        QCOMPARE(MessageScript::asked(), QList<MessageRequest>{unsavedQuestion("the members are put in the new order")});
        QCOMPARE(stillOpen, !defaultsSaved);
        QCOMPARE(p.state().SortOrder, defaultsSaved ? "Number" : "Surname");
        QCOMPARE(firstNames(p).last(), "Young|" + stored);
        QCOMPARE(w.boxText(6), defaultsSaved ? "" : "Changed");
    }

    // With the counter at the largest number a member can have, a new member cannot be
    // numbered after it: the user is told what to do, and the member typed stays on screen.
    void aCounterThatCannotRiseKeepsTheNewMember()
    {
        TestProgram p;
        p.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}});
        Database::open(p.databasePath())->execute(QStringLiteral("UPDATE Settings SET LastNumber = 2147483647"));
        p.start();
        auto& w = p.main();
        w.Command1_Click(2);
        w.setBoxText(kNumberBox, "7");
        w.setBoxText(kSurnameBox, "Brown");
        w.setBoxText(kAddress1Box, "9 New Street");
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(MessageScript::asked(),
                 QList<MessageRequest>{exclamation("Member not saved",
                                                   "This member has not been saved: the automatic membership numbers have reached "
                                                   "the largest number a member can have, so no new member can be added.\n\n"
                                                   "Set the last number used to a lower one (Options, Reset Auto Number), "
                                                   "then save again.")});
        QCOMPARE(w.boxText(kSurnameBox), "Brown");
        QVERIFY(w.hasUnsavedChange());
        QCOMPARE(p.state().NewMember, -1);
        QCOMPARE(registerRows(p.databasePath(), "Select count(*), max(LastNumber) from Zelk, Settings"), QStringList{"2|2147483647"});
    }
};

ZELK_TEST(EditsKeptTest)
#include "tst_edits_kept.moc"
