// The four small windows: resetting the membership counter, the direction of the page
// keys, the web browser and the label font; each for what it stores and what the rest of
// the program then does with it.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "app/message_box.h"
#include "app/settings_store.h"
#include "app/user_dialogs.h"
#include "config/frm_choose_font.h"
#include "config/frm_find_browser.h"
#include "config/frm_nav_keys.h"
#include "config/frm_reset_auto_number.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

QVariant storedLastNumber(const TestProgram& p)
{
    auto db = Database::open(p.databasePath());
    return db->openRecordset(QStringLiteral("Select * from Settings"))->field(QStringLiteral("LastNumber"));
}

// The value the settings file holds, as the next run of the program reads it.
QString storedSetting(TestProgram& p, const QString& key)
{
    return QSettings(p.world().settingsFile(), QSettings::IniFormat).value(key).toString();
}

// "title|text|icon" of every message shown (all of these have an OK button alone).
QStringList messages()
{
    static const char* const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    QStringList out;
    for (const auto& m : MessageScript::asked())
        out << m.title + u'|' + m.text + u'|' + QLatin1String(m.buttons == MsgButtons::OK ? icons[int(m.icon)] : "not OK alone");
    return out;
}

QStringList entriesOf(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void showActive(QWidget& w)
{
    w.show();
    w.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &w);
}

} // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;

    void start(const QStringList& surnames = {}, const QString& pageDir = {})
    {
        p = std::make_unique<TestProgram>();
        if (!pageDir.isEmpty())
            saveSetting(setting::PageDir, pageDir);
        for (int i = 0; i < surnames.size(); ++i)
            p->addMember({{"Number", i + 2}, {"Surname", surnames[i]}, {"Address1", "1 High St"}});
        p->start();
    }

private slots:
    void cleanup()
    {
        QVERIFY(MessageScript::unexpected().isEmpty());
        QCOMPARE(DialogScript::unexpected(), 0);
        p.reset();
    }

    void resetNumberIsTheOneBeforeTheNextMember_data()
    {
        QTest::addColumn<QString>("typed");     // over the number, selected as the window opens
        QTest::addColumn<int>("button");        // 1 Save, 0 Cancel
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("proposed");  // by the next New
        QTest::newRow("zero") << "0" << 1 << 0 << "1";
        QTest::newRow("only digits are taken") << "4a 1." << 1 << 41 << "42";
        QTest::newRow("leading zeros") << "0099" << 1 << 99 << "100";
        QTest::newRow("largest the counter holds") << "2147483646" << 1 << 2147483646 << "2147483647";
        QTest::newRow("cancel") << "500" << 0 << 1 << "2";
    }

    void resetNumberIsTheOneBeforeTheNextMember()
    {
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(int, stored);
        QFETCH(QString, proposed);
        start();
        frmResetAutoNumber w(p->state(), &p->main());
        QCOMPARE(w.Text1->text(), QStringLiteral("1"));
        showActive(w);
        QVERIFY(w.Text1->hasFocus());
        QTest::keyClicks(w.Text1, typed);
        QTest::mouseClick(w.Command1[size_t(button)], Qt::LeftButton);
        QCOMPARE(w.result(), button);
        QVERIFY(!w.isVisible());
        QCOMPARE(storedLastNumber(*p), QVariant(stored));
        p->main().Command1_Click(2);
        QCOMPARE(p->main().boxText(0), proposed);
        QVERIFY(messages().isEmpty());
    }

    void resetRefusesAMissingOrTooLargeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString missing = "Last number missing|You must enter a number in the box.|Exclamation";
        const QString tooLarge = "Number too large|That number is too large. Please enter a number no larger than 2,147,483,647.|Exclamation";
        QTest::newRow("empty") << "" << missing;
        QTest::newRow("blanks") << "   " << missing;
        QTest::newRow("one past the largest") << "2147483648" << tooLarge;
        QTest::newRow("far too large") << "99999999999999999999999" << tooLarge;
    }

    void resetRefusesAMissingOrTooLargeNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        start();
        frmResetAutoNumber w(p->state(), &p->main());
        showActive(w);
        w.Text1->setText(text);
        MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(messages(), QStringList{message});
        QVERIFY(w.isVisible());
        QCOMPARE(storedLastNumber(*p), QVariant(1));
        // Still open for a corrected number.
        w.Text1->setText("7");
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(storedLastNumber(*p), QVariant(7));
    }

    void navigationDirectionIsStoredAndUsedAtOnce_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("reached");   // by Ctrl+Page Up from Bell
        QTest::newRow("0, first chosen") << "0" << 1 << 0 << "1" << "Ames";
        QTest::newRow("1, second chosen") << "1" << 0 << 1 << "0" << "Cole";
        QTest::newRow("0 kept") << "0" << 1 << 1 << "0" << "Cole";
        QTest::newRow("any other value") << "2" << 1 << 0 << "1" << "Ames";
    }

    void navigationDirectionIsStoredAndUsedAtOnce()
    {
        QFETCH(QString, before);
        QFETCH(int, shown);
        QFETCH(int, chosen);
        QFETCH(QString, after);
        QFETCH(QString, reached);
        start({"Ames", "Bell", "Cole"}, before);
        {
            frmNavKeys w(p->state(), &p->main());
            QVERIFY(w.optDir[size_t(shown)]->isChecked() && !w.optDir[size_t(1 - shown)]->isChecked());
            showActive(w);
            QTest::mouseClick(w.optDir[size_t(chosen)], Qt::LeftButton);
            QTest::mouseClick(w.Command1, Qt::LeftButton);
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        QCOMPARE(storedSetting(*p, "Defaults/PageDir"), after);
        QCOMPARE(p->state().PageDir, after.toInt());

        showActive(p->main());
        p->main().cmdNext_Click(3);
        p->main().cmdNext_Click(1);
        QCOMPARE(p->main().boxText(7), QStringLiteral("Bell"));
        p->main().txtInfo[7]->setFocus();
        QTest::keyClick(p->main().txtInfo[7], Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(p->main().boxText(7), reached);
    }

    void browserChosenOrKept_data()
    {
        QTest::addColumn<int>("button");      // 1 Find browser, 2 Cancel
        QTest::addColumn<QString>("chosen");  // in the file dialog; empty: cancelled
        QTest::addColumn<QString>("browser");
        QTest::newRow("chosen") << 1 << "/opt/web browsers/firefox" << "/opt/web browsers/firefox";
        QTest::newRow("file dialog cancelled") << 1 << "" << "/usr/bin/true";
        QTest::newRow("window cancelled") << 2 << "" << "/usr/bin/true";
    }

    void browserChosenOrKept()
    {
        QFETCH(int, button);
        QFETCH(QString, chosen);
        QFETCH(QString, browser);
        start();   // knowing /usr/bin/true as the browser
        frmFindBrowser w(p->state(), &p->main());
        showActive(w);
        if (button == 1)
            DialogScript::answerFile(chosen);
        QTest::mouseClick(button == 1 ? w.Command1 : w.Command2, Qt::LeftButton);
        QCOMPARE(DialogScript::fileQuestions().size(), button == 1 ? 1 : 0);
        if (button == 1) {
            QCOMPARE(DialogScript::fileQuestions()[0].folder, QStringLiteral("/usr/bin"));
            QCOMPARE(DialogScript::fileQuestions()[0].filter, QStringLiteral("Web browser (*)|*"));
        }
        QVERIFY(!w.isVisible());
        QCOMPARE(p->state().BrowserPath, browser);
        QCOMPARE(storedSetting(*p, "Location/WebBrowser"), browser);
    }

    void fontChosenGoesToTheLabelFontBox()
    {
        start();
        QLineEdit fontBox("Courier");
        frmChooseFont w(p->state(), &fontBox, &p->main());
        if (QPrinterInfo::availablePrinters().isEmpty())
            QCOMPARE(entriesOf(w.List1), QFontDatabase::families());
        if (w.List1->count() == 0)
            QSKIP("This machine has no fonts.");
        showActive(w);
        QListWidgetItem* last = w.List1->item(w.List1->count() - 1);
        w.List1->scrollToItem(last);
        QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, w.List1->visualItemRect(last).center());
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(fontBox.text(), last->text());
        QCOMPARE(p->state().WorkString, last->text());
    }

    void fontOkWithoutAFontRefuses_data()
    {
        QTest::addColumn<bool>("emptied");     // the list holds no font at all...
        QTest::addColumn<QString>("onlyFont"); // ... or this one alone, selected
        QTest::newRow("nothing selected") << false << QString();
        QTest::newRow("no fonts") << true << QString();
        QTest::newRow("blank name") << true << "  ";
    }

    void fontOkWithoutAFontRefuses()
    {
        QFETCH(bool, emptied);
        QFETCH(QString, onlyFont);
        start();
        p->state().WorkString = "L7160";
        QLineEdit fontBox("Courier");
        frmChooseFont w(p->state(), &fontBox, &p->main());
        if (emptied)
            w.List1->clear();
        if (!onlyFont.isNull()) {
            w.List1->addItem(onlyFont);
            w.List1->setCurrentRow(0);
        }
        showActive(w);
        MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(messages(), QStringList{"No font selected|You must select a font.|Information"});
        QVERIFY(w.isVisible());
        QTest::mouseClick(w.Command1[0], Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(fontBox.text(), QStringLiteral("Courier"));
        QCOMPARE(p->state().WorkString, QStringLiteral("L7160"));
    }
};

ZELK_TEST(SmallDialogsTest)
#include "tst_small_dialogs.moc"
