// How each configuration window closes without storing: Cancel's question, and a save the
// register refuses, which names the routine and keeps the window open with nothing written.
#include "config_fixture.h"
#include "testlib/test_registry.h"

#include "app/settings_store.h"
#include "config/frm_include_skip.h"
#include "config/frm_zelk_defaults.h"
#include "config/frm_zelk_screen_text.h"
#include "config/frm_zelk_year.h"
#include "engine/engine_error.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zelk;
using namespace zelk::test;

namespace {

enum Window { ScreenText, IncludeSkip, Defaults, Year };

struct Opened {
    std::unique_ptr<QDialog> dialog;
    QPushButton* save;
    QPushButton* cancel;
};

// Opens the window and changes in it something that a save would store.
Opened openChanged(TestProgram& p, int which)
{
    Opened o;
    if (which == ScreenText) {
        auto* w = new frmZelkScreenText(p.state(), &p.main());
        w->Text1[12]->setText(QStringLiteral("Telefax"));
        o = {std::unique_ptr<QDialog>(w), w->Command1[1], w->Command1[2]};
    } else if (which == IncludeSkip) {
        auto* w = new frmIncludeSkip(p.state(), &p.main());
        w->chkSkip[15]->setChecked(false);
        o = {std::unique_ptr<QDialog>(w), w->Command1[2], w->Command1[0]};
    } else if (which == Defaults) {
        auto* w = new frmZelkDefaults(p.state(), &p.main());
        w->chkDefault[0]->setChecked(false);
        o = {std::unique_ptr<QDialog>(w), w->Command1[1], w->Command1[0]};
    } else {
        auto* w = new frmZelkYear(p.state(), &p.main());
        w->optEndDate[1]->setChecked(true);
        w->txtEndDate[0]->setText(QStringLiteral("30"));
        w->chkDefault->setChecked(true);
        o = {std::unique_ptr<QDialog>(w), w->Command1[0], w->Command1[1]};
    }
    showActive(*o.dialog);
    return o;
}

// Nothing any of the windows stores has changed: file, settings, shared state, main window.
void verifyNothingStored(TestProgram& p)
{
    QCOMPARE(storedSetting(p, "ScreenFax").toString() + storedSetting(p, "YearStart").toString(), QString());
    QCOMPARE(storedSetting(p, "AllowFax"), QVariant(true));
    QCOMPARE(storedSetting(p, "YearEnd").toString(), QStringLiteral("1y"));
    QCOMPARE(readSetting(setting::AutoCaps) + readSetting(setting::AutoDates), QStringLiteral("-1-1"));
    QCOMPARE(QString("%1 %2 %3").arg(p.state().SortOrder).arg(p.state().AutoCaps).arg(p.state().AutoDates),
             QStringLiteral("Number -1 -1"));
    QCOMPARE(p.state().rsSettings->editMode(), Recordset::EditMode::None);
    QCOMPARE(p.state().rsZelk->source(), QStringLiteral("Select * from Zelk ORDER BY [Number]"));
    QCOMPARE(p.main().Label1[12]->text(), QStringLiteral("Fax"));
    QVERIFY(p.main().txtInfo[16]->isEnabled());
    QVERIFY(MessageScript::unexpected().isEmpty());
}

// A started program whose members this run are in number order, as the sort menu leaves them.
void startInNumberOrder(TestProgram& p)
{
    p.start();
    p.state().SortOrder = QStringLiteral("Number");
    p.state().reopen(p.state().rsZelk, QStringLiteral("Select * from Zelk ORDER BY [Number]"));
}

} // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private slots:
    void cancelAsksFirst_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("yes");
        for (const auto& [name, which] : {std::pair{"screen text", ScreenText}, {"include/skip", IncludeSkip},
                                          {"defaults", Defaults}, {"year", Year}}) {
            QTest::addRow("%s, Yes", name) << int(which) << true;
            QTest::addRow("%s, No", name) << int(which) << false;
        }
    }
    void cancelAsksFirst()
    {
        QFETCH(int, which);
        QFETCH(bool, yes);
        TestProgram p;
        startInNumberOrder(p);
        Opened o = openChanged(p, which);
        answer(yes);
        click(o.cancel);
        QCOMPARE(said(0), kCancelQuestion);
        QCOMPARE(MessageScript::asked()[0].defaultButton, MsgAnswer::Yes);
        QCOMPARE(o.dialog->isVisible(), !yes);
        verifyNothingStored(p);
    }

    void aRefusedSaveKeepsTheWindowOpen_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("routine");
        QTest::newRow("screen text, register locked") << int(ScreenText) << err::RecordLocked << "SaveChanges";
        QTest::newRow("include/skip, register locked") << int(IncludeSkip) << err::RecordLocked << "SaveSkipDefaults";
        QTest::newRow("defaults, no such sort field") << int(Defaults) << err::TooFewParameters << "Command1_Click";
        QTest::newRow("year, start too long to store") << int(Year) << err::ValueTooLong << "Command1_Click";
    }
    void aRefusedSaveKeepsTheWindowOpen()
    {
        QFETCH(int, which);
        QFETCH(int, number);
        QFETCH(QString, routine);
        TestProgram p;
        startInNumberOrder(p);
        saveSetting(setting::SortOrder, QStringLiteral("ShoeSize"));   // no option has it
        Opened o = openChanged(p, which);
        std::unique_ptr<Database> other;
        if (which == ScreenText || which == IncludeSkip) {
            other = Database::open(p.databasePath());
            other->beginTrans();
            other->execute(QStringLiteral("UPDATE Settings SET LastNumber = 7"));
        } else if (which == Year) {
            auto& w = static_cast<frmZelkYear&>(*o.dialog);
            click(w.optStartDate[2]);
            w.txtStartDate[1]->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(w.txtStartDate[1], QString(120, u'0') + QStringLiteral("1/4"));
        }
        acknowledge(1);
        click(o.save);
        other.reset();
        QCOMPARE(MessageScript::asked().size(), 1);
        QCOMPARE(said(0), QStringLiteral("Unexpected error.|There was an unexpected error, number %1 in %2. Please contact "
                                         "Bramwick for further advice.|OK|Critical").arg(number).arg(routine));
        QVERIFY(o.dialog->isVisible());
        verifyNothingStored(p);
    }
};

ZELK_TEST(ClosingTest)
#include "tst_closing.moc"
