// The rules of each box of the main window as a user types: keys, capitals, checks of
// dates, amounts and addresses, the automatic dates, the register's include flags and
// captions, and the photograph.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "ui/message_box.h"
#include "core/settings_store.h"
#include "ui/user_dialogs.h"
#include "entry/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;
using zelk::test::registerRows;
using zelk::test::TestProgram;

namespace {

void startWithOneMember(TestProgram& p, const QStringList& settingsSql = {})
{
    p.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}, {"FirstName", "John"}});
    {
        auto db = Database::open(p.databasePath());
        for (const auto& sql : settingsSql)
            db->execute(sql);
    }
    p.start();
    p.main().cmdNext_Click(3);
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

void enter(QWidget* box)
{
    box->setFocus();
    QCOMPARE(focused(), box);
}

void leave(QWidget* box)
{
    QTest::keyClick(box, Qt::Key_Tab);
}

const MessageRequest& lastMessage()
{
    return MessageScript::asked().last();
}

} // namespace

class FieldEntryTest : public QObject {
    Q_OBJECT

private slots:
    void keyRulesOfTheBoxes()
    {
        TestProgram p;
        startWithOneMember(p);
        auto& w = p.main();
        // The number takes digits and Backspace only.
        w.setBoxText(kNumberBox, QString());
        enter(w.txtInfo[kNumberBox]);
        QTest::keyClicks(w.txtInfo[kNumberBox], QStringLiteral("1a2-b3"));
        QTest::keyClick(w.txtInfo[kNumberBox], Qt::Key_Backspace);
        QCOMPARE(w.boxText(kNumberBox), QStringLiteral("12"));
        // The post code is in capitals while it is typed.
        enter(w.txtInfo[kPostCodeBox]);
        QTest::keyClicks(w.txtInfo[kPostCodeBox], QStringLiteral("sw1a 1aa"));
        QCOMPARE(w.boxText(kPostCodeBox), QStringLiteral("SW1A 1AA"));
    }

    // Entering a box selects its whole text, so typing replaces it: by Tab, and by a click
    // too, which places the cursor after the focus has arrived; the Notes box as well.
    void enteringABoxSelectsItsText_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("first name, by Tab") << 6 << false;
        QTest::newRow("first name, by a click") << 6 << true;
        QTest::newRow("notes, by Tab") << int(kNotesBox) << false;
        QTest::newRow("notes, by a click") << int(kNotesBox) << true;
    }
    void enteringABoxSelectsItsText()
    {
        QFETCH(int, box);
        QFETCH(bool, byMouse);
        TestProgram p;
        p.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}, {"FirstName", "John"}, {"Memo", "Paid in cash"}});
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        w.box(box - 1)->setFocus();
        QWidget* target = w.box(box);
        if (byMouse) {
            QWidget* area = box == kNotesBox ? w.txtNotes->viewport() : target;
            QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(4, area->height() / 2));
        } else {
            QTest::keyClick(w.box(box - 1), Qt::Key_Tab);
        }
        QCOMPARE(focused(), target);
        const QString text = w.boxText(box);
        if (box == kNotesBox)
            QTRY_COMPARE(w.txtNotes->textCursor().selectedText(), text);
        else
            QTRY_COMPARE(w.txtInfo[box]->selectedText(), text);
    }

    void enterAndArrowsMoveBetweenBoxesButNotesTakeEnter()
    {
        TestProgram p;
        startWithOneMember(p);
        auto& w = p.main();
        enter(w.txtInfo[5]);
        QTest::keyClick(w.txtInfo[5], Qt::Key_Return);
        QCOMPARE(focused(), w.txtInfo[6]);
        QTest::keyClick(w.txtInfo[6], Qt::Key_Down);
        QCOMPARE(focused(), w.txtInfo[7]);
        QTest::keyClick(w.txtInfo[7], Qt::Key_Up);
        QCOMPARE(focused(), w.txtInfo[6]);
        enter(w.txtNotes);
        QCOMPARE(p.state().MultiLineFocus, -1);
        QTest::keyClicks(w.txtNotes, QStringLiteral("one"));
        QTest::keyClick(w.txtNotes, Qt::Key_Return);
        QTest::keyClicks(w.txtNotes, QStringLiteral("two"));
        QCOMPARE(w.boxText(kNotesBox), QStringLiteral("one\ntwo"));
        QCOMPARE(focused(), w.txtNotes);
        leave(w.txtNotes);
        QCOMPARE(p.state().MultiLineFocus, 0);
    }

    void namesAreCapitalisedOnceUntilNewOrUndo()
    {
        TestProgram p;
        startWithOneMember(p);
        auto& w = p.main();
        enter(w.txtInfo[kSurnameBox]);
        w.setBoxText(kSurnameBox, QStringLiteral("  mcDONALD "));
        leave(w.txtInfo[kSurnameBox]);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Mcdonald"));
        QCOMPARE(w.Tag[kSurnameBox], QStringLiteral("Convert"));
        enter(w.txtInfo[kSurnameBox]);
        w.setBoxText(kSurnameBox, QStringLiteral("McDonald"));
        leave(w.txtInfo[kSurnameBox]);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("McDonald"));
        // A box only passed through is converted while its Tag is empty: here the lookup.
        w.setBoxText(21, QStringLiteral("the COMMITTEE"));
        enter(w.txtInfo[21]);
        leave(w.txtInfo[21]);
        QCOMPARE(w.boxText(21), QStringLiteral("The Committee"));
        // After New the boxes are converted again.
        w.Command1_Click(2);
        QCOMPARE(w.Tag[kSurnameBox], QString());
        enter(w.txtInfo[kSurnameBox]);
        w.setBoxText(kSurnameBox, QStringLiteral("o'BRIEN"));
        leave(w.txtInfo[kSurnameBox]);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("O'brien"));
    }

    void withoutAutomaticCapitalsNamesStayAsTypedButPostCodesDoNot()
    {
        TestProgram p;
        saveSetting(setting::AutoCaps, QStringLiteral("0"));
        startWithOneMember(p);
        auto& w = p.main();
        QCOMPARE(p.state().AutoCaps, 0);
        enter(w.txtInfo[6]);
        w.setBoxText(6, QStringLiteral("jOHN"));
        leave(w.txtInfo[6]);
        QCOMPARE(w.boxText(6), QStringLiteral("jOHN"));
        enter(w.txtInfo[kPostCodeBox]);
        w.setBoxText(kPostCodeBox, QStringLiteral(" nr21 0ab "));
        leave(w.txtInfo[kPostCodeBox]);
        QCOMPARE(w.boxText(kPostCodeBox), QStringLiteral("NR21 0AB"));
    }

    void checksOnLeavingAskToCorrect_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("answer");
        const QString date = QStringLiteral("The date you entered was not valid.\nDo you wish to correct it?");
        const QString amount = QStringLiteral("The amount you entered was not valid.\nDo you wish to correct it?");
        const QString email = QStringLiteral("That doesn't seem to be a valid e-mail address - it is too short. Do you want to correct it?");
        const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No);
        QTest::newRow("join date, Yes") << 1 << "31/02/2026" << date << "Problem date" << int(MsgIcon::Exclamation) << yes;
        QTest::newRow("fee, No") << 3 << "abc" << amount << "Problem search" << int(MsgIcon::Exclamation) << no;
        QTest::newRow("second e-mail, Yes") << 19 << "x@y.z" << email << "E-mail name error" << int(MsgIcon::Question) << yes;
    }
    void checksOnLeavingAskToCorrect()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(int, answer);
        TestProgram p;
        startWithOneMember(p);
        auto& w = p.main();
        enter(w.txtInfo[box]);
        w.setBoxText(box, typed);
        MessageScript::answer(MsgAnswer(answer));
        leave(w.txtInfo[box]);
        QCOMPARE(MessageScript::asked().size(), 1);
        QCOMPARE(lastMessage().text, text);
        QCOMPARE(lastMessage().title, title);
        QCOMPARE(lastMessage().icon, MsgIcon(icon));
        QCOMPARE(lastMessage().buttons, MsgButtons::YesNo);
        if (answer == int(MsgAnswer::Yes)) {
            QCOMPARE(w.boxText(box), typed);   // kept, selected, and the focus is back
            QCOMPARE(focused(), w.box(box));
            QTRY_COMPARE(w.txtInfo[box]->selectedText(), typed);
        } else {
            QCOMPARE(w.boxText(box), QString());
        }
    }

    void goodValuesAreShownInTheUsersForm_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("en_GB date") << "en_GB" << 1 << "1/4/26" << "01/04/2026";
        QTest::newRow("de_DE date") << "de_DE" << 2 << "1.4.26" << "01.04.2026";
        QTest::newRow("en_GB amount") << "en_GB" << 3 << "1234.567" << "£1,234.57";
        QTest::newRow("de_DE amount") << "de_DE" << 3 << "12,5" << QStringLiteral("12,50\u00a0€");
        QTest::newRow("empty fee stays empty") << "en_GB" << 3 << "" << "";
        QTest::newRow("e-mail trimmed") << "en_GB" << 18 << "  jo@club.org " << "jo@club.org";
    }
    void goodValuesAreShownInTheUsersForm()
    {
        QFETCH(QString, locale);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TestProgram p(locale);
        saveSetting(setting::AutoDates, QStringLiteral("0"));
        startWithOneMember(p);
        auto& w = p.main();
        enter(w.txtInfo[box]);
        w.setBoxText(box, typed);
        leave(w.txtInfo[box]);
        QCOMPARE(w.boxText(box), shown);
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void automaticDatesFillEmptyBoxesFromTheYearRules_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("yearStart");
        QTest::addColumn<QString>("yearEnd");
        QTest::addColumn<QString>("join");
        QTest::addColumn<QString>("renewal");
        const QDate today = QDate::currentDate();
        const int year = today.year();
        QTest::newRow("en_GB 1 April, a year")
            << "en_GB" << "\"01/04\"" << "\"1y\"" << QStringLiteral("01/04/%1").arg(year) << QStringLiteral("01/04/%1").arg(year + 1);
        QTest::newRow("en_GB today, a year") << "en_GB" << "Null" << "\"1y\"" << today.toString(QStringLiteral("dd/MM/yyyy"))
                                             << today.addYears(1).toString(QStringLiteral("dd/MM/yyyy"));
        QTest::newRow("en_CA 1 April, a year") << "en_CA" << "\"04-01\"" << "\"1y\"" << QStringLiteral("%1-04-01").arg(year)
                                               << QStringLiteral("%1-04-01").arg(year + 1);
    }
    void automaticDatesFillEmptyBoxesFromTheYearRules()
    {
        QFETCH(QString, locale);
        QFETCH(QString, yearStart);
        QFETCH(QString, yearEnd);
        QFETCH(QString, join);
        QFETCH(QString, renewal);
        TestProgram p(locale);
        startWithOneMember(p, {QStringLiteral("UPDATE Settings SET YearStart = %1, YearEnd = %2").arg(yearStart, yearEnd)});
        auto& w = p.main();
        w.Command1_Click(2);
        enter(w.txtInfo[kJoinDateBox]);
        leave(w.txtInfo[kJoinDateBox]);
        QCOMPARE(w.boxText(kJoinDateBox), join);
        enter(w.txtInfo[kRenewDateBox]);
        QCOMPARE(w.boxText(kRenewDateBox), renewal);
        QCOMPARE(w.txtInfo[kRenewDateBox]->selectedText(), renewal);   // typing replaces it
        // A renewal date already there is left alone, though the join date changed.
        leave(w.txtInfo[kRenewDateBox]);
        w.setBoxText(kJoinDateBox, QStringLiteral("01/01/2001"));
        enter(w.txtInfo[kRenewDateBox]);
        QCOMPARE(w.boxText(kRenewDateBox), renewal);
    }

    void automaticDatesStayOffWhenSwitchedOffOrWithoutAJoinDate()
    {
        TestProgram p;
        saveSetting(setting::AutoDates, QStringLiteral("0"));
        startWithOneMember(p);
        auto& w = p.main();
        w.Command1_Click(2);
        enter(w.txtInfo[kJoinDateBox]);
        QCOMPARE(w.boxText(kJoinDateBox), QString());
        p.state().AutoDates = -1;
        enter(w.txtInfo[kRenewDateBox]);
        QCOMPARE(w.boxText(kRenewDateBox), QString());   // no join date
        w.setBoxText(kJoinDateBox, QStringLiteral("not a date"));
        enter(w.txtInfo[kRenewDateBox]);
        QCOMPARE(w.boxText(kRenewDateBox), QString());   // a join date that is not a date
    }

    // The register's include flags and captions apply from the start; a skipped box is
    // passed over by Tab, but its value is still saved.
    void includeFlagsAndCaptionsOfTheRegisterApply()
    {
        TestProgram p;
        startWithOneMember(p, {QStringLiteral("UPDATE Settings SET AllowFax = False, AllowPicture = False, AllowLapsed = False, "
                                              "ScreenPostCode = \"Zip Code\"")});
        auto& w = p.main();
        QVERIFY(!w.txtInfo[16]->isEnabled());
        QVERIFY(!w.Picture1->isEnabled());
        QVERIFY(!w.chkLapsed->isEnabled());
        QVERIFY(w.txtInfo[17]->isEnabled());
        QCOMPARE(w.Label1[9]->text(), QStringLiteral("Zip Code"));
        enter(w.txtInfo[15]);
        leave(w.txtInfo[15]);
        QCOMPARE(focused(), w.txtInfo[17]);
    }

    void aPictureIsAddedAndRemoved()
    {
        TestProgram p;
        startWithOneMember(p);
        auto& w = p.main();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("photo.jpg"));
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(file));
        DialogScript::answerFile(file);
        QTest::mouseDClick(w.Picture1, Qt::LeftButton);
        QCOMPARE(DialogScript::fileQuestions().last().filter, QStringLiteral("Picture files (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"));
        QVERIFY(w.Picture1->hasPicture());
        QCOMPARE(w.Picture1->Tag, file);
        QVERIFY(!w.cmdNext[0]->isEnabled());   // a new picture is an edit
        // Shown at the box's size with its proportions kept.
        const QSize shown = w.Picture1->pixmap().size();
        QVERIFY(qAbs(shown.width() - 2 * shown.height()) <= 2);
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Picture from Zelk where Number = 2")), QStringList{file});

        MessageScript::answer(MsgAnswer::No);
        QTest::mousePress(w.Picture1, Qt::RightButton);
        QCOMPARE(lastMessage().text, QStringLiteral("Are you sure you want to remove the picture?"));
        QCOMPARE(lastMessage().defaultButton, MsgAnswer::No);
        QCOMPARE(w.Picture1->Tag, file);
        MessageScript::answer(MsgAnswer::Yes);
        QTest::mousePress(w.Picture1, Qt::RightButton);
        QVERIFY(!w.Picture1->hasPicture());
        QVERIFY(!w.cmdNext[0]->isEnabled());
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Picture from Zelk where Number = 2")), QStringList{QStringLiteral("<null>")});
        // No picture, no question.
        QTest::mousePress(w.Picture1, Qt::RightButton);
        QCOMPARE(MessageScript::asked().size(), 2);
    }

    void aFileThatIsNotAPictureLeavesThePictureAlone()
    {
        TestProgram p;
        startWithOneMember(p);
        auto& w = p.main();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("letter.jpg"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Dear member, this is not a picture at all.");
        f.close();
        DialogScript::answerFile(file);
        MessageScript::answer(MsgAnswer::OK);
        w.Picture1_DblClick();
        QCOMPARE(lastMessage().text, QStringLiteral("Sorry, but I don't recognise ") + file + QStringLiteral(" as a valid picture."));
        QCOMPARE(lastMessage().title, QStringLiteral("Not a picture"));
        QCOMPARE(lastMessage().icon, MsgIcon::Exclamation);
        QCOMPARE(w.Picture1->Tag, QString());
        QVERIFY(w.cmdNext[0]->isEnabled());
        // Cancelling the dialog is no error and changes nothing.
        DialogScript::answerFile(QString());
        w.Picture1_DblClick();
        QCOMPARE(MessageScript::asked().size(), 1);
    }

    void aMovedPictureFileShowsNoPictureAndSavesNull()
    {
        TestProgram p;
        p.addMember({{"Number", 2}, {"Surname", "Moved"}, {"Address1", "1 Road"}, {"Picture", "/no/such/photo.jpg"}});
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        QCOMPARE(w.Picture1->Tag, QString());
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), QStringLiteral("Select Picture from Zelk where Number = 2")), QStringList{QStringLiteral("<null>")});
    }

};

ZELK_TEST(FieldEntryTest)
#include "tst_field_entry.moc"
