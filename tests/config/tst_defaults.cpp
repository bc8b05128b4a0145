// The program defaults window: the per-user settings it shows and stores, the shared
// values it sets and the order the main window then shows the members in.
#include "config_fixture.h"
#include "testlib/test_registry.h"

#include "app/settings_store.h"
#include "config/frm_zelk_defaults.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

using namespace zelk;
using namespace zelk::test;

namespace {

// The option chosen in each group, "-" for none, then the check boxes and the boxes.
QString shown(const frmZelkDefaults& w)
{
    QString s;
    auto group = [&s](auto& options) {
        const auto at = std::find_if(options.begin(), options.end(), [](auto* o) { return o->isChecked(); });
        s += at == options.end() ? QStringLiteral("-") : QString::number(at - options.begin());
    };
    group(w.optSortOrder);
    group(w.optPrintOrder);
    group(w.optReportType);
    group(w.optGreeting);
    for (auto* box : w.chkDefault)
        s += box->isChecked() ? u'x' : u'.';
    return s + u'|' + w.txtEmail->text() + u'|' + w.txtSMTP->text() + u'|' + w.Label1->text();
}

} // namespace

class DefaultsTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheStoredSettings()
    {
        TestProgram p;
        p.start();
        QCOMPARE(shown(frmZelkDefaults(p.state(), &p.main())), QStringLiteral("0011xx.|||L7160 labels"));

        saveSetting(setting::SortOrder, QStringLiteral("MemberType"));
        saveSetting(setting::PrintOrder, QStringLiteral("Town"));       // no option has it
        saveSetting(setting::ReportType, QStringLiteral("E-mail"));
        saveSetting(setting::EmailGreeting, QStringLiteral("Warm"));    // neither Friendly nor Formal
        saveSetting(setting::AutoCaps, QStringLiteral("1"));           // only "-1" ticks
        saveSetting(setting::UpperCase, QStringLiteral("-1"));
        saveSetting(setting::EmailSender, QStringLiteral("sec@club.org"));
        saveSetting(setting::LabelSize, QStringLiteral("5162"));
        frmZelkDefaults w(p.state(), &p.main());
        QCOMPARE(shown(w), QStringLiteral("2-32.xx|sec@club.org||5162 labels"));
        QCOMPARE(w.optSortOrder[2]->text(), QStringLiteral("Membership &Type"));
    }

    void saveStoresEverythingAndReordersTheMembers()
    {
        TestProgram p;
        p.addMember({{"Number", 7}, {"Surname", "Adams"}});
        p.addMember({{"Number", 2}, {"Surname", "Brown"}});
        Database::open(p.databasePath())->execute(QStringLiteral("Delete from Zelk WHERE Number = 1"));
        saveSetting(setting::EmailSender, QStringLiteral("old@club.org"));
        p.start();
        QCOMPARE(p.main().boxText(7), QStringLiteral("Adams"));

        frmZelkDefaults w(p.state(), &p.main());
        showActive(w);
        for (auto* option : {w.optSortOrder[1], w.optPrintOrder[5], w.optReportType[3], w.optGreeting[2]})
            click(option);
        for (auto* box : w.chkDefault)
            click(box);
        w.txtEmail->setFocus(Qt::TabFocusReason);
        w.txtEmail->clear();   // an emptied box keeps the stored address
        w.txtSMTP->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.txtSMTP, QStringLiteral("  smtp.club.org "));
        QTest::keyClick(w.txtSMTP, Qt::Key_Down);   // leaves the box, which trims it
        click(w.Command1[1]);
        QVERIFY(MessageScript::asked().isEmpty() && !w.isVisible());

        QSettings file(p.world().settingsFile(), QSettings::IniFormat);
        QStringList stored;
        for (const char* key : {"SortOrder", "PrintOrder", "ReportType", "AutoCaps", "AutoDates", "UpperCase",
                                "EmailSender", "EmailSMTP", "EmailGreeting"})
            stored << file.value(QStringLiteral("Defaults/") + QLatin1String(key)).toString();
        QCOMPARE(stored, QStringList({"Number", "Birthday", "E-mail", "0", "0", "-1", "old@club.org", "smtp.club.org", "None"}));
        QCOMPARE(QString("%1 %2 %3").arg(p.state().SortOrder).arg(p.state().AutoCaps).arg(p.state().AutoDates),
                 QStringLiteral("Number 0 0"));
        QCOMPARE(p.state().rsZelk->source(), QStringLiteral("Select * from Zelk ORDER BY Number"));
        QCOMPARE(p.state().SQLText, p.state().rsZelk->source());
        QCOMPARE(p.main().boxText(0) + p.main().boxText(7), QStringLiteral("2Brown"));
    }
};

ZELK_TEST(DefaultsTest)
#include "tst_defaults.moc"
