// The include/skip window: the flags it shows and stores, and the boxes the main window
// then lets the user type into.
#include "config_fixture.h"
#include "testlib/test_registry.h"

#include "config/frm_include_skip.h"
#include "data/schema.h"
#include "entry/picture_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zelk;
using namespace zelk::test;

namespace {

// "1" for each checked box, "0" for each unchecked one.
QString ticks(const frmIncludeSkip& w)
{
    QString t;
    for (auto* box : w.chkSkip)
        t += box->isChecked() ? u'1' : u'0';
    return t;
}

} // namespace

class IncludeSkipTest : public QObject {
    Q_OBJECT

private slots:
    void uncheckingEverythingSkipsAllButTheNumber()
    {
        TestProgram p;
        storeSettings(p, {{"AllowFax", false}});
        // A Yes/No field that another tool left Null counts as True.
        Database::open(p.databasePath())->execute(QStringLiteral("UPDATE Settings SET AllowEmail = Null"));
        p.start();
        frmIncludeSkip w(p.state(), &p.main());
        QCOMPARE(w.chkSkip[2]->text(), QStringLiteral("Fee  Paid"));
        QCOMPARE(ticks(w), QStringLiteral("111111111111111011111111111111"));
        w.show();
        for (auto* box : w.chkSkip)
            if (box->isChecked())
                click(box);
        click(w.Command1[2]);
        QVERIFY(MessageScript::asked().isEmpty() && !w.isVisible());
        for (const QString& flag : schema::includeFlagFields())
            QCOMPARE(storedSetting(p, flag), QVariant(false));
        auto& main = p.main();
        QVERIFY(main.txtInfo[0]->isEnabled());
        for (int i = 1; i < 28; ++i)
            QVERIFY2(!main.txtInfo[i]->isEnabled(), qPrintable(QString::number(i)));
        QVERIFY(!main.txtNotes->isEnabled() && !main.Picture1->isEnabled() && !main.chkLapsed->isEnabled());
    }

    void defaultsChecksEveryBoxButStoresOnlyOnSave_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void defaultsChecksEveryBoxButStoresOnlyOnSave()
    {
        QFETCH(bool, yes);
        TestProgram p;
        storeSettings(p, {{"AllowFax", false}});
        p.start();
        frmIncludeSkip w(p.state(), &p.main());
        w.show();
        answer(yes);
        click(w.Command1[1]);
        QCOMPARE(said(0), QStringLiteral("Just checking|Are you sure you want to restore the defaults?|YesNo|Question"));
        QVERIFY(w.isVisible());
        QCOMPARE(w.chkSkip[15]->isChecked(), yes);
        answer(true);
        click(w.Command1[0]);
        QCOMPARE(said(1), kCancelQuestion);
        QCOMPARE(storedSetting(p, "AllowFax"), QVariant(false));
        QVERIFY(!p.main().txtInfo[16]->isEnabled());
    }
};

ZELK_TEST(IncludeSkipTest)
#include "tst_include_skip.moc"
