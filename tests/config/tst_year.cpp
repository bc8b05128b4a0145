// The membership year window: the rules it shows and stores, the checks on leaving its
// boxes and on Save under several regional settings, and the automatic-dates switch.
#include "config_fixture.h"
#include "testlib/test_registry.h"

#include "app/settings_store.h"
#include "config/frm_zelk_year.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zelk;
using namespace zelk::test;

namespace {

// Per option group: the option chosen ("-" for none) and the text of each box, "(off)"
// when the box is disabled.
QString shown(const std::array<QRadioButton*, 3>& options, const std::array<QLineEdit*, 2>& boxes)
{
    QString s = QStringLiteral("-");
    for (int i = 0; i < 3; ++i)
        if (options[size_t(i)]->isChecked())
            s = QString::number(i);
    for (auto* box : boxes)
        s += u' ' + (box->isEnabled() ? box->text() : QStringLiteral("(off)"));
    return s;
}

} // namespace

class YearTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    std::unique_ptr<frmZelkYear> w;

    void open(const QString& locale, const QVariantMap& settings = {})
    {
        w.reset();
        p = std::make_unique<TestProgram>(locale);
        if (!settings.isEmpty())
            storeSettings(*p, settings);
        p->start();
        w = std::make_unique<frmZelkYear>(p->state(), &p->main());
        showActive(*w);
    }

    // Chooses an option, types into its box and leaves the box with Enter, as the user would.
    void typeInto(QRadioButton* option, QLineEdit* box, const QString& text)
    {
        click(option);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->hasFocus());
    }

private slots:
    void cleanup()
    {
        const bool allExpected = MessageScript::unexpected().isEmpty();
        w.reset();
        p.reset();
        QVERIFY(allExpected);
    }

    void storedRulesChooseOptionsAndBoxes_data()
    {
        QTest::addColumn<QVariant>("yearStart");
        QTest::addColumn<QVariant>("yearEnd");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("length");
        QTest::newRow("current date, a year") << QVariant() << QVariant("1y") << "0 (off) (off)" << "0 (off) (off)";
        QTest::newRow("day 5, days") << QVariant("05/") << QVariant("30d") << "1 05 (off)" << "1 30 (off)";
        QTest::newRow("date in the year, months") << QVariant("01/04") << QVariant("6m") << "2 (off) 01/04" << "2 (off) 6";
        QTest::newRow("empty, unknown length") << QVariant("") << QVariant("2y") << "0 (off) (off)" << "- (off) (off)";
    }
    void storedRulesChooseOptionsAndBoxes()
    {
        QFETCH(QVariant, yearStart);
        QFETCH(QVariant, yearEnd);
        QFETCH(QString, start);
        QFETCH(QString, length);
        open(QStringLiteral("en_GB"), {{"YearStart", yearStart}, {"YearEnd", yearEnd}});
        QCOMPARE(shown(w->optStartDate, w->txtStartDate), start);
        QCOMPARE(shown(w->optEndDate, w->txtEndDate), length);
        // Saved as shown, the rules stay; a length of no known form too.
        click(w->Command1[0]);
        QVERIFY(!w->isVisible());
        QCOMPARE(storedSetting(*p, "YearStart").toString(), yearStart.toString());
        QCOMPARE(storedSetting(*p, "YearEnd"), yearEnd);
    }

    // Each box is typed into and left, then Save is pressed: the messages of both, in turn.
    void boxesAreCheckedOnLeavingAndOnSave_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("box");   // 0 day of the month, 1 day and month, 2 days, 3 months
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("stored");
        const QString start = QStringLiteral("Start date wrong|The membership starting date is incorrectly formatted.|OK|Exclamation");
        auto dayMonth = [&start](const QString& problem) { return QStringList{problem + QStringLiteral("|OK|Information"), start}; };
        const QString format = QStringLiteral("Date format wrong|");
        const QString day = QStringLiteral("Day wrong|The day needs to be between 1 and 28.");
        const QString month = QStringLiteral("Month wrong|The month needs to be between 1 and 12.");
        const QString needADay = QStringLiteral("Need a day|You must enter a day between 1 and 28 for memberships to start from.|OK|Exclamation");
        const QString length = QStringLiteral("|Memberships must last at least 1 day.|OK|Exclamation");
        // Leaving a length box and saving spell the title differently.
        const QStringList tooShort{QStringLiteral("Membership to short") + length, QStringLiteral("Membership too short") + length};
        QTest::newRow("day 5, a letter typed") << "en_GB" << 0 << "a5" << QStringList() << "05/";
        QTest::newRow("day 28") << "en_GB" << 0 << "28" << QStringList() << "28/";
        QTest::newRow("day 29") << "en_GB" << 0 << "29" << QStringList{needADay, needADay} << "";
        QTest::newRow("no day") << "en_GB" << 0 << "" << QStringList{needADay, needADay} << "";
        QTest::newRow("day first 1/4") << "en_GB" << 1 << "1/4" << QStringList() << "1/4";
        QTest::newRow("no separator") << "en_GB" << 1 << "4" << dayMonth(format + "Please use / to separate the day and the month.") << "";
        QTest::newRow("starts with it") << "en_GB" << 1 << "/4" << dayMonth(format + "You can't start the date with /") << "";
        QTest::newRow("ends with it") << "en_GB" << 1 << "1/" << dayMonth(format + "You can't end the date with /") << "";
        QTest::newRow("day 29/4") << "en_GB" << 1 << "29/4" << dayMonth(day) << "";
        QTest::newRow("month 13") << "en_GB" << 1 << "1/13" << dayMonth(month) << "";
        QTest::newRow("day checked before month") << "en_GB" << 1 << "30/13" << dayMonth(day) << "";
        QTest::newRow("a year too") << "en_GB" << 1 << "1/4/2026" << dayMonth(month) << "";
        QTest::newRow("month first 4/1") << "en_US" << 1 << "4/1" << QStringList() << "4/1";
        QTest::newRow("month first 13/1") << "en_US" << 1 << "13/1" << dayMonth(month) << "";
        QTest::newRow("month first 4/29") << "en_US" << 1 << "4/29" << dayMonth(day) << "";
        QTest::newRow("de_DE 1.4") << "de_DE" << 1 << "1.4" << QStringList() << "1.4";
        QTest::newRow("de_DE wants its dot") << "de_DE" << 1 << "1/4" << dayMonth(format + "Please use . to separate the day and the month.") << "";
        QTest::newRow("365 days") << "en_GB" << 2 << "365" << QStringList() << "365d";
        QTest::newRow("0 days") << "en_GB" << 2 << "0" << tooShort << "";
        QTest::newRow("6 months") << "en_GB" << 3 << "6" << QStringList() << "6m";
        QTest::newRow("no months") << "en_GB" << 3 << "" << tooShort << "";
    }
    void boxesAreCheckedOnLeavingAndOnSave()
    {
        QFETCH(QString, locale);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, stored);
        open(locale);
        const QString order = locale == QLatin1String("en_US") ? QStringLiteral("(mm/dd):")
                              : locale == QLatin1String("de_DE") ? QStringLiteral("(dd.mm):") : QStringLiteral("(dd/mm):");
        QCOMPARE(w->optStartDate[2]->text(), QStringLiteral("All new memberships start from this date in the year ") + order);

        acknowledge(int(messages.size()));
        if (box < 2)
            typeInto(w->optStartDate[size_t(box + 1)], w->txtStartDate[size_t(box)], u' ' + typed + u' ');
        else
            typeInto(w->optEndDate[size_t(box - 1)], w->txtEndDate[size_t(box - 2)], typed);
        click(w->Command1[0]);
        QStringList shown;
        for (int i = 0; i < MessageScript::asked().size(); ++i)
            shown << said(i);
        QCOMPARE(shown, messages);
        QCOMPARE(w->isVisible(), stored.isEmpty());
        const QString unchanged = box < 2 ? QString() : QStringLiteral("1y");
        QCOMPARE(storedSetting(*p, box < 2 ? "YearStart" : "YearEnd").toString(), stored.isEmpty() ? unchanged : stored);
    }

    void automaticDatesSwitchAtOnce_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("saved");
        QTest::newRow("absent is on; ticking turns off") << "" << false << "0";
        QTest::newRow("anything but -1 is off") << "1" << true << "-1";
    }
    void automaticDatesSwitchAtOnce()
    {
        QFETCH(QString, setting);
        QFETCH(bool, ticked);
        QFETCH(QString, saved);
        open(QStringLiteral("en_GB"));
        if (!setting.isEmpty()) {
            saveSetting(setting::AutoDates, setting);
            w = std::make_unique<frmZelkYear>(p->state(), &p->main());
            showActive(*w);
        }
        QCOMPARE(w->chkDefault->isChecked(), ticked);
        click(w->chkDefault);
        click(w->Command1[0]);
        QCOMPARE(readSetting(setting::AutoDates), saved);
        QCOMPARE(p->state().AutoDates, saved.toInt());
        // The main window fills in a new member's join date, or not, at once.
        auto& main = p->main();
        showActive(main);
        main.Command1_Click(2);
        main.txtInfo[1]->setFocus(Qt::TabFocusReason);
        QCOMPARE(main.txtInfo[1]->text().isEmpty(), saved == QLatin1String("0"));
    }
};

ZELK_TEST(YearTest)
#include "tst_year.moc"
