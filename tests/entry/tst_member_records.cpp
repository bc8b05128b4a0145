// The main window as a secretary uses it: adding, amending, undoing and deleting members,
// moving through the register and ending the program.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "app/message_box.h"
#include "app/modal.h"
#include "entry/picture_box.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace zelk;
using zelk::test::registerRows;
using zelk::test::TestProgram;

namespace {

QVariantMap member(int number, const QString& surname, const QString& address, const QVariantMap& more = {})
{
    QVariantMap m{{"Number", number}, {"Surname", surname}, {"Address1", address}};
    for (auto it = more.begin(); it != more.end(); ++it)
        m.insert(it.key(), it.value());
    return m;
}

// A register of three members besides the placeholder; the counter stands at 4.
void threeMembers(TestProgram& p)
{
    p.addMember(member(2, "Smith", "1 High Street", {{"FirstName", "John"}, {"FeePaid", 12.5}, {"PostCode", "NR21 0AB"}, {"MemberType", "Full"}, {"RenewDate", QDate(2027, 4, 1)}}));
    p.addMember(member(3, "Adams", "2 Low Road", {{"FirstName", "Ann"}, {"PostCode", "AB1 2CD"}, {"MemberType", "Life"}, {"RenewDate", QDate(2026, 1, 1)}}));
    p.addMember(member(4, "Young", "3 Mill Lane", {{"FirstName", "Yan"}, {"PostCode", "ZZ9 9ZZ"}, {"MemberType", "Associate"}, {"RenewDate", QDate(2028, 6, 30)}}));
    auto db = Database::open(p.databasePath());
    db->execute(QStringLiteral("UPDATE Settings SET LastNumber = 4"));
}

bool navigationOn(frmZelkMain& w)
{
    const bool nav = w.cmdNext[0]->isEnabled();
    // The four buttons, the search and New go together.
    for (auto* b : w.cmdNext)
        if (b->isEnabled() != nav)
            return !nav;
    if (w.mnuSearch->isEnabled() != nav || w.Command1[2]->isEnabled() != nav)
        return !nav;
    return nav;
}

void type(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClicks(box, text);
}

void leave(QWidget* box)
{
    QTest::keyClick(box, Qt::Key_Tab);
}

const MessageRequest& lastMessage()
{
    return MessageScript::asked().last();
}

// Records the titles of the windows opened modally, closing each at once.
struct OpenedWindows {
    QStringList titles;
    OpenedWindows()
    {
        setModalHandler([this](QDialog& d) {
            titles << d.windowTitle();
            d.reject();
        });
    }
    ~OpenedWindows() { setModalHandler({}); }
};

} // namespace

class MemberRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(MessageScript::unexpected().isEmpty()); }

    void aNewRegisterShowsThePlaceholder()
    {
        TestProgram p;
        p.start();
        QCOMPARE(p.main().windowTitle(), QStringLiteral("Bramwick Zelk Membership: Enter or Amend Members"));
        QCOMPARE(p.main().boxText(kNumberBox), QStringLiteral("1"));
        QCOMPARE(p.main().boxText(kSurnameBox), QString());
        QVERIFY(navigationOn(p.main()));
        QCOMPARE(p.state().NewMember, 0);
    }

    void addingAMemberNumbersItAndLaterSavesAmendIt()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        QTest::mouseClick(w.Command1[2], Qt::LeftButton);   // New
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("5"));
        QCOMPARE(p.state().NewMember, -1);
        QVERIFY(!navigationOn(w));
        type(w.txtInfo[kSurnameBox], QStringLiteral("brown"));
        leave(w.txtInfo[kSurnameBox]);
        type(w.txtInfo[kAddress1Box], QStringLiteral("9 new street"));
        leave(w.txtInfo[kAddress1Box]);
        QTest::mouseClick(w.Command1[0], Qt::LeftButton);   // Save
        QVERIFY(MessageScript::asked().isEmpty());
        QVERIFY(navigationOn(w));
        QCOMPARE(p.state().NewMember, 0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Number, Surname, Address1, FirstName, Lapsed, Picture from Zelk where Number = 5")),
                 QStringList{QStringLiteral("5|Brown|9 New Street|<null>|false|<null>")});
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select LastNumber from Settings")), QStringList{QStringLiteral("5")});
        // The record set stands on the member added: the next save amends it and no other.
        QCOMPARE(p.state().rsZelk->field(QStringLiteral("Surname")).toString(), QStringLiteral("Brown"));
        type(w.txtInfo[6], QStringLiteral("Bob"));
        leave(w.txtInfo[6]);
        QTest::mouseClick(w.Command1[0], Qt::LeftButton);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Number, FirstName from Zelk where Surname = \"Brown\"")),
                 QStringList{QStringLiteral("5|Bob")});
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk")), QStringList{QStringLiteral("5")});
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select LastNumber from Settings")), QStringList{QStringLiteral("5")});
    }

    void aNumberTypedByHandStillRaisesTheCounterByOne()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.Command1_Click(2);
        w.Command1_Click(2);   // two News, one save: the counter rises by one
        w.setBoxText(kNumberBox, QStringLiteral("500"));
        w.setBoxText(kSurnameBox, QStringLiteral("Hand"));
        w.setBoxText(kAddress1Box, QStringLiteral("1 Road"));
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select LastNumber from Settings")), QStringList{QStringLiteral("5")});
        w.Command1_Click(2);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("6"));
    }

    void amendingStartsAnEditThatSaveEnds()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(2);   // Adams, after the placeholder
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Adams"));
        QCOMPARE(w.boxText(kFeeBox), QString());
        w.cmdNext_Click(2);
        QCOMPARE(w.boxText(kFeeBox), QStringLiteral("£12.50"));   // Smith's fee in the user's currency form
        type(w.txtInfo[14], QStringLiteral("01328 123456"));
        QVERIFY(!navigationOn(w));
        QTest::mouseClick(w.Command1[0], Qt::LeftButton);
        QVERIFY(navigationOn(w));
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Phone, FeePaid, RenewDate from Zelk where Number = 2")),
                 QStringList{QStringLiteral("01328 123456|12.5|2027-04-01")});
    }

    void ablankBoxIsStoredAsNull()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);   // Young
        w.setBoxText(6, QStringLiteral("   "));
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select FirstName from Zelk where Number = 4")), QStringList{QStringLiteral("<null>")});
    }

    void missingDetailIsRefusedWithTheThreeRequirements_data()
    {
        QTest::addColumn<int>("emptyBox");
        QTest::newRow("number") << int(kNumberBox);
        QTest::newRow("surname of blanks") << int(kSurnameBox);
        QTest::newRow("first address line") << int(kAddress1Box);
    }
    void missingDetailIsRefusedWithTheThreeRequirements()
    {
        QFETCH(int, emptyBox);
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.Command1_Click(2);
        w.setBoxText(kSurnameBox, QStringLiteral("Jones"));
        w.setBoxText(kAddress1Box, QStringLiteral("4 Road"));
        w.setBoxText(emptyBox, QStringLiteral("  "));
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(MessageScript::asked().size(), 1);
        QCOMPARE(lastMessage().text, QStringLiteral("I cannot save a member unless you have entered at least:\n\n"
                                                    "   A membership number\n   A surname\n   The first line of their address\n"));
        QCOMPARE(lastMessage().title, QStringLiteral("Not enough detail"));
        QCOMPARE(lastMessage().icon, MsgIcon::Information);
        QCOMPARE(lastMessage().buttons, MsgButtons::OK);
        QVERIFY(navigationOn(w));            // a refused save still ends the edit
        QCOMPARE(p.state().NewMember, -1);   // and the member is still new
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk")), QStringList{QStringLiteral("4")});
    }

    void afterARefusedNewMemberAMoveNeverLeadsToACopy()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.Command1_Click(2);
        w.setBoxText(kSurnameBox, QStringLiteral("Half"));
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);                 // refused: no address
        w.cmdNext_Click(3);                  // to Young, a stored member
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Young"));
        w.setBoxText(6, QStringLiteral("Yvonne"));
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Number, FirstName from Zelk where Surname = \"Young\"")),
                 QStringList{QStringLiteral("4|Yvonne")});
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk")), QStringList{QStringLiteral("4")});
    }

    void aRefusedValueSavesNothingAndNamesItsBox_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("number too large") << int(kNumberBox) << "99999999999"
                                          << "This member has not been saved. The Number box holds \"99999999999\", which is too large for it.\n\nPlease correct it and save again.";
        QTest::newRow("no such date") << int(kJoinDateBox) << "31/02/2026"
                                      << "This member has not been saved. The Join Date box holds \"31/02/2026\", which is not a date.\n\nPlease correct it and save again.";
        QTest::newRow("amount") << int(kFeeBox) << "twelve"
                                << "This member has not been saved. The Fee Paid box holds \"twelve\", which is not an amount.\n\nPlease correct it and save again.";
        QTest::newRow("too long") << 16 << QString(51, u'9')
                                  << "This member has not been saved. The Fax box holds \"" + QString(51, u'9') + "\", which is longer than it can hold.\n\nPlease correct it and save again.";
    }
    void aRefusedValueSavesNothingAndNamesItsBox()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.Command1_Click(2);
        w.setBoxText(kSurnameBox, QStringLiteral("Newman"));
        w.setBoxText(kAddress1Box, QStringLiteral("5 Road"));
        w.setBoxText(box, text);
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(lastMessage().text, message);
        QCOMPARE(lastMessage().title, QStringLiteral("Member not saved"));
        QCOMPARE(lastMessage().icon, MsgIcon::Exclamation);
        // Nothing half-written: no member, the counter where it was, the member still new.
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk")), QStringList{QStringLiteral("4")});
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select LastNumber from Settings")), QStringList{QStringLiteral("4")});
        QCOMPARE(p.state().NewMember, -1);
        QVERIFY(!navigationOn(w));
        QCOMPARE(QApplication::focusWidget(), w.box(box));
        // Corrected, it is saved once.
        w.setBoxText(box, box == kNumberBox ? QStringLiteral("5") : QString());
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk where Surname = \"Newman\"")), QStringList{QStringLiteral("1")});
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select LastNumber from Settings")), QStringList{QStringLiteral("5")});
    }

    void aRefusedAmendmentLeavesTheStoredMember()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(kFeeBox, QStringLiteral("lots"));
        w.setBoxText(6, QStringLiteral("Changed"));
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(lastMessage().title, QStringLiteral("Member not saved"));
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select FirstName, FeePaid from Zelk where Number = 4")),
                 QStringList{QStringLiteral("Yan|<null>")});
        w.setBoxText(kFeeBox, QStringLiteral("£5"));
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select FirstName, FeePaid from Zelk where Number = 4")),
                 QStringList{QStringLiteral("Changed|5")});
    }

    void undoAsksAndEitherAnswerEndsTheEdit()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, QStringLiteral("Typed"));
        w.Tag[6] = QStringLiteral("Convert");
        MessageScript::answer(MsgAnswer::No);
        w.Command1_Click(1);
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure that you want to undo all changes?"));
        QCOMPARE(lastMessage().title, QStringLiteral("Just checking"));
        QCOMPARE(lastMessage().buttons, MsgButtons::YesNo);
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::No);
        QCOMPARE(lastMessage().icon, MsgIcon::Question);
        QCOMPARE(w.boxText(6), QStringLiteral("Typed"));   // No keeps the text on screen
        QVERIFY(navigationOn(w));
        QCOMPARE(w.Tag[6], QString());

        w.setBoxText(6, QStringLiteral("Typed again"));
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(1);
        QCOMPARE(w.boxText(6), QStringLiteral("Yan"));
        QVERIFY(navigationOn(w));
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select FirstName from Zelk where Number = 4")), QStringList{QStringLiteral("Yan")});
    }

    void undoingANewMemberShowsTheMemberBefore()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(2);
        w.Command1_Click(2);
        w.setBoxText(kSurnameBox, QStringLiteral("Never"));
        MessageScript::answer(MsgAnswer::Yes);
        OpenedWindows opened;
        w.Command1_Click(1);
        QCOMPARE(opened.titles, QStringList{QStringLiteral("Zelk Membership Search")});   // straight to the search
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Adams"));
        QCOMPARE(p.state().NewMember, 0);
        QVERIFY(navigationOn(w));
    }

    void deleteAsksThenShowsTheNextMember()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(2);   // Adams
        MessageScript::answer(MsgAnswer::No);
        w.Command1_Click(3);
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure that you want to delete this member?"));
        QCOMPARE(lastMessage().title, QStringLiteral("Just checking"));
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::Yes);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk")), QStringList{QStringLiteral("4")});
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(3);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Smith"));   // the next in the order
        QVERIFY(registerRows(p.databasePath(), QStringLiteral("Select Number from Zelk where Number = 3")).isEmpty());
        w.cmdNext_Click(3);   // Young, the last
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(3);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Smith"));   // the new last
    }

    void deletingEveryoneLeavesAnEmptyWindowThatAddsOnSave()
    {
        TestProgram p;
        p.start();
        auto& w = p.main();
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1_Click(3);   // the placeholder
        QCOMPARE(w.boxText(kNumberBox), QString());
        QCOMPARE(p.state().NewMember, -1);
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(3);
        QCOMPARE(lastMessage().text, QStringLiteral("You haven't entered any members, which means you can't delete anyone!"));
        QCOMPARE(lastMessage().title, QStringLiteral("No-one to delete"));
        QCOMPARE(lastMessage().icon, MsgIcon::Exclamation);
        w.cmdNext_Click(2);   // moving in an empty register shows nothing, quietly
        w.setBoxText(kNumberBox, QStringLiteral("7"));
        w.setBoxText(kSurnameBox, QStringLiteral("First"));
        w.setBoxText(kAddress1Box, QStringLiteral("1 Start"));
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Number, Surname from Zelk")), QStringList{QStringLiteral("7|First")});
    }

    void deleteNeverRemovesTheMemberBehindANewOne()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(2);
        w.Command1_Click(2);
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(3);
        QCOMPARE(lastMessage().title, QStringLiteral("No-one to delete"));
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select count(*) from Zelk")), QStringList{QStringLiteral("4")});
    }

    void navigationStopsAtBothEnds()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(1);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("1"));   // Previous on the first
        w.cmdNext_Click(3);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Young"));
        w.cmdNext_Click(2);
        w.cmdNext_Click(2);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Young"));   // Next on the last
        QVERIFY(MessageScript::asked().isEmpty());
        w.cmdNext_Click(1);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Smith"));
        w.cmdNext_Click(0);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("1"));
    }

    void eachSortOrderShowsItsFirstMember_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("surnames");
        QTest::newRow("membership type") << 0 << "MemberType" << QStringList{"", "Young", "Smith", "Adams"};
        QTest::newRow("number") << 1 << "Number" << QStringList{"", "Smith", "Adams", "Young"};
        QTest::newRow("renewal date") << 2 << "RenewDate" << QStringList{"", "Adams", "Smith", "Young"};
        QTest::newRow("post code") << 3 << "PostCode" << QStringList{"", "Adams", "Smith", "Young"};
        QTest::newRow("surname") << 4 << "Surname" << QStringList{"", "Adams", "Smith", "Young"};
    }
    void eachSortOrderShowsItsFirstMember()
    {
        QFETCH(int, item);
        QFETCH(QString, field);
        QFETCH(QStringList, surnames);
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, QStringLiteral("typing the order throws away"));   // the menu works during an edit
        OpenedWindows opened;
        w.mnuSort[item]->trigger();
        QCOMPARE(opened.titles, QStringList{QStringLiteral("Zelk Membership Search")});
        QCOMPARE(p.state().SortOrder, field);
        QCOMPARE(p.state().SQLText, QStringLiteral("Select * from Zelk ORDER BY [%1]").arg(field));
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            seen << w.boxText(kSurnameBox);
            w.cmdNext_Click(2);
        }
        QCOMPARE(seen, surnames);
        QVERIFY(navigationOn(w));
    }

    void menusAndListBoxesOpenTheirWindows()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        OpenedWindows opened;
        for (auto* item : w.mnuOptions)
            item->trigger();
        w.mnuSearch->trigger();
        QTest::mouseDClick(w.txtInfo[kMemberTypeBox], Qt::LeftButton);
        QCOMPARE(p.state().WorkString, QStringLiteral("Type"));
        QTest::mouseDClick(w.txtInfo[24], Qt::LeftButton);
        QCOMPARE(p.state().WorkString, QStringLiteral("Lookup"));
        QCOMPARE(p.state().LookupField, 24);
        QTest::mouseDClick(w.txtInfo[5], Qt::LeftButton);   // other boxes open nothing
        QCOMPARE(opened.titles, (QStringList{"Bramwick Zelk Membership - defaults", "Bramwick Zelk Membership - on screen text",
                                             "Include/skip fields on data entry", "Reset Automatic Numbering",
                                             "Set your Zelk's default dates", "Navigation keys", "Find web browser",
                                             "Zelk Membership Search", "Membership Types", "Lookups"}));
    }

    void ctrlPageKeysFollowTheChosenDirection_data()
    {
        QTest::addColumn<int>("pageDir");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        // From Smith, in the order placeholder, Adams, Smith, Young.
        QTest::newRow("PageDir 1, Ctrl+PageUp goes back") << 1 << int(Qt::Key_PageUp) << "Adams";
        QTest::newRow("PageDir 1, Ctrl+PageDown goes on") << 1 << int(Qt::Key_PageDown) << "Young";
        QTest::newRow("PageDir 0, Ctrl+PageUp goes on") << 0 << int(Qt::Key_PageUp) << "Young";
        QTest::newRow("PageDir 0, Ctrl+PageDown goes back") << 0 << int(Qt::Key_PageDown) << "Adams";
        QTest::newRow("Ctrl+Home") << 1 << int(Qt::Key_Home) << "";
        QTest::newRow("Ctrl+End") << 1 << int(Qt::Key_End) << "Young";
    }
    void ctrlPageKeysFollowTheChosenDirection()
    {
        QFETCH(int, pageDir);
        QFETCH(int, key);
        QFETCH(QString, shown);
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        p.state().PageDir = pageDir;
        w.cmdNext_Click(2);
        w.cmdNext_Click(2);
        w.txtInfo[5]->setFocus();
        QTest::keyClick(w.txtInfo[5], Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(w.boxText(kSurnameBox), shown);
        // With Shift held as well, or during an edit, the keys do not move.
        w.cmdNext_Click(0);
        QTest::keyClick(w.txtInfo[5], Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("1"));
        w.setBoxText(6, QStringLiteral("edit"));
        w.txtInfo[5]->setFocus();
        QTest::keyClick(w.txtInfo[5], Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("1"));
    }

    void endingTheProgramAsks()
    {
        TestProgram p;
        threeMembers(p);
        p.start();
        auto& w = p.main();
        MessageScript::answer(MsgAnswer::No);
        w.mnuFile[2]->trigger();
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure you want to end the program?"));
        QCOMPARE(lastMessage().title, QStringLiteral("End program?"));
        QCOMPARE(lastMessage().icon, MsgIcon::Question);
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::Yes);
        QVERIFY(w.isVisible());
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
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.setBoxText(6, QStringLiteral("Changed"));
        w.mnuFile[2]->trigger();
        QVERIFY(MessageScript::asked().isEmpty());
        QVERIFY(w.isVisible());
        MessageScript::answer(MsgAnswer(answer));
        QCOMPARE(w.close(), closed);
        QCOMPARE(lastMessage().title, QStringLiteral("Unsaved changes"));
        QCOMPARE(lastMessage().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select FirstName from Zelk where Number = 4")), QStringList{stored});
    }

    void aNewMemberTakesOverTheLapsedTickAndPicture()
    {
        TestProgram p;
        QTemporaryDir dir;
        const QString photo = dir.filePath(QStringLiteral("face.bmp"));
        QImage(8, 8, QImage::Format_RGB32).save(photo);
        p.addMember(member(2, "Gone", "1 Away", {{"Lapsed", true}, {"Picture", photo}}));
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        QVERIFY(w.chkLapsed->isChecked());
        QCOMPARE(w.Picture1->Tag, photo);
        w.Command1_Click(2);
        w.setBoxText(kSurnameBox, QStringLiteral("Next"));
        w.setBoxText(kAddress1Box, QStringLiteral("2 Away"));
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Lapsed, Picture from Zelk where Surname = \"Next\"")),
                 QStringList{QStringLiteral("true|") + photo});
    }
};

ZELK_TEST(MemberRecordsTest)
#include "tst_member_records.moc"
