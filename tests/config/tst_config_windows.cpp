// The configuration windows over the real main window, each on a register of its own: every
// button, each question answered both ways, what the register file and the settings file then
// hold, and what the main window shows.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "ui/message_box.h"
#include "core/settings_store.h"
#include "ui/user_dialogs.h"
#include "config/frm_choose_font.h"
#include "config/frm_find_browser.h"
#include "config/frm_include_skip.h"
#include "config/frm_lookups.h"
#include "config/frm_nav_keys.h"
#include "config/frm_reset_auto_number.h"
#include "config/frm_zelk_defaults.h"
#include "config/frm_zelk_screen_text.h"
#include "config/frm_zelk_year.h"
#include "data/create_db.h"
#include "data/schema.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/sql_dialect.h"
#include "entry/picture_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <numeric>

using namespace zelk;
using namespace zelk::test;

namespace {

// "title|text|buttons|icon" of every message shown; a question's buttons name its default.
QStringList messages()
{
    static const char *const buttons[] = {"OK", "OKCancel/", "YesNo/", "YesNoCancel/"}, *const answers[] = {"", "Cancel", "Yes", "No"},
                      *const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    QStringList out;
    for (const auto& m : MessageScript::asked())
        out << m.title + u'|' + m.text + u'|' + buttons[int(m.buttons)] + answers[int(m.defaultButton)] + u'|' + icons[int(m.icon)];
    return out;
}

// Queues the answers to the next messages: OK `count` times, or Yes or No.
void ok(int count = 1) { while (count-- > 0) MessageScript::answer(MsgAnswer::OK); }
void answer(bool yes) { MessageScript::answer(yes ? MsgAnswer::Yes : MsgAnswer::No); }

// Shows the window and waits until it is the active one, so focus moves in it as typed.
void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

// Clicks a button; a check box or option on its caption (the middle of a wide one misses).
void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2)); }

// The entries of a list, or only the highlighted ones.
QStringList entries(const QListWidget* list, bool highlightedOnly = false)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!highlightedOnly || list->item(i)->isSelected())
            out << list->item(i)->text();
    return out;
}

// The option chosen ("-" for none); "x" or "." for each box ticked or not; a box's text, "(off)" when disabled.
template <class Options> QString chosen(const Options& options)
{
    const auto at = std::find_if(options.begin(), options.end(), [](auto* o) { return o->isChecked(); });
    return at == options.end() ? QStringLiteral("-") : QString::number(at - options.begin());
}
template <class Boxes> QString ticks(const Boxes& boxes)
{
    return std::accumulate(boxes.begin(), boxes.end(), QString(), [](const QString& s, auto* box) { return s + (box->isChecked() ? u'x' : u'.'); });
}
QString text(const QLineEdit* box) { return box->isEnabled() ? box->text() : QStringLiteral("(off)"); }

enum Window { ScreenText, IncludeSkip, Defaults, Year };

// The year window opened on the stored rules (YearStart|YearEnd), showing them; a box (0 day of the month, 1 day and
// month, 2 days, 3 months) typed into; the messages on leaving it, then on Save; the rules stored (empty: none).
struct Typed { QString locale = "en_GB", rules = "<null>|1y", shown = "0 (off) (off)|0 (off) (off)"; int box = 0; QString typed{}; QStringList messages{}; QString stored{}; };

bool isType(const QString& mode) { return mode == QLatin1String("Type"); }
QString tableOf(const QString& mode) { return isType(mode) ? "Members" : "Lookups"; }
QString fieldOf(const QString& mode) { return isType(mode) ? "Member Type" : "Lookups"; }
int boxOf(const QString& mode) { return isType(mode) ? 20 : 23; }
QString info(const QString& title, const QString& text) { return title + u'|' + text + "|OK|Information"; }

// The button is 1 OK, 0 Cancel, -1 a double click; saved is the member's value afterwards.
struct Pick { QString mode, boxValue, highlighted, clicked; int button; QString saved; };
// What is typed is stored as `value`, or refused with `message`; the list then shows `shown`.
struct Add { QString mode; std::optional<QString> typed; QString value, message; QStringList shown = {"Gold", "silver"}; };
// Member Ames holds the value in the field; a value not in use is asked about, answered Yes or No.
struct Delete { QString mode, field, value; bool inUse, yes; QString boxValue; };

// Typed over the number, which entering the box selects; Save (1) or Cancel (0); the message refusing it; what is stored.
struct Reset { QString typed; int button; QString message; int stored; };
// The setting, the option it checks and the one clicked; the setting stored, and where Ctrl+Page Up goes from Bell.
struct Nav { QString before; int shown, chosen; QString after, reached; };

} // namespace

Q_DECLARE_METATYPE(Pick)
Q_DECLARE_METATYPE(Add)
Q_DECLARE_METATYPE(Delete)
Q_DECLARE_METATYPE(Reset)
Q_DECLARE_METATYPE(Nav)
Q_DECLARE_METATYPE(Typed)

// Each test starts its own program; cleanup fails a test that met a message or question nobody answered, or left an answer unused.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestProgram> p;
    std::unique_ptr<QWidget> window;

    // A program not yet started, so members and settings can be put in first.
    TestProgram& program(const QString& locale = "en_GB")
    {
        window.reset();
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
    template <class W> W& openWindow()
    {
        window = std::make_unique<W>(p->state(), &p->main());
        showActive(*window);
        return static_cast<W&>(*window);
    }
    // Fields of the Settings row as the file holds them, "|"-joined, Null as "<null>".
    QString stored(const QStringList& fields) const { return registerRows(p->databasePath(), "Select " + fields.join(", ") + " from Settings").value(0); }
    // A per-user setting ("Defaults/PageDir") as the settings file holds it.
    QString userSetting(const QString& key) const { return QSettings(p->world().settingsFile(), QSettings::IniFormat).value(key).toString(); }

private slots:
    void cleanup()
    {
        const bool tidy = MessageScript::unexpected().isEmpty() && MessageScript::pendingAnswers() == 0 && DialogScript::unexpected() == 0;
        window.reset();
        p.reset();
        QVERIFY2(tidy, "a message or question nobody answered, or an answer never asked for");
    }
};

class ListsAndDialogsTest : public WindowTest {
    Q_OBJECT

    frmLookups* w = nullptr;

    // Member 2, Ames, holds `fields` and `boxValue` in the field the window fills, and is
    // shown in the main window; the list table holds `values` (invalid: Null).
    void open(const QString& mode, const QVariantList& values, const QString& boxValue = {}, const QVariantMap& fields = {})
    {
        QVariantMap member{{"Number", 2}, {"Surname", "Ames"}, {"Address1", "1 High St"}, {isType(mode) ? "MemberType" : "Lookup3", boxValue}};
        member.insert(fields);
        program().addMember(member);
        for (const QVariant& v : values)
            Database::open(p->databasePath())->execute("INSERT INTO " + tableOf(mode) + " ([" + fieldOf(mode) + "]) VALUES ("
                                                       + (v.isValid() ? sql::quoteText(v.toString()) : "Null") + u')');
        p->start();
        p->main().cmdNext_Click(3);   // past the new register's empty member
        p->state().WorkString = mode;
        p->state().LookupField = boxOf(mode);
        w = &openWindow<frmLookups>();
    }
    // The list table's values as the file holds them, in stored order.
    QStringList tableValues(const QString& mode) { return registerRows(p->databasePath(), "Select [" + fieldOf(mode) + "] from " + tableOf(mode)); }

    void clickEntry(const QString& text, bool twice = false)
    {
        const QPoint at = w->List1->visualItemRect(w->List1->findItems(text, Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    // The list is in the language's order, without Null. The box's value is highlighted only when listed exactly;
    // with none highlighted or clicked, OK and Delete are refused.
    void okFillsTheMainWindowBox_data()
    {
        QTest::addColumn<Pick>("c");
        QTest::newRow("box value highlighted") << Pick{"Type", "Gold", "Gold", "", 1, "Gold"};
        QTest::newRow("click, OK") << Pick{"Type", "Gold", "Gold", "silver", 1, "silver"};
        QTest::newRow("double click") << Pick{"Lookup", "", "", "silver", -1, "silver"};
        QTest::newRow("cancel") << Pick{"Lookup", "Gold", "Gold", "silver", 0, "Gold"};
        QTest::newRow("other case: nothing") << Pick{"Type", "gold", "", "", 1, "gold"};
        QTest::newRow("not listed: nothing") << Pick{"Lookup", "Platinum", "", "", 1, "Platinum"};
    }
    void okFillsTheMainWindowBox()
    {
        QFETCH(Pick, c);
        open(c.mode, {"silver", "Gold", QVariant(), "Émeraude", "bronze", "Gold"}, c.boxValue);
        QCOMPARE(entries(w->List1) << w->windowTitle() << w->cmdAdd->text() << entries(w->List1, true),
                 QStringList({"bronze", "Émeraude", "Gold", "Gold", "silver"})
                     << (isType(c.mode) ? QStringList{"Membership Types", "&Add Membership Type"} : QStringList{"Lookups", "&Add Lookup"})
                     << (c.highlighted.isEmpty() ? QStringList() : QStringList{c.highlighted}));
        if (!c.clicked.isEmpty())
            clickEntry(c.clicked, c.button < 0);
        const bool refused = c.button == 1 && c.highlighted.isEmpty() && c.clicked.isEmpty();
        ok(refused ? 2 : 0);
        if (refused)
            QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
        if (c.button >= 0)
            QTest::mouseClick(w->Command1[size_t(c.button)], Qt::LeftButton);
        QCOMPARE(messages(), QStringList(refused ? 2 : 0, info("Nothing selected", QString("You haven't selected a %1.").arg(isType(c.mode) ? "membership type" : "lookup"))));
        QCOMPARE(w->isVisible() ? -1 : w->result(), refused ? -1 : int(c.button != 0 ? QDialog::Accepted : QDialog::Rejected));
        p->main().Command1_Click(0);   // the main window's Save
        QCOMPARE(registerRows(p->databasePath(), QString("Select %1 from Zelk where Number = 2").arg(isType(c.mode) ? "MemberType" : "Lookup3")),
                 QStringList{c.saved});
    }

    // Every addition is looked for afresh, so a refused one leaves nothing pending.
    void addStoresTheTrimmedValueOrRefuses_data()
    {
        QTest::addColumn<Add>("c");
        const QString quote = "Can't use a double quote here";
        QTest::newRow("blanks") << Add{"Lookup", "  bird watcher \t", "bird watcher", "", {"bird watcher", "Gold", "silver"}};
        QTest::newRow("query text") << Add{"Type", "x') or (1=1) --", "x') or (1=1) --", "", {"Gold", "silver", "x') or (1=1) --"}};
        QTest::newRow("wildcards") << Add{"Lookup", "[Gold]*?#%", "[Gold]*?#%", "", {"[Gold]*?#%", "Gold", "silver"}};
        QTest::newRow("same") << Add{"Type", "Gold", "", info("Duplicate", "You already have a Gold membership type.")};
        QTest::newRow("with blanks") << Add{"Lookup", "  Gold  ", "", info("Duplicate", "You already have a Gold lookup.")};
        QTest::newRow("other case") << Add{"Type", "GOLD", "", info("Duplicate", "You already have a GOLD membership type.")};
        QTest::newRow("type quote") << Add{"Type", "6\" ruler", "", info(quote, "Sorry, but you can't use \" in membership types.")};
        QTest::newRow("lookup quote") << Add{"Lookup", "\"", "", info(quote, "Sorry, but you can't use \" in lookups.")};
        QTest::newRow("too long to store") << Add{"Type", QString(101, u'x'), "", "Unexpected error.|There was an unexpected error, number 3163 in "
                                                                                "cmdAdd_Click. Please contact Bramwick for further advice.|OK|Critical"};
        QTest::newRow("empty") << Add{"Lookup", "", "", ""};
        QTest::newRow("cancelled") << Add{"Lookup", std::nullopt, "", ""};
    }
    void addStoresTheTrimmedValueOrRefuses()
    {
        QFETCH(Add, c);
        open(c.mode, {"silver", "Gold"}, "Gold");
        DialogScript::answerInput(c.typed);
        ok(!c.message.isEmpty());
        QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
        const InputQuestion asked = DialogScript::inputQuestions().value(0);
        QCOMPARE(asked.title + u'|' + asked.prompt,
                 isType(c.mode) ? "Add Membership Type|Please enter a new membership type" : "Add Lookup|Please enter a new lookup");
        QCOMPARE(messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        DialogScript::answerInput("Zinc");
        w->cmdAdd_Click();
        QCOMPARE(tableValues(c.mode), QStringList({"silver", "Gold"}) << (c.value.isEmpty() ? QStringList() : QStringList{c.value}) << "Zinc");
        QCOMPARE(entries(w->List1), QStringList(c.shown) << "Zinc");
        QCOMPARE(entries(w->List1, true), QStringList{"Gold"});   // an added value is not selected
    }

    // In the other list's field the value does not count; one that looks like a wildcard
    // takes no other with it.
    void deleteAsksUnlessAMemberHoldsTheValue_data()
    {
        QTest::addColumn<Delete>("c");
        QTest::newRow("type in use") << Delete{"Type", "MemberType", "O'Neill's", true, false, ""};
        for (int i = 1; i <= 6; ++i)
            QTest::addRow("Lookup%d in use", i) << Delete{"Lookup", QString("Lookup%1").arg(i), "Gold*", true, false, ""};
        QTest::newRow("query text in use") << Delete{"Lookup", "Lookup4", "a') or ('1'='1", true, false, ""};
        QTest::newRow("type, yes") << Delete{"Type", "Lookup2", "Gold*", false, true, ""};
        QTest::newRow("type, no") << Delete{"Type", "Lookup2", "Gold*", false, false, ""};
        QTest::newRow("lookup, yes, box value listed") << Delete{"Lookup", "MemberType", "Gold*", false, true, "Silver"};
    }
    void deleteAsksUnlessAMemberHoldsTheValue()
    {
        QFETCH(Delete, c);
        const QStringList all{"Silver", c.value, "Gold", "Golden"};
        open(c.mode, QVariantList(all.begin(), all.end()), c.boxValue, {{c.field, c.value}});
        clickEntry(c.value);
        c.inUse ? ok() : answer(c.yes);
        QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{c.inUse ? info("Can't delete at the moment", "You still have some members with a "
                                                        + QString(isType(c.mode) ? "membership type of " : "lookup of ") + c.value + u'.')
                                                 : "Just Checking|Are you sure that you want to delete " + c.value + "?|YesNo/Yes|Question"});
        if (!c.yes) {
            QCOMPARE(tableValues(c.mode) << entries(w->List1, true), QStringList(all) << c.value);
            return;
        }
        // Filled afresh with the main window's value highlighted: the deleted value is not
        // one OK could still hand over.
        QCOMPARE(tableValues(c.mode) << entries(w->List1) << entries(w->List1, true),
                 QStringList({"Silver", "Gold", "Golden", "Gold", "Golden", "Silver"}) << (c.boxValue.isEmpty() ? QStringList() : QStringList{c.boxValue}));
        ok(c.boxValue.isEmpty());
        QTest::mouseClick(w->Command1[1], Qt::LeftButton);
        QCOMPARE(w->isVisible(), c.boxValue.isEmpty());
        QCOMPARE(p->main().boxText(boxOf(c.mode)), c.boxValue);
    }

    void resetNumbering_data()
    {
        QTest::addColumn<Reset>("c");
        const QString tooLarge = "Number too large|That number is too large. Please enter a number no larger than 2,147,483,647.|OK|Exclamation";
        QTest::newRow("only digits are taken") << Reset{"4a 1.", 1, "", 41};
        QTest::newRow("leading zeros") << Reset{"0099", 1, "", 99};
        QTest::newRow("largest the counter holds") << Reset{"2147483646", 1, "", 2147483646};
        QTest::newRow("cancel") << Reset{"500", 0, "", 1};
        QTest::newRow("empty") << Reset{"\b", 1, "Last number missing|You must enter a number in the box.|OK|Exclamation", 1};
        QTest::newRow("one past the largest") << Reset{"2147483648", 1, tooLarge, 1};
        QTest::newRow("far too large") << Reset{"99999999999999999999999", 1, tooLarge, 1};
    }
    void resetNumbering()
    {
        QFETCH(Reset, c);
        start();
        auto& w = openWindow<frmResetAutoNumber>();
        QTest::keyClicks(w.Text1, c.typed);
        ok(!c.message.isEmpty());
        QTest::mouseClick(w.Command1[size_t(c.button)], Qt::LeftButton);
        p->main().Command1_Click(2);   // New proposes the number after the one stored
        QCOMPARE(QStringList({messages().join(u'\n'), w.isVisible() ? "open" : "closed", stored({"LastNumber"}), p->main().boxText(0)}),
                 QStringList({c.message, c.message.isEmpty() ? "closed" : "open", QString::number(c.stored), QString::number(c.stored + 1LL)}));
    }

    void navigationDirectionIsStoredAndUsedAtOnce_data()
    {
        QTest::addColumn<Nav>("c");
        QTest::newRow("0, first chosen") << Nav{"0", 1, 0, "1", "Ames"};
        QTest::newRow("1, second chosen") << Nav{"1", 0, 1, "0", "Cole"};
        QTest::newRow("any other value") << Nav{"2", 1, 0, "1", "Ames"};
    }
    void navigationDirectionIsStoredAndUsedAtOnce()
    {
        QFETCH(Nav, c);
        program();
        saveSetting(setting::PageDir, c.before);
        for (const char* name : {"Ames", "Bell", "Cole"})
            p->addMember({{"Number", name[0] - 'A' + 2}, {"Surname", name}, {"Address1", "1 High St"}});
        p->start();
        auto& w = openWindow<frmNavKeys>();
        QVERIFY(w.optDir[size_t(c.shown)]->isChecked());
        QTest::mouseClick(w.optDir[size_t(c.chosen)], Qt::LeftButton);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(QString::number(w.result()) + userSetting("Defaults/PageDir"), '1' + c.after);
        showActive(p->main());
        p->main().cmdNext_Click(3);
        p->main().cmdNext_Click(1);
        QCOMPARE(p->main().boxText(7), "Bell");
        p->main().txtInfo[7]->setFocus();
        QTest::keyClick(p->main().txtInfo[7], Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(p->main().boxText(7), c.reached);
    }

    void browserChosenOrKept_data()
    {
        QTest::addColumn<QString>("chosen");   // in the file dialog; empty: cancelled; "-": the window cancelled
        QTest::newRow("chosen") << "/opt/web browsers/firefox";
        QTest::newRow("file dialog cancelled") << "";
        QTest::newRow("window cancelled") << "-";
    }
    void browserChosenOrKept()
    {
        QFETCH(QString, chosen);
        start();   // knowing /usr/bin/true as the browser
        auto& w = openWindow<frmFindBrowser>();
        if (chosen != "-")
            DialogScript::answerFile(chosen);
        QTest::mouseClick(chosen != "-" ? w.Command1 : w.Command2, Qt::LeftButton);
        const FileQuestion asked = DialogScript::fileQuestions().value(0);
        const QString browser = chosen.startsWith(u'/') ? chosen : "/usr/bin/true";
        QCOMPARE(QStringList({asked.folder, asked.filter, p->state().BrowserPath, userSetting("Location/WebBrowser"), w.isVisible() ? "open" : "closed"}),
                 QStringList({chosen != "-" ? "/usr/bin" : "", chosen != "-" ? "Web browser (*)|*" : "", browser, browser, "closed"}));
    }

    // OK hands the font clicked to the label font box; a blank name is no font.
    void fontGoesToTheLabelFontBox_data()
    {
        QTest::addColumn<int>("row");   // clicked; -1: none
        QTest::newRow("clicked") << 1;
        QTest::newRow("nothing selected") << -1;
        QTest::newRow("blank name") << 2;
    }
    void fontGoesToTheLabelFontBox()
    {
        QFETCH(int, row);
        start();
        p->state().WorkString = "L7160";
        QLineEdit fontBox("Courier");
        frmChooseFont w(p->state(), &fontBox, &p->main());
        w.List1->clear();
        w.List1->addItems({"Courier New", "Times", "  "});
        showActive(w);
        if (row >= 0)
            QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, w.List1->visualItemRect(w.List1->item(row)).center());
        const QString chosen = row == 1 ? "Times" : "";
        ok(chosen.isEmpty());
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(messages(), chosen.isEmpty() ? QStringList{"No font selected|You must select a font.|OK|Information"} : QStringList());
        if (chosen.isEmpty())
            QTest::mouseClick(w.Command1[0], Qt::LeftButton);
        QCOMPARE(w.result(), int(chosen.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(fontBox.text() + u'|' + p->state().WorkString, chosen.isEmpty() ? "Courier|L7160" : "Times|Times");
    }
};

class OptionWindowsTest : public WindowTest {
    Q_OBJECT

private slots:
    // Entering a box selects its text, so typing replaces it; Enter leaves it, which trims it.
    // Blanks are stored as Null, which the main window shows as its own caption.
    void screenTextTrimmedStoredAndShown()
    {
        start(R"(ScreenTitle = "Rank")");
        auto& w = openWindow<frmZelkScreenText>();
        QCOMPARE(w.Text1[5]->text() + w.Text1[12]->text(), "Rank");
        for (auto [i, text] : {std::pair{5, "   "}, {12, "  Fax no.  "}, {26, "&Remove"}, {21, "Gone"}}) {
            w.Text1[i]->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(w.Text1[i], text);
            QTest::keyClick(w.Text1[i], Qt::Key_Return);
        }
        click(w.Command1[1]);
        QVERIFY(messages().isEmpty() && !w.isVisible());
        QStringList fields;
        for (const auto& caption : schema::captionFields())
            fields << caption.field;
        const QStringList c = stored(fields).split(u'|');
        const auto& main = p->main();
        QCOMPARE(QStringList({c[5], c[12], c[21], c[26], QString::number(c.count("<null>")), main.Label1[5]->text(), main.Label1[12]->text(),
                              main.Command1[3]->text(), main.chkLapsed->text()}).join(u'|'),
                 "<null>|Fax no.|Gone|&Remove|24|Title|Fax no.|&Remove|Gone");
    }

    // Unticked boxes are skipped in the main window, the number never; Defaults ticks every
    // box once answered Yes, storing nothing until Save.
    void includeSkipStoresTheBoxesOnSave_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("all unticked, Defaults answered No") << false;
        QTest::newRow("all unticked, Defaults answered Yes") << true;
    }
    void includeSkipStoresTheBoxesOnSave()
    {
        QFETCH(bool, yes);
        start("AllowFax = False, AllowEmail = Null");   // Null, as another tool may leave it, counts as True
        auto& w = openWindow<frmIncludeSkip>();
        QCOMPARE(ticks(w.chkSkip), QString(15, u'x') + u'.' + QString(14, u'x'));
        for (auto* box : w.chkSkip)
            box->setChecked(false);
        answer(yes);
        click(w.Command1[1]);
        QCOMPARE(messages(), QStringList{"Just checking|Are you sure you want to restore the defaults?|YesNo/Yes|Question"});
        QCOMPARE(ticks(w.chkSkip) + u'|' + stored({"AllowFax"}), QString(30, yes ? u'x' : u'.') + "|false");
        click(w.Command1[2]);
        QCOMPARE(stored(schema::includeFlagFields()) + (w.isVisible() ? "|open" : ""), QStringList(30, yes ? "true" : "false").join(u'|'));
        QString enabled;
        QList<QWidget*> boxes(p->main().txtInfo.begin(), p->main().txtInfo.end());
        for (QWidget* box : boxes << p->main().txtNotes << p->main().Picture1 << p->main().chkLapsed)
            enabled += box && box->isEnabled() ? u'x' : u'.';
        QCOMPARE(enabled, yes ? QString(28, u'x') + ".xxx" : u'x' + QString(31, u'.'));
    }

    // Values no option has select none and are kept; only "-1" ticks a box; an emptied box
    // keeps the stored address. Save reorders the members at once.
    void defaultsShowAndStoreTheUsersSettings()
    {
        program().addMember({{"Number", 7}, {"Surname", "Adams"}});
        p->addMember({{"Number", 2}, {"Surname", "Brown"}});
        Database::open(p->databasePath())->execute("Delete from Zelk WHERE Number = 1");
        for (const auto& [key, value] : {std::pair{setting::PrintOrder, "Town"}, {setting::ReportType, "E-mail"}, {setting::EmailGreeting, "Warm"},
                                         {setting::AutoCaps, "1"}, {setting::UpperCase, "-1"}, {setting::EmailSender, "sec@club.org"}, {setting::LabelSize, "5162"}})
            saveSetting(key, value);
        p->start();
        QCOMPARE(p->main().boxText(7), "Adams");
        auto& w = openWindow<frmZelkDefaults>();
        QCOMPARE(chosen(w.optSortOrder) + chosen(w.optPrintOrder) + chosen(w.optReportType) + chosen(w.optGreeting) + ticks(w.chkDefault) + u'|'
                     + w.txtEmail->text() + u'|' + w.txtSMTP->text() + u'|' + w.Label1->text(),
                 "0-32.xx|sec@club.org||5162 labels");
        for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{w.optSortOrder[1], w.optPrintOrder[5], w.optReportType[0], w.optGreeting[0],
                                                                               w.chkDefault[0], w.chkDefault[1], w.chkDefault[2]})
            click(button);
        w.txtEmail->setFocus(Qt::TabFocusReason);
        w.txtEmail->clear();
        w.txtSMTP->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.txtSMTP, "  smtp.club.org ");
        QTest::keyClick(w.txtSMTP, Qt::Key_Down);   // leaves the box, which trims it
        click(w.Command1[1]);
        QVERIFY(messages().isEmpty() && !w.isVisible());
        QStringList settings{p->state().SortOrder, QString::number(p->state().AutoCaps), QString::number(p->state().AutoDates), p->main().boxText(7)};
        for (const char* key : {"SortOrder", "PrintOrder", "ReportType", "AutoCaps", "AutoDates", "UpperCase", "EmailSender", "EmailSMTP", "EmailGreeting"})
            settings << userSetting(QStringLiteral("Defaults/") + key);
        QCOMPARE(settings.join(u'|'), "Number|-1|0|Brown|Number|Birthday|Labels|-1|0|0|sec@club.org|smtp.club.org|Formal");
    }

    // A box is typed into and left with Enter, the automatic dates ticked off, and Save pressed. A rule not typed over
    // stays as stored, a length of no known form too.
    void yearRules_data()
    {
        QTest::addColumn<Typed>("c");
        const QString start = "Start date wrong|The membership starting date is incorrectly formatted.|OK|Exclamation";
        auto dayMonth = [&start](const QString& problem) { return QStringList{problem + "|OK|Information", start}; };
        const QString format = "Date format wrong|", day = "Day wrong|The day needs to be between 1 and 28.", month = "Month wrong|The month needs to be between 1 and 12.";
        const QString length = "|Memberships must last at least 1 day.|OK|Exclamation";
        QTest::newRow("day 5, a letter typed") << Typed{.box = 0, .typed = "a5", .stored = "05/|1y"};
        QTest::newRow("day 29") << Typed{.box = 0, .typed = "29", .messages = QStringList(2, "Need a day|You must enter a day between 1 and 28 for memberships to start from.|OK|Exclamation")};
        QTest::newRow("day first 1/4, a length kept") << Typed{.rules = "05/|30d", .shown = "1 05 (off)|1 30 (off)", .box = 1, .typed = "1/4", .stored = "1/4|30d"};
        QTest::newRow("no separator") << Typed{.box = 1, .typed = "4", .messages = dayMonth(format + "Please use / to separate the day and the month.")};
        QTest::newRow("ends with it") << Typed{.box = 1, .typed = "1/", .messages = dayMonth(format + "You can't end the date with /")};
        QTest::newRow("day 29/4") << Typed{.box = 1, .typed = "29/4", .messages = dayMonth(day)};
        QTest::newRow("a year too") << Typed{.box = 1, .typed = "1/4/2026", .messages = dayMonth(month)};
        QTest::newRow("month first 4/1") << Typed{.locale = "en_US", .box = 1, .typed = "4/1", .stored = "4/1|1y"};
        QTest::newRow("month first 4/29") << Typed{.locale = "en_US", .box = 1, .typed = "4/29", .messages = dayMonth(day)};
        QTest::newRow("de_DE wants its dot") << Typed{.locale = "de_DE", .box = 1, .typed = "1/4", .messages = dayMonth(format + "Please use . to separate the day and the month.")};
        QTest::newRow("365 days, a date kept") << Typed{.rules = "01/04|6m", .shown = "2 (off) 01/04|2 (off) 6", .box = 2, .typed = "365", .stored = "01/04|365d"};
        // Leaving the box and saving spell the title differently, as users have always seen them.
        QTest::newRow("0 days") << Typed{.box = 2, .typed = "0", .messages = {"Membership to short" + length, "Membership too short" + length}};
        QTest::newRow("6 months, unknown length") << Typed{.rules = "<null>|2y", .shown = "0 (off) (off)|- (off) (off)", .box = 3, .typed = "6", .stored = "<null>|6m"};
        QTest::newRow("day 5, unknown length kept") << Typed{.rules = "<null>|2y", .shown = "0 (off) (off)|- (off) (off)", .box = 0, .typed = "5", .stored = "05/|2y"};
    }
    void yearRules()
    {
        QFETCH(Typed, c);
        const QStringList rule = c.rules.split(u'|');
        start(QString("YearStart = %1, YearEnd = \"%2\"").arg(rule[0] == "<null>" ? "Null" : '"' + rule[0] + '"', rule[1]), c.locale);
        auto& w = openWindow<frmZelkYear>();
        QCOMPARE(chosen(w.optStartDate) + u' ' + text(w.txtStartDate[0]) + u' ' + text(w.txtStartDate[1]) + u'|' + chosen(w.optEndDate) + u' '
                     + text(w.txtEndDate[0]) + u' ' + text(w.txtEndDate[1]) + u'|' + w.optStartDate[2]->text().right(8),
                 c.shown + u'|' + (c.locale == "en_US" ? "(mm/dd):" : c.locale == "de_DE" ? "(dd.mm):" : "(dd/mm):"));
        ok(int(c.messages.size()));
        QLineEdit* box = c.box < 2 ? w.txtStartDate[size_t(c.box)] : w.txtEndDate[size_t(c.box - 2)];
        click(c.box < 2 ? w.optStartDate[size_t(c.box + 1)] : w.optEndDate[size_t(c.box - 1)]);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, c.box < 2 ? u' ' + c.typed + u' ' : c.typed);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->hasFocus() && !w.chkDefault->isChecked());
        click(w.chkDefault);
        click(w.Command1[0]);
        QCOMPARE(messages(), c.messages);
        QCOMPARE(w.isVisible(), c.stored.isEmpty());
        QCOMPARE(stored({"YearStart", "YearEnd"}) + u'|' + userSetting("Defaults/AutoDates") + QString::number(p->state().AutoDates),
                 (c.stored.isEmpty() ? c.rules + "|-1" : c.stored + "|00"));
    }

    // Each window is changed in something a save would store. Cancel asks first; Restore
    // defaults too; a save the register refuses names the routine and keeps the window open.
    void questionsAndRefusedSaves_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("action");   // Cancel, Restore, or the error refusing Save
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("stored");   // ScreenFax|YearStart|YearEnd|AllowFax
        const QString nothing = "<null>|<null>|1y|true";
        for (const auto& [name, which] : {std::pair{"screen text", ScreenText}, {"include/skip", IncludeSkip}, {"defaults", Defaults}, {"year", Year}}) {
            QTest::addRow("%s, Cancel, Yes", name) << int(which) << "Cancel" << true << nothing;
            QTest::addRow("%s, Cancel, No", name) << int(which) << "Cancel" << false << nothing;
        }
        QTest::newRow("screen text, Restore defaults, Yes") << int(ScreenText) << "Restore" << true << "Fax|<null>|1y|true";
        QTest::newRow("screen text, Restore defaults, No") << int(ScreenText) << "Restore" << false << nothing;
        QTest::newRow("screen text, register locked") << int(ScreenText) << QString("%1 in SaveChanges").arg(err::RecordLocked) << false << nothing;
        QTest::newRow("include/skip, register locked") << int(IncludeSkip) << QString("%1 in SaveSkipDefaults").arg(err::RecordLocked) << false << nothing;
        QTest::newRow("defaults, no such sort field") << int(Defaults) << QString("%1 in Command1_Click").arg(err::TooFewParameters) << false << nothing;
        QTest::newRow("year, start too long to store") << int(Year) << QString("%1 in Command1_Click").arg(err::ValueTooLong) << false << nothing;
    }
    void questionsAndRefusedSaves()
    {
        QFETCH(int, which);
        QFETCH(QString, action);
        QFETCH(bool, yes);
        QFETCH(QString, stored);
        const bool refused = action.contains(" in ");
        start();
        p->state().SortOrder = "Number";   // as the sort menu leaves it for this run
        p->state().reopen(p->state().rsZelk, "Select * from Zelk ORDER BY [Number]");
        saveSetting(setting::SortOrder, "ShoeSize");   // no option has it
        QPushButton *save, *cancel, *restore = nullptr;
        if (which == ScreenText) {
            auto& w = openWindow<frmZelkScreenText>();
            w.Text1[12]->setText("Telefax");
            std::tie(save, cancel, restore) = std::tuple{w.Command1[1], w.Command1[2], w.Command1[0]};
        } else if (which == IncludeSkip) {
            auto& w = openWindow<frmIncludeSkip>();
            w.chkSkip[15]->setChecked(false);
            std::tie(save, cancel) = std::pair{w.Command1[2], w.Command1[0]};
        } else if (which == Defaults) {
            auto& w = openWindow<frmZelkDefaults>();
            w.chkDefault[0]->setChecked(false);
            std::tie(save, cancel) = std::pair{w.Command1[1], w.Command1[0]};
        } else {
            auto& w = openWindow<frmZelkYear>();
            w.optEndDate[1]->setChecked(true);
            w.txtEndDate[0]->setText("30");
            w.chkDefault->setChecked(true);
            click(w.optStartDate[2]);
            w.txtStartDate[1]->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(w.txtStartDate[1], QString(refused ? 120 : 0, u'0') + "1/4");
            std::tie(save, cancel) = std::pair{w.Command1[0], w.Command1[1]};
        }
        auto other = Database::open(p->databasePath());
        other->beginTrans();
        if (refused && which <= IncludeSkip)
            other->execute("UPDATE Settings SET LastNumber = 7");   // holding the Settings row until rolled back
        refused ? ok() : answer(yes);
        click(refused ? save : action == "Cancel" ? cancel : restore);
        other.reset();
        QCOMPARE(messages(), QStringList{refused ? "Unexpected error.|There was an unexpected error, number " + action + ". Please contact Bramwick for further advice.|OK|Critical"
                                         : action == "Cancel" ? "Just checking|Are you sure you want to cancel all changes?|YesNo/Yes|Question"
                                                              : "Just checking|Are you sure you want to restore the default text?|YesNo/Yes|Question"});
        QCOMPARE(window->isVisible(), !yes);
        QCOMPARE(p->state().rsSettings->editMode(), Recordset::EditMode::None);
        QCOMPARE(QStringList({this->stored({"ScreenFax", "YearStart", "YearEnd", "AllowFax"}), userSetting("Defaults/AutoCaps") + userSetting("Defaults/AutoDates"),
                              p->state().SortOrder, QString::number(p->state().AutoCaps), QString::number(p->state().AutoDates),
                              p->state().rsZelk->source(), p->main().Label1[12]->text(), p->main().txtInfo[16]->isEnabled() ? "fax box on" : "off"}),
                 QStringList({stored, "", "Number", "-1", "-1", "Select * from Zelk ORDER BY [Number]", "Fax", "fax box on"}));
    }
};

ZELK_TEST(ListsAndDialogsTest)
ZELK_TEST(OptionWindowsTest)
#include "tst_config_windows.moc"
