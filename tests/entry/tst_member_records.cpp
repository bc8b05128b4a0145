// The main window as a secretary uses it: adding, amending, undoing and deleting members,
// moving through the register and ending the program. How a member is stored is the
// member record's own test; here are the buttons, the messages and the keys.
#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "three_members.h"

#include "config/frm_lookups.h"
#include "core/program_info.h"
#include "data/create_db.h"
#include "ui/message_box.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

// The four navigation buttons, the search and New are enabled and disabled together.
bool navigationOn(frmZelkMain& w)
{
    const bool on = w.cmdNext[0]->isEnabled();
    if (w.hasUnsavedChange() == on)
        return !on;
    for (auto* b : w.cmdNext)
        if (b->isEnabled() != on)
            return !on;
    return w.mnuSearch->isEnabled() == on && w.Command1[2]->isEnabled() == on ? on : !on;
}

void fill(frmZelkMain& w, const QString& number, const QString& surname, const QString& address)
{
    w.setBoxText(kNumberBox, number);
    w.setBoxText(kSurnameBox, surname);
    w.setBoxText(kAddress1Box, address);
}

const MessageRequest& lastMessage()
{
    return MessageScript::asked().last();
}

} // namespace

class MemberRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void addingNumbersTheMemberAndTheNextNewTakesTheNextNumber()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.Command1_Click(2);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("5"));
        QVERIFY(!navigationOn(w));
        w.Command1_Click(2);                     // two News, one save: the counter rises by one
        fill(w, QStringLiteral("500"), QStringLiteral("Brown"), QStringLiteral("9 New Street"));
        QTest::mouseClick(w.Command1[0], Qt::LeftButton);
        QVERIFY(navigationOn(w));
        QCOMPARE(p.state().NewMember, 0);
        QCOMPARE(rows(p, "Select count(*), max(LastNumber) from Zelk, Settings"), QStringList{QStringLiteral("5|5")});
        w.Command1_Click(2);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("6"));
    }

    // A refused new member ends the edit but stays new; a move then never saves a copy of it.
    void missingDetailIsRefusedAndAMoveNeverLeadsToACopy()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.Command1_Click(2);
        fill(w, QStringLiteral("5"), QStringLiteral("Jones"), QStringLiteral("  "));
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(asked(), QList<MessageRequest>{information("Not enough detail",
                                                                    "I cannot save a member unless you have entered at least:\n\n"
                                                                    "   A membership number\n   A surname\n"
                                                                    "   The first line of their address\n")});
        QVERIFY(navigationOn(w));            // a refused save still ends the edit
        QCOMPARE(p.state().NewMember, -1);   // and the member is still new
        w.cmdNext_Click(3);                  // to Young, a stored member
        w.setBoxText(6, QStringLiteral("Yvonne"));
        w.Command1_Click(0);
        QCOMPARE(rows(p, "Select Number, FirstName from Zelk where Surname = \"Young\""), QStringList{QStringLiteral("4|Yvonne")});
        QCOMPARE(rows(p, "Select count(*) from Zelk"), QStringList{QStringLiteral("4")});
    }

    void undoAsksAndEitherAnswerEndsTheEdit()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, QStringLiteral("Typed"));
        w.Tag[6] = QStringLiteral("Convert");
        MessageScript::answer(MsgAnswer::No);
        w.Command1_Click(1);
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure that you want to undo all changes?"));
        QCOMPARE(lastMessage().title, QStringLiteral("Just checking"));
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::No);
        QCOMPARE(w.boxText(6), QStringLiteral("Typed"));   // No keeps the text on screen
        QVERIFY(navigationOn(w));
        QCOMPARE(w.Tag[6], QString());
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(1);
        QCOMPARE(w.boxText(6), QStringLiteral("Yan"));
        // Undoing a new member shows the member before it, then the search.
        w.cmdNext_Click(0);
        w.cmdNext_Click(2);
        w.Command1_Click(2);
        MessageScript::answer(MsgAnswer::Yes);
        OpenedWindows opened;
        w.Command1_Click(1);
        QCOMPARE(opened.titles, QStringList{QStringLiteral("Zelk Membership Search")});
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Adams"));
        QCOMPARE(p.state().NewMember, 0);
        QVERIFY(navigationOn(w));
    }

    void deleteAsksThenShowsTheNextMemberAndSparesTheOneBehindANewMember()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(2);   // Adams
        MessageScript::answer(MsgAnswer::No);
        w.Command1_Click(3);
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure that you want to delete this member?"));
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::Yes);
        QCOMPARE(rows(p, "Select count(*) from Zelk"), QStringList{QStringLiteral("4")});
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(3);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Smith"));   // the next in the order
        w.cmdNext_Click(3);
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(3);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Smith"));   // the new last
        QCOMPARE(rows(p, "Select Surname from Zelk order by Number"), (QStringList{"", "Smith"}));
        // A new member not yet saved is not the stored member behind it.
        w.Command1_Click(2);
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(3);
        QCOMPARE(lastMessage().title, QStringLiteral("No-one to delete"));
        QCOMPARE(rows(p, "Select count(*) from Zelk"), QStringList{QStringLiteral("2")});
    }

    void navigationStopsAtBothEnds()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        QStringList seen;
        for (int button : {1, 3, 2, 2, 1, 0}) {   // Previous on the first, Next twice on the last
            w.cmdNext_Click(button);
            seen << w.boxText(kSurnameBox);
        }
        QCOMPARE(seen, (QStringList{"", "Young", "Young", "Young", "Smith", ""}));
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void eachSortOrderShowsItsFirstMemberAndOpensTheSearch_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("surnames");
        QTest::newRow("membership type") << 0 << "MemberType" << QStringList{"", "Young", "Smith", "Adams"};
        QTest::newRow("number") << 1 << "Number" << QStringList{"", "Smith", "Adams", "Young"};
        QTest::newRow("renewal date") << 2 << "RenewDate" << QStringList{"", "Adams", "Smith", "Young"};
    }
    void eachSortOrderShowsItsFirstMemberAndOpensTheSearch()
    {
        QFETCH(int, item);
        QFETCH(QString, field);
        QFETCH(QStringList, surnames);
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, QStringLiteral("typing let go"));   // the menu works during an edit, once asked
        OpenedWindows opened;
        MessageScript::answer(MsgAnswer::No);
        w.mnuSort[item]->trigger();
        QCOMPARE(opened.titles, QStringList{QStringLiteral("Zelk Membership Search")});
        QCOMPARE(p.state().SQLText, QStringLiteral("Select * from Zelk ORDER BY %1").arg(field));
        QStringList seen;
        for (int i = 0; i < 4; ++i, w.cmdNext_Click(2))
            seen << w.boxText(kSurnameBox);
        QCOMPARE(seen, surnames);
    }

    void menusAndListBoxesOpenTheirWindowsOrSayWhyNot()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        OpenedWindows opened;
        for (auto* item : w.mnuOptions)
            item->trigger();
        w.mnuSearch->trigger();
        QTest::mouseDClick(w.txtInfo[kMemberTypeBox], Qt::LeftButton);
        QTest::mouseDClick(w.txtInfo[24], Qt::LeftButton);
        QTest::mouseDClick(w.txtInfo[5], Qt::LeftButton);   // other boxes open nothing
        w.mnuHelpAbout->trigger();
        QCOMPARE(opened.titles, (QStringList{"Bramwick Zelk Membership - defaults", "Bramwick Zelk Membership - on screen text",
                                             "Include/skip fields on data entry", "Reset Automatic Numbering",
                                             "Set your Zelk's default dates", "Navigation keys", "Find web browser",
                                             "Zelk Membership Search", "Membership Types", "Lookups", "About Zelk Membership"}));
        // Help's Index says there is no help file yet, rather than doing nothing.
        answer(MsgAnswer::OK);
        w.mnuHelpIndex->trigger();
        const MessageRequest noHelp{QStringLiteral("Help file still to be created"), QStringLiteral("Zelk Membership"),
                                    MsgButtons::OK, MsgIcon::None, MsgAnswer::OK};
        QCOMPARE(asked(), QList<MessageRequest>{noHelp});
    }

    // The list window gets the box's value and gives back the one chosen, which the box takes.
    void aValueChosenFromAListFillsTheBox()
    {
        TestProgram p;
        threeMembers(p);
        Database::open(p.databasePath())->execute(QStringLiteral("INSERT INTO Lookups (Lookups) VALUES (\"Committee\")"));
        auto& w = p.main();
        w.cmdNext_Click(3);
        QString highlighted;
        setModalHandler([&](QDialog& d) {
            auto& lists = static_cast<frmLookups&>(d);
            highlighted = lists.selectedValue();
            lists.List1->setCurrentRow(0);
            lists.Command1_Click(1);
        });
        w.setBoxText(24, QStringLiteral("Gardening"));
        QTest::mouseDClick(w.txtInfo[24], Qt::LeftButton);
        setModalHandler({});
        QCOMPARE(highlighted, QString());   // "Gardening" is not in the list
        QCOMPARE(w.boxText(24), QStringLiteral("Committee"));
        QVERIFY(w.hasUnsavedChange());
    }

    // From Smith, in the order placeholder, Adams, Smith, Young; the keypad's keys are the
    // main keys.
    void ctrlPageKeysFollowTheChosenDirection_data()
    {
        QTest::addColumn<int>("pageDir");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("shown");
        QTest::newRow("PageDir 1, Ctrl+PageUp goes back") << 1 << int(Qt::Key_PageUp) << false << "Adams";
        QTest::newRow("PageDir 0, Ctrl+PageUp goes on") << 0 << int(Qt::Key_PageUp) << false << "Young";
        QTest::newRow("PageDir 0, Ctrl+PageDown goes back") << 0 << int(Qt::Key_PageDown) << false << "Adams";
        QTest::newRow("Ctrl+Home") << 1 << int(Qt::Key_Home) << false << "";
        QTest::newRow("Ctrl+End") << 1 << int(Qt::Key_End) << false << "Young";
        QTest::newRow("keypad Ctrl+PageDown") << 1 << int(Qt::Key_PageDown) << true << "Young";
        QTest::newRow("keypad Ctrl+Home") << 1 << int(Qt::Key_Home) << true << "";
    }
    void ctrlPageKeysFollowTheChosenDirection()
    {
        QFETCH(int, pageDir);
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(QString, shown);
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        p.state().PageDir = pageDir;
        w.cmdNext_Click(2);
        w.cmdNext_Click(2);
        w.txtInfo[5]->setFocus();
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier | (keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QTest::keyClick(w.txtInfo[5], Qt::Key(key), ctrl);
        QCOMPARE(w.boxText(kSurnameBox), shown);
        // With Shift held as well, or during an edit, the keys do not move.
        w.cmdNext_Click(0);
        QTest::keyClick(w.txtInfo[5], Qt::Key(key), ctrl | Qt::ShiftModifier);
        w.setBoxText(6, QStringLiteral("edit"));
        w.txtInfo[5]->setFocus();
        QTest::keyClick(w.txtInfo[5], Qt::Key(key), ctrl);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("1"));
    }

    // An empty register shows empty boxes, at start-up and after deleting the last member;
    // moving shows nothing, quietly, and after Undo the next save still adds.
    void anEmptyRegisterAddsOnSave_data()
    {
        QTest::addColumn<bool>("deleteLast");
        QTest::newRow("empty at start-up") << false;
        QTest::newRow("after deleting the last member") << true;
    }
    void anEmptyRegisterAddsOnSave()
    {
        QFETCH(bool, deleteLast);
        TestProgram p;
        buildNewDatabase(p.databasePath());
        if (!deleteLast)
            Database::open(p.databasePath())->execute(QStringLiteral("DELETE FROM Zelk"));
        p.start();
        auto& w = p.main();
        if (deleteLast) {
            answer(MsgAnswer::Yes);
            w.Command1_Click(3);   // the placeholder
            answer(MsgAnswer::OK);
            w.Command1_Click(3);
            QCOMPARE(asked().last(), exclamation("No-one to delete",
                                                 "You haven't entered any members, which means you can't delete anyone!"));
        }
        for (int i = 0; i < kBoxCount; ++i)
            QCOMPARE(w.boxText(i), QString());
        QVERIFY(navigationOn(w));
        QCOMPARE(p.state().NewMember, -1);
        w.cmdNext_Click(2);
        QCOMPARE(w.boxText(kNumberBox), QString());
        fill(w, QStringLiteral("9"), QStringLiteral("Typed"), QStringLiteral("Then undone"));
        OpenedWindows opened;   // undoing a new member opens the search
        answer(MsgAnswer::Yes);
        w.Command1_Click(1);
        QCOMPARE(w.boxText(kSurnameBox), QString());
        fill(w, QStringLiteral("7"), QStringLiteral("First"), QStringLiteral("1 Start"));
        w.Command1_Click(0);
        QCOMPARE(rows(p, "Select Number, Surname, LastNumber from Zelk, Settings"), QStringList{QStringLiteral("7|First|2")});
        // Typed again and closed: Yes to the question stores it.
        fill(w, QStringLiteral("7"), QStringLiteral("First"), QStringLiteral("2 Start"));
        answer(MsgAnswer::Yes);
        QVERIFY(w.close());
        QCOMPARE(rows(p, "Select Address1 from Zelk"), QStringList{QStringLiteral("2 Start")});
    }

    // The About box says what the program is, its version, and where the register is kept.
    void theAboutBox()
    {
        TestProgram p;
        p.start();
        QString title;
        QStringList shown;
        setModalHandler([&](QDialog& d) {
            title = d.windowTitle();
            for (const QLabel* label : d.findChildren<QLabel*>())
                shown << label->text();
            d.done(QDialog::Accepted);
        });
        p.main().mnuHelpAbout->trigger();
        setModalHandler({});
        QCOMPARE(title, QStringLiteral("About Zelk Membership"));
        QCOMPARE(shown, (QStringList{"Zelk Membership", "Version " + programVersion(),
                                     "Keeps the membership register of a club or society.",
                                     "Your register is kept in\n" + QDir::toNativeSeparators(p.databasePath())}));
    }

    void endingTheProgramAsks()
    {
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        MessageScript::answer(MsgAnswer::No);
        w.mnuFile[2]->trigger();
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure you want to end the program?"));
        QCOMPARE(lastMessage().title, QStringLiteral("End program?"));
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::Yes);
        MessageScript::answer(MsgAnswer::No);
        QVERIFY(!w.close());
        MessageScript::answer(MsgAnswer::Yes);
        w.mnuFile[2]->trigger();
        QVERIFY(!w.isVisible());
    }

    void duringAnEditExitDoesNothingAndClosingAsksToSave_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("save") << int(MsgAnswer::Yes) << true << "Changed";
        QTest::newRow("do not save") << int(MsgAnswer::No) << true << "Yan";
        QTest::newRow("go back") << int(MsgAnswer::Cancel) << false << "Yan";
    }
    void duringAnEditExitDoesNothingAndClosingAsksToSave()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QString, stored);
        TestProgram p;
        threeMembers(p);
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, QStringLiteral("Changed"));
        w.mnuFile[2]->trigger();
        QVERIFY(MessageScript::asked().isEmpty() && w.isVisible());
        MessageScript::answer(MsgAnswer(answer));
        QCOMPARE(w.close(), closed);
        QCOMPARE(lastMessage().title, QStringLiteral("Unsaved changes"));
        QCOMPARE(lastMessage().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(rows(p, "Select FirstName from Zelk where Number = 4"), QStringList{stored});
    }
};

ZELK_TEST(MemberRecordsTest)
#include "tst_member_records.moc"
