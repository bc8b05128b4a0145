// The text rules of data entry: capitals, dates, amounts, e-mail addresses and the
// membership-year dates, under several regional settings.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "app/membership_dates.h"
#include "app/text_rules.h"

#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

class EntryRulesTest : public QObject {
    Q_OBJECT

private slots:
    void properCaseCapitalisesWordsSeparatedByBlanksOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("apostrophe and hyphen start no word") << "mary o'BRIEN-SMITH" << "Mary O'brien-smith";
        QTest::newRow("Mc names") << "McDONALD" << "Mcdonald";
        QTest::newRow("accented letters") << "émile ZOLA" << "Émile Zola";
        QTest::newRow("tabs and line breaks separate") << "a\tb\nc d" << "A\tB\nC D";
        QTest::newRow("blanks kept") << "  two  blanks " << "  Two  Blanks ";
        QTest::newRow("digits") << "12b high STREET" << "12b High Street";
    }
    void properCaseCapitalisesWordsSeparatedByBlanksOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(properCase(typed), shown);
    }

    void mixedCaseStartsCapitalsAfterPunctuation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name and initials") << "o'brien-smith, j.r." << "O'Brien-Smith, J.R.";
        QTest::newRow("trimmed first") << "  MARY ANN  " << "Mary Ann";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("non-ASCII") << "ÓLAFSSON-ÜBER" << "Ólafsson-Über";
    }
    void mixedCaseStartsCapitalsAfterPunctuation()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QString s = text;
        QCOMPARE(MixedCase(s), expected);
        QCOMPARE(s, expected);
    }

    void emailAddressesReportTheFirstRuleBroken_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("problem");
        const QString basic = QStringLiteral("That doesn't seem to be a valid e-mail address. It must have an @ sign and cannot have spaces or double full stops. Do you want to correct it?");
        const QString twoAts = QStringLiteral("That doesn't seem to be a valid e-mail address. It can only have one @ sign in it. Do you want to correct it?");
        const QString tooShort = QStringLiteral("That doesn't seem to be a valid e-mail address - it is too short. Do you want to correct it?");
        const QString nothingBefore = QStringLiteral("That doesn't seem to be a valid e-mail address. There should be something before the @ sign.\nDo you want to correct it?");
        QTest::newRow("accepted") << "jo@club.org" << "";
        QTest::newRow("seven characters accepted") << "ab@cd.e" << "";
        QTest::newRow("six characters too short") << "ab@c.d" << tooShort;
        QTest::newRow("no @") << "jo.club.org" << basic;
        QTest::newRow("a blank") << "jo @club.org" << basic;
        QTest::newRow("double full stop wins over two @") << "a..b@c@d.org" << basic;
        QTest::newRow("two @") << "jo@home@club.org" << twoAts;
        QTest::newRow("nothing before the @") << "@club.org.uk" << nothingBefore;
        QTest::newRow("short and starting with @") << "@c.org" << tooShort;
    }
    void emailAddressesReportTheFirstRuleBroken()
    {
        QFETCH(QString, address);
        QFETCH(QString, problem);
        QCOMPARE(emailAddressProblem(address).value_or(QString()), problem);
    }

    void datesAndAmountsTakeTheUsersForms_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("shownDate");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shownAmount");
        QTest::newRow("en_GB") << "en_GB" << "1/4/26" << "01/04/2026" << "1234.567" << "£1,234.57";
        QTest::newRow("en_US") << "en_US" << "4/1/26" << "4/1/2026" << "12.5" << "$12.50";
        QTest::newRow("de_DE") << "de_DE" << "1.4.1925" << "01.04.1925" << "12,5" << QStringLiteral("12,50\u00a0€");
        QTest::newRow("not a date, not an amount") << "en_GB" << "31/02/2026" << "" << "abc" << "";
    }
    void datesAndAmountsTakeTheUsersForms()
    {
        QFETCH(QString, locale);
        QFETCH(QString, date);
        QFETCH(QString, shownDate);
        QFETCH(QString, amount);
        QFETCH(QString, shownAmount);
        TestWorld world(locale);
        QCOMPARE(shortDateOf(date).value_or(QString()), shownDate);
        QCOMPARE(currencyOf(amount).value_or(QString()), shownAmount);
    }

    void automaticJoinDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QVariant>("yearStart");
        QTest::addColumn<QString>("join");
        QTest::newRow("en_GB current date") << "en_GB" << QVariant() << "20/03/2026";
        QTest::newRow("en_GB empty rule") << "en_GB" << QVariant(QString()) << "20/03/2026";
        QTest::newRow("en_GB day of month") << "en_GB" << QVariant("05/") << "05/03/26";
        QTest::newRow("en_GB date in year") << "en_GB" << QVariant("01/04") << "01/04/26";
        QTest::newRow("en_US current date") << "en_US" << QVariant() << "3/20/2026";
        QTest::newRow("en_US day of month") << "en_US" << QVariant("05/") << "03/05/26";
        QTest::newRow("en_US date in year") << "en_US" << QVariant("04/01") << "04/01/26";
        QTest::newRow("de_DE current date") << "de_DE" << QVariant() << "20.03.2026";
        QTest::newRow("de_DE day of month") << "de_DE" << QVariant("05/") << "05.03.26";
        QTest::newRow("de_DE date in year") << "de_DE" << QVariant("01.04") << "01.04.26";
    }
    void automaticJoinDates()
    {
        QFETCH(QString, locale);
        QFETCH(QVariant, yearStart);
        QFETCH(QString, join);
        TestWorld world(locale);
        QCOMPARE(automaticJoinDate(yearStart, QDate(2026, 3, 20)), join);
    }

    void automaticRenewalDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("join");
        QTest::addColumn<QVariant>("yearEnd");
        QTest::addColumn<QString>("renewal");
        QTest::newRow("a year is the anniversary") << "en_GB" << "01/04/2026" << QVariant("1y") << "01/04/2027";
        QTest::newRow("six months keep to the month's end") << "en_GB" << "31/08/2026" << QVariant("6m") << "28/02/2027";
        QTest::newRow("days") << "en_GB" << "01/04/2026" << QVariant("30d") << "01/05/2026";
        QTest::newRow("leap day and a year") << "en_GB" << "29/02/2024" << QVariant("1y") << "28/02/2025";
        QTest::newRow("join typed with two-digit year") << "en_GB" << "01/04/26" << QVariant("1y") << "01/04/2027";
        QTest::newRow("en_US months") << "en_US" << "8/31/2026" << QVariant("6m") << "2/28/2027";
        QTest::newRow("en_US year") << "en_US" << "4/1/26" << QVariant("1y") << "4/1/2027";
        QTest::newRow("de_DE months") << "de_DE" << "31.08.26" << QVariant("6m") << "28.02.2027";
        QTest::newRow("de_DE year") << "de_DE" << "01.04.2026" << QVariant("1y") << "01.04.2027";
        QTest::newRow("join not a date") << "en_GB" << "next week" << QVariant("1y") << "";
        QTest::newRow("unknown rule") << "en_GB" << "01/04/2026" << QVariant("2w") << "";
        QTest::newRow("no rule") << "en_GB" << "01/04/2026" << QVariant() << "";
    }
    void automaticRenewalDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, join);
        QFETCH(QVariant, yearEnd);
        QFETCH(QString, renewal);
        TestWorld world(locale);
        QCOMPARE(automaticRenewalDate(join, yearEnd), renewal);
    }
};

ZELK_TEST(EntryRulesTest)
#include "tst_entry_rules.moc"
