// The membership-year rules: their stored forms, the checks of the year window, and the join
// and renewal dates they give, under locales that write the day, the month or the year first.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/date_format.h"
#include "core/membership_year.h"
#include "engine/regional.h"

#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

Q_DECLARE_METATYPE(zelk::YearStart::Kind)
Q_DECLARE_METATYPE(zelk::YearEnd::Unit)

namespace {

const QDate k20March2026(2026, 3, 20);

QVariant stored(const QString& text)
{
    return text == QLatin1String("Null") ? QVariant() : QVariant(text);
}

} // namespace

class YearRulesTest : public QObject {
    Q_OBJECT

private slots:
    void startRules_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<YearStart::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("Null: the current date") << "Null" << YearStart::Kind::CurrentDate << "";
        QTest::newRow("empty: the current date") << "" << YearStart::Kind::CurrentDate << "";
        QTest::newRow("a day of the month") << "05/" << YearStart::Kind::DayOfMonth << "05";
        QTest::newRow("a day and month") << "01/04" << YearStart::Kind::DateInYear << "01/04";
    }
    void startRules()
    {
        QFETCH(QString, stored);
        QFETCH(YearStart::Kind, kind);
        QFETCH(QString, text);
        const YearStart rule = YearStart::read(::stored(stored));
        QCOMPARE(rule.kind, kind);
        QCOMPARE(rule.text, text);
        QCOMPARE(rule.stored(), stored.isEmpty() ? QVariant() : ::stored(stored));
    }

    void aDayOfTheMonthIsStoredWithTwoDigits()
    {
        QCOMPARE((YearStart{YearStart::Kind::DayOfMonth, "5"}.stored()), QVariant("05/"));
        QCOMPARE((YearStart{YearStart::Kind::DayOfMonth, "28"}.stored()), QVariant("28/"));
    }

    void lengthRules_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<YearEnd::Unit>("unit");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("oneYear");
        QTest::newRow("one year") << "1y" << YearEnd::Unit::Years << "1" << true;
        QTest::newRow("days") << "365d" << YearEnd::Unit::Days << "365" << false;
        QTest::newRow("months") << "6m" << YearEnd::Unit::Months << "6" << false;
        QTest::newRow("weeks: no known form") << "2w" << YearEnd::Unit::Unknown << "" << false;
        QTest::newRow("Null") << "Null" << YearEnd::Unit::Unknown << "" << false;
    }
    void lengthRules()
    {
        QFETCH(QString, stored);
        QFETCH(YearEnd::Unit, unit);
        QFETCH(QString, count);
        QFETCH(bool, oneYear);
        const YearEnd rule = YearEnd::read(::stored(stored));
        QCOMPARE(rule.unit, unit);
        QCOMPARE(rule.count, count);
        QCOMPARE(rule.isOneYear(), oneYear);
        QCOMPARE(rule.stored(), unit == YearEnd::Unit::Unknown ? QVariant() : QVariant(stored));
    }

    void dayOfTheMonthAndLength_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("dayOfTheMonth");
        QTest::addColumn<bool>("length");
        QTest::newRow("28") << "28" << true << true;
        QTest::newRow("29") << "29" << false << true;
        QTest::newRow("365") << "365" << false << true;
        QTest::newRow("0") << "0" << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("pasted -5") << "-5" << false << false;
    }
    void dayOfTheMonthAndLength()
    {
        QFETCH(QString, typed);
        QFETCH(bool, dayOfTheMonth);
        QFETCH(bool, length);
        QCOMPARE(isDayOfTheMonth(typed), dayOfTheMonth);
        QCOMPARE(isLength(typed), length);
    }

    // The part before the separator is checked first.
    void dayAndMonthProblems_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("dayFirst");
        QTest::addColumn<QString>("title");   // empty: no problem
        QTest::addColumn<QString>("text");
        const QString format = "Date format wrong";
        const QString day = "The day needs to be between 1 and 28.";
        const QString month = "The month needs to be between 1 and 12.";
        QTest::newRow("1/4, day first") << "1/4" << "/" << true << "" << "";
        QTest::newRow("4/1, month first") << "4/1" << "/" << false << "" << "";
        QTest::newRow("no separator") << "4" << "/" << true << format << "Please use / to separate the day and the month.";
        QTest::newRow("another separator") << "1/4" << "." << true << format << "Please use . to separate the day and the month.";
        QTest::newRow("starts with it") << "/4" << "/" << true << format << "You can't start the date with /";
        QTest::newRow("ends with it") << "1/" << "/" << true << format << "You can't end the date with /";
        QTest::newRow("day 29, day first") << "29/4" << "/" << true << "Day wrong" << day;
        QTest::newRow("month 13, day first") << "1/13" << "/" << true << "Month wrong" << month;
        QTest::newRow("with a year") << "1/4/2026" << "/" << true << "Month wrong" << month;
        QTest::newRow("both wrong, month first") << "13/29" << "/" << false << "Month wrong" << month;
        QTest::newRow("both wrong, day first") << "29/13" << "/" << true << "Day wrong" << day;
    }
    void dayAndMonthProblems()
    {
        QFETCH(QString, typed);
        QFETCH(QString, separator);
        QFETCH(bool, dayFirst);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const auto problem = dayAndMonthProblem(typed, separator, dayFirst);
        QCOMPARE(problem ? problem->title : QString(), title);
        QCOMPARE(problem ? problem->text : QString(), text);
    }

    // Whatever order the locale writes a date in, the year window asks for the day and month
    // in that order, and the join date built from what is typed there is that day: under a
    // year-first locale "04-01" is the first of April, not the fourth of January.
    void aDayAndMonthTypedIsThatDateUnderEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("typed");   // 1 April
        QTest::addColumn<QString>("joinText");
        QTest::newRow("en_GB") << "en_GB" << "(dd/mm):" << "01/04" << "01/04/26";
        QTest::newRow("en_US") << "en_US" << "(mm/dd):" << "04/01" << "04/01/26";
        QTest::newRow("en_CA") << "en_CA" << "(mm-dd):" << "04-01" << "04-01-26";
        QTest::newRow("zh_CN") << "zh_CN" << "(mm/dd):" << "4/1" << "4/1/26";
        QTest::newRow("hu_HU") << "hu_HU" << "(mm.dd):" << "04.01" << "04.01.26";
    }
    void aDayAndMonthTypedIsThatDateUnderEveryLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, caption);
        QFETCH(QString, typed);
        QFETCH(QString, joinText);
        TestWorld world(locale);
        QCOMPARE(dateInYearCaption(GetDateSeparator(), regional::dayFirst()),
                 "All new memberships start from this date in the year " + caption);
        QCOMPARE(dayAndMonthProblem(typed, GetDateSeparator(), regional::dayFirst()).has_value(), false);
        const QString join = automaticJoinDate(YearStart::read(typed), k20March2026);
        QCOMPARE(join, joinText);
        QCOMPARE(regional::parseDate(join).value_or(QDateTime()).date(), QDate(2026, 4, 1));
    }

    // On 20 March 2026 the fifth of the month is the fifth of March, in the user's order;
    // without a rule the join date is that day.
    void otherJoinDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("joinText");
        QTest::addColumn<QDate>("date");
        QTest::newRow("day of the month, en_GB") << "en_GB" << "05/" << "05/03/26" << QDate(2026, 3, 5);
        QTest::newRow("day of the month, en_US") << "en_US" << "05/" << "03/05/26" << QDate(2026, 3, 5);
        QTest::newRow("day of the month, en_CA") << "en_CA" << "05/" << "03-05-26" << QDate(2026, 3, 5);
        QTest::newRow("no rule") << "de_DE" << "Null" << "20.03.2026" << k20March2026;
    }
    void otherJoinDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, rule);
        QFETCH(QString, joinText);
        QFETCH(QDate, date);
        TestWorld world(locale);
        const QString join = automaticJoinDate(YearStart::read(stored(rule)), k20March2026);
        QCOMPARE(join, joinText);
        QCOMPARE(regional::parseDate(join).value_or(QDateTime()).date(), date);
    }

    // The renewal date is the anniversary itself; months keep to the month's end.
    void renewalDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("join");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("renewal");
        QTest::newRow("one year") << "en_GB" << "01/04/2026" << "1y" << "01/04/2027";
        QTest::newRow("a typed two-digit year") << "en_GB" << "01/04/26" << "1y" << "01/04/2027";
        QTest::newRow("29 February and a year") << "en_GB" << "29/02/2024" << "1y" << "28/02/2025";
        QTest::newRow("31 August and six months") << "en_GB" << "31/08/2026" << "6m" << "28/02/2027";
        QTest::newRow("30 days") << "en_GB" << "01/04/2026" << "30d" << "01/05/2026";
        QTest::newRow("two years") << "en_GB" << "01/04/2026" << "2y" << "01/04/2028";
        QTest::newRow("month first") << "en_US" << "8/31/2026" << "6m" << "2/28/2027";
        QTest::newRow("year first") << "en_CA" << "2026-04-01" << "1y" << "2027-04-01";
        QTest::newRow("no known form") << "en_GB" << "01/04/2026" << "2w" << "";
        QTest::newRow("join date not a date") << "en_GB" << "next week" << "1y" << "";
    }
    void renewalDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, join);
        QFETCH(QString, rule);
        QFETCH(QString, renewal);
        TestWorld world(locale);
        QCOMPARE(automaticRenewalDate(join, YearEnd::read(stored(rule))), renewal);
    }
};

ZELK_TEST(YearRulesTest)
#include "tst_year_rules.moc"
