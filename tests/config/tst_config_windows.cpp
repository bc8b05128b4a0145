// The configuration windows over the real main window, each on a register of its own: what
// each window shows when it opens, what its boxes and buttons store, its questions and
// messages, and what the main window then shows. The rules behind the windows (the year
// rules, the queries) have tests of their own.
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "config/frm_choose_font.h"
#include "config/frm_find_browser.h"
#include "config/frm_include_skip.h"
#include "config/frm_lookups.h"
#include "config/frm_nav_keys.h"
#include "config/frm_reset_auto_number.h"
#include "config/frm_zelk_defaults.h"
#include "config/frm_zelk_screen_text.h"
#include "config/frm_zelk_year.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "data/schema.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/sql_dialect.h"
#include "entry/picture_box.h"
#include "ui/modal.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

// Shows the window and waits until it is the active one, so focus moves in it as typed.
void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

// Clicks a button; a check box or option on its caption (the middle of a wide one misses).
void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Types into a box as the user does: enters it by Tab, types, and leaves it with Enter.
void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// The index of the option chosen in a group; -1 for none.
template <class Options>
int chosen(const Options& options)
{
    for (size_t i = 0; i < options.size(); ++i)
        if (options[i]->isChecked())
            return int(i);
    return -1;
}

// The entries of a list, or only the highlighted ones.
QStringList entries(const QListWidget* list, bool highlightedOnly = false)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!highlightedOnly || list->item(i)->isSelected())
            out << list->item(i)->text();
    return out;
}

const MessageRequest kCancelAll = question("Just checking", "Are you sure you want to cancel all changes?");

} // namespace

Q_DECLARE_METATYPE(zelk::MessageRequest)
Q_DECLARE_METATYPE(zelk::MsgAnswer)
Q_DECLARE_METATYPE(zelk::query::ValueList)

// Each test starts its own program; what the window stores is read back from the files.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestProgram> p;
    std::unique_ptr<QWidget> window;

    // A program not yet started, so members and settings can be put in first.
    TestProgram& program(const QString& locale = "en_GB")
    {
        window.reset();
        p.reset();   // its world ends before the next begins
        p = std::make_unique<TestProgram>(locale);
        return *p;
    }
    // Starts a program whose Settings row is first changed by `assignments` ("AllowFax = False").
    void start(const QString& assignments = {}, const QString& locale = "en_GB")
    {
        buildNewDatabase(program(locale).databasePath());
        if (!assignments.isEmpty())
            Database::open(p->databasePath())->execute("UPDATE Settings SET " + assignments);
        p->start();
    }
    template <class W, class... Args>
    W& openWindow(Args&&... args)
    {
        window = std::make_unique<W>(p->state(), std::forward<Args>(args)..., &p->main());
        showActive(*window);
        return static_cast<W&>(*window);
    }
    // A field of the Settings row as the file holds it (Null as "<null>").
    QString stored(const QString& field) const { return registerRows(p->databasePath(), "Select " + field + " from Settings").value(0); }
    // A per-user setting ("Defaults/PageDir") as the settings file holds it.
    QString userSetting(const QString& key) const
    {
        return QSettings(p->world().settingsFile(), QSettings::IniFormat).value(key).toString();
    }

private slots:
    void cleanup()
    {
        window.reset();
        p.reset();
    }
};

class YearWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    // The stored rules as the window shows them: the option of each group (-1: none) and
    // the boxes of the options chosen; the automatic dates ticked off unless "-1".
    void opensOnTheStoredRules_data()
    {
        QTest::addColumn<QString>("yearStart");
        QTest::addColumn<QString>("yearEnd");
        QTest::addColumn<QString>("autoDates");
        QTest::addColumn<int>("startOption");
        QTest::addColumn<QString>("startText");
        QTest::addColumn<int>("endOption");
        QTest::addColumn<QString>("endText");
        QTest::addColumn<bool>("datesOff");
        QTest::newRow("a new register") << "Null" << "\"1y\"" << "-1" << 0 << "" << 0 << "" << false;
        QTest::newRow("day of the month, days") << "\"05/\"" << "\"30d\"" << "-1" << 1 << "05" << 1 << "30" << false;
        QTest::newRow("day and month, months") << "\"01/04\"" << "\"6m\"" << "-1" << 2 << "01/04" << 2 << "6" << false;
        QTest::newRow("automatic dates 0") << "Null" << "\"1y\"" << "0" << 0 << "" << 0 << "" << true;
    }
    void opensOnTheStoredRules()
    {
        QFETCH(QString, yearStart);
        QFETCH(QString, yearEnd);
        QFETCH(QString, autoDates);
        QFETCH(int, startOption);
        QFETCH(QString, startText);
        QFETCH(int, endOption);
        QFETCH(QString, endText);
        QFETCH(bool, datesOff);
        program();
        saveSetting(setting::AutoDates, autoDates);
        buildNewDatabase(p->databasePath());
        Database::open(p->databasePath())->execute("UPDATE Settings SET YearStart = " + yearStart + ", YearEnd = " + yearEnd);
        p->start();
        auto& w = openWindow<frmZelkYear>();
        QCOMPARE(chosen(w.optStartDate), startOption);
        QCOMPARE(chosen(w.optEndDate), endOption);
        // Only the box of the option chosen is open for typing.
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(w.txtStartDate[i]->isEnabled(), startOption == i + 1);
            QCOMPARE(w.txtEndDate[i]->isEnabled(), endOption == i + 1);
        }
        QCOMPARE(startOption > 0 ? w.txtStartDate[size_t(startOption - 1)]->text() : QString(), startText);
        QCOMPARE(endOption > 0 ? w.txtEndDate[size_t(endOption - 1)]->text() : QString(), endText);
        QCOMPARE(w.chkDefault->isChecked(), datesOff);
    }

    // Leaving a box checks it and says what is wrong; the focus goes on as the user moved it.
    void aBoxIsCheckedOnLeaving_data()
    {
        QTest::addColumn<int>("box");   // 0 day of the month, 1 day and month, 2 days, 3 months
        QTest::addColumn<QString>("typed");
        QTest::addColumn<MessageRequest>("message");   // empty text: none
        QTest::newRow("day 29") << 0 << "29"
                                << exclamation("Need a day", "You must enter a day between 1 and 28 for memberships to start from.");
        QTest::newRow("1/4") << 1 << " 1/4 " << MessageRequest{};
        QTest::newRow("day 29/4") << 1 << "29/4" << information("Day wrong", "The day needs to be between 1 and 28.");
        // Spelt as users of this message have always seen it.
        QTest::newRow("0 days") << 2 << "0" << exclamation("Membership to short", "Memberships must last at least 1 day.");
    }
    void aBoxIsCheckedOnLeaving()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(MessageRequest, message);
        start();
        auto& w = openWindow<frmZelkYear>();
        click(box < 2 ? w.optStartDate[size_t(box + 1)] : w.optEndDate[size_t(box - 1)]);
        QLineEdit* typedInto = box < 2 ? w.txtStartDate[size_t(box)] : w.txtEndDate[size_t(box - 2)];
        if (!message.text.isEmpty())
            answer(MsgAnswer::OK);
        typeInto(typedInto, typed);
        QCOMPARE(asked(), message.text.isEmpty() ? QList<MessageRequest>() : QList<MessageRequest>{message});
        QVERIFY(!typedInto->hasFocus());
        QCOMPARE(typedInto->text(), typed.trimmed());
    }

    // Save checks the option chosen in each group, then stores the rules and the automatic
    // dates ticked off; a refusal stores nothing and keeps the window open.
    void saveStoresTheRules_data()
    {
        QTest::addColumn<int>("startOption");
        QTest::addColumn<QString>("startText");
        QTest::addColumn<int>("endOption");
        QTest::addColumn<QString>("endText");
        QTest::addColumn<QString>("yearStart");   // as stored
        QTest::addColumn<QString>("yearEnd");
        QTest::addColumn<QList<MessageRequest>>("messages");   // none: saved
        const MessageRequest tooShort = exclamation("Membership too short", "Memberships must last at least 1 day.");
        QTest::newRow("current date, one year") << 0 << "" << 0 << "" << "<null>" << "1y" << QList<MessageRequest>();
        QTest::newRow("1/4, 6 months") << 2 << "1/4" << 2 << "6" << "1/4" << "6m" << QList<MessageRequest>();
        QTest::newRow("no day") << 1 << "" << 0 << "" << "<null>" << "1y"
                                << QList<MessageRequest>{exclamation("Need a day", "You must enter a day between 1 and 28 for memberships to start from.")};
        QTest::newRow("a month 13") << 2 << "1/13" << 0 << "" << "<null>" << "1y"
                                    << QList<MessageRequest>{information("Month wrong", "The month needs to be between 1 and 12."),
                                                             exclamation("Start date wrong", "The membership starting date is incorrectly formatted.")};
        QTest::newRow("0 months") << 0 << "" << 2 << "0" << "<null>" << "1y" << QList<MessageRequest>{tooShort};
    }
    void saveStoresTheRules()
    {
        QFETCH(int, startOption);
        QFETCH(QString, startText);
        QFETCH(int, endOption);
        QFETCH(QString, endText);
        QFETCH(QString, yearStart);
        QFETCH(QString, yearEnd);
        QFETCH(QList<MessageRequest>, messages);
        start();
        auto& w = openWindow<frmZelkYear>();
        for (qsizetype i = 0; i < messages.size(); ++i)
            answer(MsgAnswer::OK);
        click(w.optStartDate[size_t(startOption)]);
        click(w.optEndDate[size_t(endOption)]);
        // The day and month pass their check on leaving the box; the other boxes are checked by Save.
        if (startOption == 1)
            w.txtStartDate[0]->setText(startText);
        else if (startOption == 2)
            typeInto(w.txtStartDate[1], startText);
        if (endOption > 0)
            w.txtEndDate[size_t(endOption - 1)]->setText(endText);
        click(w.chkDefault);
        click(w.Command1[0]);
        QCOMPARE(asked(), messages);
        const bool saved = messages.isEmpty();
        QCOMPARE(w.isVisible(), !saved);
        QCOMPARE(stored("YearStart"), yearStart);
        QCOMPARE(stored("YearEnd"), yearEnd);
        QCOMPARE(p->state().AutoDates, saved ? 0 : -1);
        QCOMPARE(userSetting("Defaults/AutoDates"), saved ? "0" : "");
    }

    // Under a locale that writes the year first, "04-01" is the first of April: the join
    // date the main window fills in on entering its box.
    void aDayAndMonthTypedUnderAYearFirstLocaleIsTheDateMeant()
    {
        start({}, "en_CA");
        auto& w = openWindow<frmZelkYear>();
        click(w.optStartDate[2]);
        typeInto(w.txtStartDate[1], "04-01");
        click(w.Command1[0]);
        QCOMPARE(stored("YearStart"), "04-01");
        auto& main = p->main();
        showActive(main);
        main.Command1_Click(2);
        main.box(kJoinDateBox)->setFocus();
        main.box(kRenewDateBox)->setFocus();   // leaving the join date box shows it in the user's form
        QCOMPARE(main.boxText(kJoinDateBox), QDate(QDate::currentDate().year(), 4, 1).toString("yyyy-MM-dd"));
    }
};

class DefaultsWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void aNewUserSeesTheDefaults()
    {
        start();
        auto& w = openWindow<frmZelkDefaults>();
        QCOMPARE(w.optSortOrder[size_t(chosen(w.optSortOrder))]->text(), "&Surname");
        QCOMPARE(w.optPrintOrder[size_t(chosen(w.optPrintOrder))]->text(), "Surname");
        QCOMPARE(w.optReportType[size_t(chosen(w.optReportType))]->text(), "List");
        QCOMPARE(w.Label1->text(), "L7160 labels");
        QVERIFY(w.chkDefault[0]->isChecked());   // capitals
        QVERIFY(w.chkDefault[1]->isChecked());   // automatic dates
        QVERIFY(!w.chkDefault[2]->isChecked());  // upper case
        QCOMPARE(w.txtEmail->text(), "");
        QCOMPARE(w.txtSMTP->text(), "");
        QCOMPARE(w.optGreeting[size_t(chosen(w.optGreeting))]->text(), "Friendly");
    }

    // A stored value selects its option; one that no option has selects none; only "-1"
    // ticks a box.
    void storedSettingsAreShown()
    {
        program();
        for (const auto& [key, value] : {std::pair{setting::SortOrder, "MemberType"}, {setting::PrintOrder, "Town"},
                                         {setting::ReportType, "E-mail"}, {setting::EmailGreeting, "Warm"},
                                         {setting::AutoCaps, "1"}, {setting::UpperCase, "-1"},
                                         {setting::EmailSender, "sec@club.org"}, {setting::LabelSize, "5162"}})
            saveSetting(key, value);
        p->start();
        auto& w = openWindow<frmZelkDefaults>();
        QCOMPARE(w.optSortOrder[size_t(chosen(w.optSortOrder))]->text(), "Membership &Type");
        QCOMPARE(chosen(w.optPrintOrder), -1);
        QCOMPARE(w.optReportType[size_t(chosen(w.optReportType))]->text(), "E-mail");
        QCOMPARE(w.optGreeting[size_t(chosen(w.optGreeting))]->text(), "None");
        QVERIFY(!w.chkDefault[0]->isChecked());
        QVERIFY(w.chkDefault[2]->isChecked());
        QCOMPARE(w.txtEmail->text(), "sec@club.org");
        QCOMPARE(w.Label1->text(), "5162 labels");
    }

    // Save stores every choice (an emptied address keeps the one stored, a server is
    // trimmed on leaving its box) and the main window shows the first member in the new order.
    void saveStoresTheChoicesAndReordersTheMembers()
    {
        program().addMember({{"Number", 7}, {"Surname", "Adams"}});
        p->addMember({{"Number", 2}, {"Surname", "Brown"}});
        Database::open(p->databasePath())->execute("Delete from Zelk WHERE Number = 1");
        saveSetting(setting::EmailSender, "sec@club.org");
        p->start();
        QCOMPARE(p->main().boxText(kSurnameBox), "Adams");
        setModalHandler([](QDialog& d) {
            showActive(d);
            auto& w = static_cast<frmZelkDefaults&>(d);
            for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{w.optSortOrder[1], w.optPrintOrder[5], w.optReportType[0],
                                                                              w.optGreeting[0], w.chkDefault[0], w.chkDefault[2]})
                click(b);
            w.txtEmail->clear();
            w.txtSMTP->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(w.txtSMTP, "  smtp.club.org ");
            QTest::keyClick(w.txtSMTP, Qt::Key_Down);
            click(w.Command1[1]);
        });
        p->main().mnuOptions[0]->trigger();
        setModalHandler({});
        QCOMPARE(asked(), QList<MessageRequest>());
        QCOMPARE(p->state().SortOrder, "Number");
        QCOMPARE(p->state().AutoCaps, 0);
        QCOMPARE(p->main().boxText(kSurnameBox), "Brown");
        const QStringList keys{"SortOrder", "PrintOrder", "ReportType", "AutoCaps", "AutoDates", "UpperCase", "EmailSender",
                               "EmailSMTP", "EmailGreeting"};
        const QStringList values{"Number", "Birthday", "Labels", "0", "-1", "-1", "sec@club.org", "smtp.club.org", "Formal"};
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(userSetting("Defaults/" + keys[i]), values[i]);
    }

    // An order the register cannot sort by stores nothing and keeps the members as they
    // were, also when it is a sort field with more after it: the members stay whole and
    // open for saving.
    void anOrderTheRegisterCannotSortByStoresNothing_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("a field the register has not") << "ShoeSize";
        QTest::newRow("a sort field with a limit after it") << "Surname LIMIT 1";
    }
    void anOrderTheRegisterCannotSortByStoresNothing()
    {
        QFETCH(QString, order);
        start();
        saveSetting(setting::SortOrder, order);
        auto& w = openWindow<frmZelkDefaults>();
        answer(MsgAnswer::OK);
        click(w.chkDefault[0]);
        click(w.Command1[1]);
        QCOMPARE(asked(), QList<MessageRequest>{unexpectedError(err::TooFewParameters, "Command1_Click")});
        QVERIFY(w.isVisible());
        QCOMPARE(userSetting("Defaults/AutoCaps"), "");
        QCOMPARE(p->state().rsZelk->source(), "Select * from Zelk ORDER BY Surname");
        window.reset();
        auto& main = p->main();
        main.Command1_Click(2);
        main.setBoxText(kSurnameBox, "Saved");
        main.setBoxText(kAddress1Box, "1 Road");
        main.Command1_Click(0);
        QCOMPARE(asked().size(), 1);
        QCOMPARE(registerRows(p->databasePath(), "Select count(*) from Zelk where Surname = \"Saved\""), QStringList{"1"});
    }
};

class ScreenTextWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    // Entering a box selects its text, so typing replaces it; Enter leaves it, which trims it.
    // Blanks are stored as Null, which the main window shows as its own caption.
    void captionsAreTrimmedStoredAndShown()
    {
        start("ScreenTitle = \"Rank\"");
        setModalHandler([](QDialog& d) {
            showActive(d);
            auto& w = static_cast<frmZelkScreenText&>(d);
            QCOMPARE(w.Text1[5]->text(), "Rank");
            typeInto(w.Text1[5], "   ");
            typeInto(w.Text1[12], "  Fax no.  ");
            typeInto(w.Text1[26], "&Remove");
            typeInto(w.Text1[21], "Gone");
            click(w.Command1[1]);
        });
        p->main().mnuOptions[1]->trigger();
        setModalHandler({});
        QCOMPARE(asked(), QList<MessageRequest>());
        QCOMPARE(stored("ScreenTitle"), "<null>");
        QCOMPARE(stored("ScreenFax"), "Fax no.");
        QCOMPARE(stored("ScreenLapsed"), "Gone");
        QCOMPARE(stored("ScreenDelete"), "&Remove");
        const auto& main = p->main();
        QCOMPARE(main.Label1[5]->text(), "Title");
        QCOMPARE(main.Label1[12]->text(), "Fax no.");
        QCOMPARE(main.Command1[3]->text(), "&Remove");
        QCOMPARE(main.chkLapsed->text(), "Gone");
    }

    // Each of the twenty-seven captions gets its default text itself, not Null.
    void restoreDefaultsStoresEveryDefaultCaption()
    {
        const QStringList labels{"Number", "Join Date", "Renewal Date", "Fee Paid", "Birthday", "Title", "First Name", "Surname",
                                 "Address", "Post Code", "Home Phone", "Work Phone", "Fax", "Mobile", "E-mail", "Second e-mail",
                                 "Membership type", "Lookups", "http://", "Notes", "Picture", "Lapsed", "Navigate", "&Save",
                                 "&Undo", "&New", "&Delete"};
        const auto& fields = schema::captionFields();
        QStringList assignments;
        for (int i = 0; i < 27; ++i)
            assignments << fields[size_t(i)].field + " = \"Something else\"";
        start(assignments.join(", "));
        auto& w = openWindow<frmZelkScreenText>();
        for (int i = 0; i < 27; ++i) {
            QCOMPARE(w.Label1[size_t(i)]->text(), labels[i]);
            QCOMPARE(w.Text1[size_t(i)]->text(), "Something else");
        }
        answer(MsgAnswer::Yes);
        click(w.Command1[0]);
        QCOMPARE(asked(), QList<MessageRequest>{question("Just checking", "Are you sure you want to restore the default text?")});
        QCOMPARE(w.result(), int(QDialog::Accepted));
        for (int i = 0; i < 27; ++i)
            QCOMPARE(stored(fields[size_t(i)].field), i == 21 ? QString("Membership lapsed") : labels[i]);
    }

    // Another program holding the Settings row: the save says so plainly, stores nothing
    // and leaves the window open.
    void aSaveTheRegisterRefusesStoresNothing()
    {
        start();
        auto& w = openWindow<frmZelkScreenText>();
        w.Text1[12]->setText("Telefax");
        auto other = Database::open(p->databasePath());
        other->beginTrans();
        other->execute("UPDATE Settings SET LastNumber = 7");
        answer(MsgAnswer::OK);
        click(w.Command1[1]);
        other.reset();
        QCOMPARE(asked(), QList<MessageRequest>{exclamation("Register in use", "The register is in use by another program. "
                                                                               "Please try again in a moment.")});
        QVERIFY(w.isVisible());
        QCOMPARE(p->state().rsSettings->editMode(), Recordset::EditMode::None);
        QCOMPARE(stored("ScreenFax"), "<null>");
    }
};

class IncludeSkipWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    // Each box shows its own flag, stores it, and the main window then skips that field only.
    void eachBoxHasItsOwnFlag_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("caption");
        const QStringList captions{"Join date", "Renewal date", "Fee  Paid", "Birthday", "Title", "First Name", "Surname",
                                   "Address line 1", "Address line 2", "Address line 3", "Address line 4", "Address line 5",
                                   "Post Code", "Home Phone", "Work Phone", "Fax", "Mobile", "E-mail", "Second e-mail",
                                   "Membership Type", "Lookup 1", "Lookup 2", "Lookup 3", "Lookup 4", "Lookup 5", "Lookup 6",
                                   "http://", "Notes", "Picture", "Lapsed"};
        const QStringList flags = schema::includeFlagFields();
        for (int i = 0; i < 30; ++i)
            if (i != 6 && i != 7)   // the surname and the first address line are never skipped
                QTest::addRow("%d %s", i, qPrintable(flags[i])) << i << flags[i] << captions[i];
    }
    void eachBoxHasItsOwnFlag()
    {
        QFETCH(int, box);
        QFETCH(QString, flag);
        QFETCH(QString, caption);
        start(flag + " = False");
        const int next = box == 5 ? 8 : (box + 1) % 30;
        setModalHandler([&](QDialog& d) {
            auto& w = static_cast<frmIncludeSkip&>(d);
            for (int i = 0; i < 30; ++i)
                QCOMPARE(w.chkSkip[size_t(i)]->isChecked(), i != box);
            QCOMPARE(w.chkSkip[size_t(box)]->text(), caption);
            click(w.chkSkip[size_t(box)]);    // this field takes part again,
            click(w.chkSkip[size_t(next)]);   // the next is skipped instead
            click(w.Command1[2]);
        });
        p->main().mnuOptions[2]->trigger();
        setModalHandler({});
        QCOMPARE(asked(), QList<MessageRequest>());
        const QStringList flags = schema::includeFlagFields();
        for (int i = 0; i < 30; ++i)
            QCOMPARE(stored(flags[i]), i == next ? "false" : "true");
        // Flags 0 to 27 stand for boxes 1 to 28 of the main window; then the picture and the lapsed tick.
        const auto& main = p->main();
        const auto control = [&main](int k) { return k < 28 ? main.box(k + 1) : k == 28 ? static_cast<QWidget*>(main.Picture1) : main.chkLapsed; };
        QVERIFY(control(box)->isEnabled());
        QVERIFY(!control(next)->isEnabled());
        QVERIFY(main.box(kNumberBox)->isEnabled());
    }

    // A member cannot be saved without a surname and a first address line, so neither is
    // ever skipped: unticking one is refused with the reason, and a register whose flags
    // skip them (another tool's doing) still has them ticked and their boxes open.
    void theFieldsSaveNeedsAreNeverSkipped()
    {
        start("AllowSurname = False, AllowAddress1 = False");
        QVERIFY(p->main().box(kSurnameBox)->isEnabled());
        QVERIFY(p->main().box(kAddress1Box)->isEnabled());
        auto& w = openWindow<frmIncludeSkip>();
        QVERIFY(w.chkSkip[6]->isChecked() && w.chkSkip[7]->isChecked());
        const MessageRequest refused = information("Field needed", "The surname and the first line of the address cannot be "
                                                                   "skipped: a member cannot be saved without them.");
        answer({MsgAnswer::OK, MsgAnswer::OK});
        click(w.chkSkip[6]);
        click(w.chkSkip[7]);
        click(w.chkSkip[5]);
        QCOMPARE(asked(), (QList<MessageRequest>{refused, refused}));
        QVERIFY(w.chkSkip[6]->isChecked() && w.chkSkip[7]->isChecked());
        click(w.Command1[2]);
        QCOMPARE(stored("AllowFirstName") + stored("AllowSurname") + stored("AllowAddress1"), "falsetruetrue");
    }

    // Defaults ticks every box once answered Yes, storing nothing until Save; a flag Null, as
    // another tool may leave it, counts as True.
    void defaultsTicksEveryBox()
    {
        start("AllowFax = False, AllowEmail = Null");
        auto& w = openWindow<frmIncludeSkip>();
        QVERIFY(!w.chkSkip[15]->isChecked());
        QVERIFY(w.chkSkip[17]->isChecked());
        answer(MsgAnswer::Yes);
        click(w.Command1[1]);
        QCOMPARE(asked(), QList<MessageRequest>{question("Just checking", "Are you sure you want to restore the defaults?")});
        QVERIFY(w.chkSkip[15]->isChecked());
        QCOMPARE(stored("AllowFax"), "false");
    }

    // The window moves by Tab only: Enter on a box neither moves on nor saves.
    void enterLeavesTheFocusWhereItIs()
    {
        start();
        auto& w = openWindow<frmIncludeSkip>();
        w.chkSkip[3]->setFocus();
        QTest::keyClick(w.chkSkip[3], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.chkSkip[3]);
        QVERIFY(w.isVisible());
    }
};

// Esc and the title bar's close button go through Cancel: the question first, and Yes closes
// without storing.
class CancelQuestionTest : public WindowTest {
    Q_OBJECT

private slots:
    void escapeAndCloseAskFirst_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("escape");   // else the title bar's close button
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("screen text, Esc, Yes") << "screen text" << true << MsgAnswer::Yes;
        QTest::newRow("include/skip, close, No") << "include/skip" << false << MsgAnswer::No;
        QTest::newRow("defaults, close, Yes") << "defaults" << false << MsgAnswer::Yes;
        QTest::newRow("year, Esc, No") << "year" << true << MsgAnswer::No;
    }
    void escapeAndCloseAskFirst()
    {
        QFETCH(QString, window);
        QFETCH(bool, escape);
        QFETCH(MsgAnswer, answer);
        start();
        QDialog* w = nullptr;
        if (window == "screen text") {
            auto& text = openWindow<frmZelkScreenText>();
            text.Text1[12]->setText("Telefax");
            w = &text;
        } else if (window == "include/skip") {
            auto& skip = openWindow<frmIncludeSkip>();
            skip.chkSkip[15]->setChecked(false);
            w = &skip;
        } else if (window == "defaults") {
            auto& defaults = openWindow<frmZelkDefaults>();
            defaults.chkDefault[0]->setChecked(false);
            w = &defaults;
        } else {
            auto& year = openWindow<frmZelkYear>();
            year.optEndDate[1]->setChecked(true);
            year.txtEndDate[0]->setText("30");
            w = &year;
        }
        test::answer(answer);
        if (escape)
            QTest::keyClick(w, Qt::Key_Escape);
        else
            w->close();
        QCOMPARE(asked(), QList<MessageRequest>{kCancelAll});
        QCOMPARE(w->isVisible(), answer == MsgAnswer::No);
        QCOMPARE(stored("ScreenFax") + stored("AllowFax") + stored("YearEnd"), "<null>true1y");
        QCOMPARE(userSetting("Defaults/AutoCaps"), "");
    }
};

class ListsWindowTest : public WindowTest {
    Q_OBJECT

    frmLookups* w = nullptr;

    // The list table holds `values` (invalid: Null); the main window's box holds `boxValue`.
    void open(query::ValueList list, const QVariantList& values, const QString& boxValue = {}, const QVariantMap& member = {})
    {
        if (!member.isEmpty())
            program().addMember(member);
        else
            program();
        buildNewDatabaseIfMissing();
        const QString table = list == query::ValueList::MemberTypes ? "Members" : "Lookups";
        for (const QVariant& v : values)
            Database::open(p->databasePath())
                ->execute("INSERT INTO " + table + " ([" + query::valueField(list) + "]) VALUES ("
                          + (v.isValid() ? sql::quoteText(v.toString()) : "Null") + u')');
        p->start();
        w = &openWindow<frmLookups>(list, boxValue);
    }
    void buildNewDatabaseIfMissing()
    {
        if (!QFile::exists(p->databasePath()))
            buildNewDatabase(p->databasePath());
    }
    QStringList tableValues(query::ValueList list)
    {
        return registerRows(p->databasePath(), query::valueListQuery(list).replace("*", "[" + query::valueField(list) + "]"));
    }
    void clickEntry(const QString& text, bool twice = false)
    {
        const QPoint at = w->List1->visualItemRect(w->List1->findItems(text, Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    // In the language's order, without Null; the box's value is highlighted only when the
    // list holds it exactly.
    void theListAndTheBoxValue_data()
    {
        QTest::addColumn<query::ValueList>("list");
        QTest::addColumn<QString>("boxValue");
        QTest::addColumn<QStringList>("highlighted");
        QTest::newRow("types, value listed") << query::ValueList::MemberTypes << "Gold" << QStringList{"Gold"};
        QTest::newRow("lookups, other case") << query::ValueList::Lookups << "gold" << QStringList();
    }
    void theListAndTheBoxValue()
    {
        QFETCH(query::ValueList, list);
        QFETCH(QString, boxValue);
        QFETCH(QStringList, highlighted);
        open(list, {"silver", "Gold", QVariant(), "Émeraude", "bronze", "Gold"}, boxValue);
        QCOMPARE(entries(w->List1), (QStringList{"bronze", "Émeraude", "Gold", "Gold", "silver"}));
        QCOMPARE(entries(w->List1, true), highlighted);
        QCOMPARE(w->selectedValue(), highlighted.value(0));
    }

    // OK gives back the value clicked; a double click is a click and OK; with nothing
    // chosen OK and Delete are refused.
    void okGivesBackTheValueChosen()
    {
        open(query::ValueList::Lookups, {"silver", "Gold"}, "Gold");
        clickEntry("silver");
        QCOMPARE(w->selectedValue(), "silver");
        click(w->Command1[1]);
        QCOMPARE(w->result(), int(QDialog::Accepted));

        open(query::ValueList::MemberTypes, {"silver", "Gold"});
        clickEntry("Gold", true);
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(w->selectedValue(), "Gold");

        open(query::ValueList::MemberTypes, {"silver", "Gold"}, "Platinum");
        answer({MsgAnswer::OK, MsgAnswer::OK});
        click(w->cmdDelete);
        click(w->Command1[1]);
        const MessageRequest nothing = information("Nothing selected", "You haven't selected a membership type.");
        QCOMPARE(asked(), (QList<MessageRequest>{nothing, nothing}));
        QVERIFY(w->isVisible());
        click(w->Command1[0]);
        QCOMPARE(w->result(), int(QDialog::Rejected));
    }

    // The answer is trimmed; a double quote, a duplicate (letter case aside) and a value too
    // long to store are refused; a refused one leaves nothing pending for the next.
    void addStoresTheTrimmedValueOrRefuses_data()
    {
        QTest::addColumn<query::ValueList>("list");
        QTest::addColumn<QString>("typed");   // "(cancel)": the input box cancelled
        QTest::addColumn<QString>("added");   // empty: nothing
        QTest::addColumn<MessageRequest>("refusal");
        const auto types = query::ValueList::MemberTypes, lookups = query::ValueList::Lookups;
        const QString quote = "Can't use a double quote here";
        QTest::newRow("blanks around") << lookups << "  bird watcher \t" << "bird watcher" << MessageRequest{};
        QTest::newRow("query text") << types << "x') or (1=1) --" << "x') or (1=1) --" << MessageRequest{};
        QTest::newRow("the same with blanks") << lookups << "  Gold  " << "" << information("Duplicate", "You already have a Gold lookup.");
        QTest::newRow("another case") << types << "GOLD" << "" << information("Duplicate", "You already have a GOLD membership type.");
        QTest::newRow("a type with a quote") << types << "6\" ruler" << "" << information(quote, "Sorry, but you can't use \" in membership types.");
        QTest::newRow("too long to store") << types << QString(101, u'x') << "" << information("Too long", "Sorry, but a membership type can be no longer than 100 characters.");
        QTest::newRow("longest there can be") << lookups << QString(100, u'x') << QString(100, u'x') << MessageRequest{};
        QTest::newRow("a NUL") << lookups << QStringLiteral("Gold") + QChar(0) + QStringLiteral("en") << ""
                               << information("Can't use that character here", "Sorry, but you can't use a control character (one that cannot be typed or shown) in lookups.");
        QTest::newRow("cancelled") << lookups << "(cancel)" << "" << MessageRequest{};
    }
    void addStoresTheTrimmedValueOrRefuses()
    {
        QFETCH(query::ValueList, list);
        QFETCH(QString, typed);
        QFETCH(QString, added);
        QFETCH(MessageRequest, refusal);
        open(list, {"silver", "Gold"}, "Gold");
        DialogScript::answerInput(typed == "(cancel)" ? std::nullopt : std::optional<QString>(typed));
        if (!refusal.text.isEmpty())
            answer(MsgAnswer::OK);
        click(w->cmdAdd);
        QCOMPARE(asked(), refusal.text.isEmpty() ? QList<MessageRequest>() : QList<MessageRequest>{refusal});
        DialogScript::answerInput("Zinc");
        click(w->cmdAdd);
        QCOMPARE(tableValues(list), QStringList({"silver", "Gold"}) << (added.isEmpty() ? QStringList() : QStringList{added}) << "Zinc");
        QVERIFY(entries(w->List1).contains("Zinc"));
        QCOMPARE(entries(w->List1, true), QStringList{"Gold"});   // an added value is not selected
    }

    // A value a member holds, in its own field (any of the six lookups for a lookup), is kept;
    // one that no member holds is deleted after a question.
    void deleteAsksUnlessAMemberHoldsTheValue_data()
    {
        QTest::addColumn<query::ValueList>("list");
        QTest::addColumn<QString>("field");   // the field member Ames holds the value in
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("inUse");
        const auto types = query::ValueList::MemberTypes, lookups = query::ValueList::Lookups;
        QTest::newRow("type in use") << types << "MemberType" << "O'Neill's" << true;
        for (int i = 1; i <= 6; ++i)
            QTest::addRow("in use as Lookup%d", i) << lookups << QString("Lookup%1").arg(i) << "Gold*" << true;
        QTest::newRow("query text in use") << lookups << "Lookup4" << "a') or ('1'='1" << true;
        QTest::newRow("a type held as a lookup only") << types << "Lookup2" << "Gold*" << false;
        QTest::newRow("a lookup held as the type only") << lookups << "MemberType" << "Gold*" << false;
    }
    void deleteAsksUnlessAMemberHoldsTheValue()
    {
        QFETCH(query::ValueList, list);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, inUse);
        const QStringList all{"Silver", value, "Gold", "Golden"};
        open(list, QVariantList(all.begin(), all.end()), "Silver",
             {{"Number", 2}, {"Surname", "Ames"}, {"Address1", "1 High St"}, {field, value}});
        clickEntry(value);
        answer(inUse ? MsgAnswer::OK : MsgAnswer::Yes);
        click(w->cmdDelete);
        const bool types = list == query::ValueList::MemberTypes;
        QCOMPARE(asked(), QList<MessageRequest>{
                                      inUse ? information("Can't delete at the moment",
                                                          QString("You still have some members with a %1").arg(types ? "membership type of " : "lookup of ")
                                                              + value + '.')
                                            : question("Just Checking", "Are you sure that you want to delete " + value + "?")});
        QCOMPARE(tableValues(list).contains(value), inUse);
        // Filled afresh with the box's value highlighted: the deleted value is not one OK
        // could still hand over.
        QCOMPARE(entries(w->List1, true), inUse ? QStringList{value} : QStringList{"Silver"});
    }

    void deleteAnsweredNoKeepsTheValue()
    {
        open(query::ValueList::Lookups, {"Silver", "Gold"});
        clickEntry("Gold");
        answer(MsgAnswer::No);
        click(w->cmdDelete);
        QCOMPARE(tableValues(query::ValueList::Lookups), (QStringList{"Silver", "Gold"}));
        QCOMPARE(w->selectedValue(), "Gold");
    }

    // Values that differ only in case are different values: the one chosen is deleted.
    void deleteTakesTheValueChosenLetterForLetter()
    {
        open(query::ValueList::MemberTypes, {"Gold", "GOLD", "gold"});
        clickEntry("GOLD");
        answer(MsgAnswer::Yes);
        click(w->cmdDelete);
        QCOMPARE(tableValues(query::ValueList::MemberTypes), (QStringList{"Gold", "gold"}));
    }
};

class SmallDialogsTest : public WindowTest {
    Q_OBJECT

private slots:
    // Typed over the number, which entering the box selects; or pasted. Only digits are a
    // number; the next new member is proposed the number after the one stored.
    void resetNumbering_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<MessageRequest>("refusal");
        QTest::addColumn<int>("stored");
        const MessageRequest missing = exclamation("Last number missing", "You must enter a number in the box.");
        const MessageRequest tooLarge = exclamation("Number too large", "That number is too large. Please enter a number no larger than 2,147,483,646, "
                                                                               "so that the next member can still be numbered.");
        QTest::newRow("only digits are typed") << "4a 1." << false << MessageRequest{} << 41;
        // The next member takes the largest number a member can have.
        QTest::newRow("the largest that leaves room") << "2147483646" << false << MessageRequest{} << 2147483646;
        QTest::newRow("the largest a member can have") << "2147483647" << false << tooLarge << 1;
        QTest::newRow("empty") << "\b" << false << missing << 1;
        QTest::newRow("far too large") << "99999999999999999999999" << false << tooLarge << 1;
        QTest::newRow("pasted digits") << "742" << true << MessageRequest{} << 742;
        QTest::newRow("pasted 12abc") << "12abc" << true << missing << 1;
    }
    void resetNumbering()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        QFETCH(MessageRequest, refusal);
        QFETCH(int, stored);
        start();
        auto& w = openWindow<frmResetAutoNumber>();
        w.Text1->setFocus(Qt::TabFocusReason);
        if (pasted) {
            QApplication::clipboard()->setText(typed);
            w.Text1->paste();
        } else {
            QTest::keyClicks(w.Text1, typed);
        }
        if (!refusal.text.isEmpty())
            answer(MsgAnswer::OK);
        click(w.Command1[1]);
        QCOMPARE(asked(), refusal.text.isEmpty() ? QList<MessageRequest>() : QList<MessageRequest>{refusal});
        QCOMPARE(w.isVisible(), !refusal.text.isEmpty());
        QCOMPARE(this->stored("LastNumber"), QString::number(stored));
        p->main().Command1_Click(2);
        QCOMPARE(p->main().boxText(kNumberBox), QString::number(stored + 1LL));
    }

    // A click places the cursor after the focus arrives; the whole number is selected all
    // the same, so "7" typed replaces it.
    void aClickIntoTheNumberSelectsIt()
    {
        start("LastNumber = 742");
        auto& w = openWindow<frmResetAutoNumber>();
        w.Command1[1]->setFocus();
        QTest::mouseClick(w.Text1, Qt::LeftButton, {}, QPoint(4, w.Text1->height() / 2));
        QTRY_COMPARE(w.Text1->selectedText(), "742");
        QTest::keyClicks(w.Text1, "7");
        QCOMPARE(w.Text1->text(), "7");
    }

    // The setting, the option it shows, the one chosen; the setting stored, and where
    // Ctrl+Page Up then goes from Bell, at once.
    void navigationDirectionIsStoredAndUsedAtOnce_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("reached");
        QTest::newRow("0, the first chosen") << "0" << 1 << 0 << "1" << "Ames";
        QTest::newRow("1, the second chosen") << "1" << 0 << 1 << "0" << "Cole";
    }
    void navigationDirectionIsStoredAndUsedAtOnce()
    {
        QFETCH(QString, before);
        QFETCH(int, shown);
        QFETCH(int, chosen);
        QFETCH(QString, after);
        QFETCH(QString, reached);
        program();
        saveSetting(setting::PageDir, before);
        for (const char* name : {"Ames", "Bell", "Cole"})
            p->addMember({{"Number", name[0] - 'A' + 2}, {"Surname", name}, {"Address1", "1 High St"}});
        p->start();
        auto& w = openWindow<frmNavKeys>();
        QVERIFY(w.optDir[size_t(shown)]->isChecked());
        QTest::mouseClick(w.optDir[size_t(chosen)], Qt::LeftButton);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(userSetting("Defaults/PageDir"), after);
        showActive(p->main());
        p->main().cmdNext_Click(3);
        p->main().cmdNext_Click(1);
        QCOMPARE(p->main().boxText(kSurnameBox), "Bell");
        p->main().txtInfo[kSurnameBox]->setFocus();
        QTest::keyClick(p->main().txtInfo[kSurnameBox], Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(p->main().boxText(kSurnameBox), reached);
    }

    // The file dialog starts in the known browser's folder; the window cancelled keeps that browser.
    void browserChosenOrKept_data()
    {
        QTest::addColumn<QString>("chosen");   // "-": the window cancelled
        QTest::addColumn<QString>("browser");
        QTest::newRow("chosen") << "/opt/web browsers/firefox" << "/opt/web browsers/firefox";
        QTest::newRow("window cancelled") << "-" << "/usr/bin/true";
    }
    void browserChosenOrKept()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, browser);
        start();   // knowing /usr/bin/true as the browser
        auto& w = openWindow<frmFindBrowser>();
        if (chosen != "-")
            DialogScript::answerFile(chosen);
        QTest::mouseClick(chosen != "-" ? w.Command1 : w.Command2, Qt::LeftButton);
        if (chosen != "-") {
            QCOMPARE(DialogScript::fileQuestions().value(0).folder, "/usr/bin");
            QCOMPARE(DialogScript::fileQuestions().value(0).filter, "Web browser (*)|*");
        }
        QCOMPARE(p->state().BrowserPath, browser);
        QCOMPARE(userSetting("Location/WebBrowser"), browser);
        QVERIFY(!w.isVisible());
    }

    // OK hands the font clicked to the label font box; a blank name is no font.
    void fontGoesToTheLabelFontBox_data()
    {
        QTest::addColumn<int>("row");   // clicked; -1: none
        QTest::addColumn<QString>("font");   // empty: refused
        QTest::newRow("clicked") << 1 << "Times";
        QTest::newRow("a blank name") << 2 << "";
    }
    void fontGoesToTheLabelFontBox()
    {
        QFETCH(int, row);
        QFETCH(QString, font);
        start();
        QLineEdit fontBox("Courier");
        frmChooseFont w(p->state(), &fontBox, &p->main());
        w.List1->clear();
        w.List1->addItems({"Courier New", "Times", "  "});
        showActive(w);
        if (row >= 0)
            QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, w.List1->visualItemRect(w.List1->item(row)).center());
        if (font.isEmpty())
            answer(MsgAnswer::OK);
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(asked(), font.isEmpty() ? QList<MessageRequest>{information("No font selected", "You must select a font.")}
                                                 : QList<MessageRequest>());
        QCOMPARE(w.isVisible(), font.isEmpty());
        QCOMPARE(fontBox.text(), font.isEmpty() ? "Courier" : font);
    }
};

ZELK_TEST(YearWindowTest)
ZELK_TEST(DefaultsWindowTest)
ZELK_TEST(ScreenTextWindowTest)
ZELK_TEST(IncludeSkipWindowTest)
ZELK_TEST(CancelQuestionTest)
ZELK_TEST(ListsWindowTest)
ZELK_TEST(SmallDialogsTest)
#include "tst_config_windows.moc"
