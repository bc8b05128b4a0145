#include "engine/regional.h"
#include "locale_scope.h"
#include "testlib/test_registry.h"

#include <QTest>

using namespace zelk;
using zelk::test::LocaleScope;

namespace {
const QDate kToday(2026, 3, 20);
const QString kNbsp(QChar(0x00a0));
const QString kRlm(QChar(0x200f));
} // namespace

class TestRegional : public QObject {
    Q_OBJECT

private slots:
    void patterns_data();
    void patterns();
    void shownDatesReadBack_data();
    void shownDatesReadBack();
    void formatDateValue_data();
    void formatDateValue();
    void parseDate_data();
    void parseDate();
    void parseNumber_data();
    void parseNumber();
    void formatAmounts_data();
    void formatAmounts();
    void currencyReadsBack_data();
    void currencyReadsBack();
};

void TestRegional::patterns_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("dayFirst");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("birthday");   // 7 March 1925 as shown

    QTest::newRow("en_GB") << "en_GB" << "dd/MM/yyyy" << "/" << true << "dd/MM/yyyy" << "07/03/1925";
    QTest::newRow("en_US") << "en_US" << "M/d/yy" << "/" << false << "M/d/yyyy" << "3/7/1925";
    QTest::newRow("de_DE") << "de_DE" << "dd.MM.yy" << "." << true << "dd.MM.yyyy" << "07.03.1925";
    QTest::newRow("year first") << "sv_SE" << "yyyy-MM-dd" << "-" << true << "yyyy-MM-dd" << "1925-03-07";
    QTest::newRow("quoted literal") << "bg_BG" << "d.MM.yy 'г'." << "." << true << "d.MM.yyyy 'г'." << "7.03.1925 г.";
    QTest::newRow("direction marks") << "ar_EG" << "d" + kRlm + "/M" + kRlm + "/yyyy" << "/" << true
                                     << "d" + kRlm + "/M" + kRlm + "/yyyy"
                                     << QString(QChar(0x667)) + kRlm + "/" + QChar(0x663) + kRlm + "/"
                                            + QString::fromUtf8("١٩٢٥");
    QTest::newRow("blank separated") << "C" << "d MMM yyyy" << " " << true << "d MMM yyyy" << "7 Mar 1925";
}

void TestRegional::patterns()
{
    QFETCH(QString, locale);
    LocaleScope scope(locale);
    QTEST(regional::shortDatePattern(), "pattern");
    QTEST(regional::dateSeparator(), "separator");
    QTEST(regional::dayFirst(), "dayFirst");
    QTEST(regional::displayDatePattern(), "display");
    QTEST(regional::formatShortDate(QDate(1925, 3, 7)), "birthday");
}

void TestRegional::shownDatesReadBack_data()
{
    QTest::addColumn<QString>("locale");
    for (const char* name : {"en_GB", "en_US", "de_DE", "fr_FR", "nl_NL", "pl_PL", "sv_SE", "hu_HU", "ko_KR",
                             "ja_JP", "bg_BG", "ar_EG", "C"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Whatever the locale, a date shown and read again is the same date, in the same century.
void TestRegional::shownDatesReadBack()
{
    QFETCH(QString, locale);
    LocaleScope scope(locale);
    for (const QDate date : {QDate(1925, 3, 7), QDate(1929, 12, 31), QDate(2000, 2, 29), QDate(2031, 1, 1)}) {
        const QString shown = regional::formatShortDate(date);
        const auto read = regional::parseDate(shown, kToday);
        QVERIFY2(read.has_value(), qPrintable(shown));
        QCOMPARE(read->date(), date);
    }
}

void TestRegional::formatDateValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("date") << QVariant(QDate(2026, 4, 1)) << "01/04/2026";
    QTest::newRow("midnight") << QVariant(QDateTime(QDate(2026, 4, 1), QTime(0, 0), Qt::UTC)) << "01/04/2026";
    QTest::newRow("time of day") << QVariant(QDateTime(QDate(2026, 4, 1), QTime(9, 5, 7), Qt::UTC))
                                 << "01/04/2026 09:05:07";
    QTest::newRow("not a date") << QVariant(QStringLiteral("someday")) << "someday";
}

void TestRegional::formatDateValue()
{
    QFETCH(QVariant, value);
    LocaleScope scope(QStringLiteral("en_GB"));
    QTEST(regional::formatDateValue(value), "shown");
}

void TestRegional::parseDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");   // invalid: the text is no date

    auto at = [](int y, int m, int d, QTime t = QTime(0, 0)) { return QDateTime(QDate(y, m, d), t, Qt::UTC); };
    const QDateTime none;

    // Numbers in the user's day/month order, any of the separators.
    QTest::newRow("gb slashes") << "en_GB" << "15/01/2002" << at(2002, 1, 15);
    QTest::newRow("gb dashes short") << "en_GB" << "15-1-02" << at(2002, 1, 15);
    QTest::newRow("us month first") << "en_US" << "1/15/2002" << at(2002, 1, 15);
    QTest::newRow("us short year") << "en_US" << "4/1/26" << at(2026, 4, 1);
    QTest::newRow("us day first is wrong") << "en_US" << "15/1/2002" << none;
    QTest::newRow("de") << "de_DE" << "01.04.26" << at(2026, 4, 1);

    // Two-digit years.
    QTest::newRow("year 29") << "en_GB" << "1/4/29" << at(2029, 4, 1);
    QTest::newRow("year 30") << "en_GB" << "1/4/30" << at(1930, 4, 1);
    QTest::newRow("old birthday") << "en_GB" << "07/03/1925" << at(1925, 3, 7);
    QTest::newRow("three-digit year") << "en_GB" << "1/4/026" << none;

    // Calendar checks.
    QTest::newRow("31 February") << "en_GB" << "31/02/2026" << none;
    QTest::newRow("29 Feb, common year") << "en_GB" << "29/02/2025" << none;
    QTest::newRow("29 Feb, leap year") << "en_GB" << "29/02/2024" << at(2024, 2, 29);
    QTest::newRow("month 13") << "en_GB" << "01/13/2026" << none;
    QTest::newRow("day 0") << "en_GB" << "0/4/2026" << none;

    // Year first.
    QTest::newRow("iso") << "en_GB" << "2026-04-01" << at(2026, 4, 1);
    QTest::newRow("iso in us") << "en_US" << "2026-04-01" << at(2026, 4, 1);
    QTest::newRow("iso with T") << "en_GB" << "2026-04-01T09:30:00" << at(2026, 4, 1, QTime(9, 30));

    // Month names.
    QTest::newRow("long name") << "en_GB" << "1 April 2026" << at(2026, 4, 1);
    QTest::newRow("us order") << "en_US" << "Apr 1, 2026" << at(2026, 4, 1);
    QTest::newRow("lower abbreviation") << "en_GB" << "1-apr-26" << at(2026, 4, 1);
    QTest::newRow("sept") << "en_GB" << "1 Sept 2026" << at(2026, 9, 1);
    QTest::newRow("german") << "de_DE" << "3. März 2026" << at(2026, 3, 3);
    QTest::newRow("english in german") << "de_DE" << "1 May 2026" << at(2026, 5, 1);
    QTest::newRow("german abbreviation") << "de_DE" << "1. Dez. 26" << at(2026, 12, 1);
    QTest::newRow("not a month") << "en_GB" << "1 Apx 2026" << none;
    QTest::newRow("too short to tell") << "en_GB" << "1 Ma 2026" << none;

    // No year: this year.
    QTest::newRow("day and month") << "en_GB" << "1/4" << at(2026, 4, 1);
    QTest::newRow("day and month name") << "en_GB" << "1 April" << at(2026, 4, 1);

    // A time after the date.
    QTest::newRow("time") << "en_GB" << "15/01/2002 09:30" << at(2002, 1, 15, QTime(9, 30));
    QTest::newRow("time with seconds") << "en_GB" << "15/01/2002 09:30:15" << at(2002, 1, 15, QTime(9, 30, 15));
    QTest::newRow("one-digit hour") << "de_DE" << "15.01.2002 9:30" << at(2002, 1, 15, QTime(9, 30));
    QTest::newRow("hour 24") << "en_GB" << "15/01/2002 24:00" << none;
    QTest::newRow("one-digit minute") << "en_GB" << "15/01/2002 9:5" << none;
    QTest::newRow("time alone") << "en_GB" << "09:30" << none;
    QTest::newRow("text after time") << "en_GB" << "15/01/2002 09:30 x" << none;

    // Not dates.
    QTest::newRow("empty") << "en_GB" << "" << none;
    QTest::newRow("word") << "en_GB" << "abc" << none;
    QTest::newRow("letters after") << "en_GB" << "1/4/2026x" << none;
    QTest::newRow("doubled separator") << "en_GB" << "1//4/2026" << none;
    QTest::newRow("leading separator") << "en_GB" << "-1/4/2026" << none;
    QTest::newRow("trailing slash") << "en_GB" << "1/4/2026/" << none;
    QTest::newRow("one number") << "en_GB" << "20260401" << none;

    // A shown date's own marks are part of it.
    QTest::newRow("trailing dot") << "hu_HU" << "2026. 04. 01." << at(2026, 4, 1);
    QTest::newRow("pattern literal") << "bg_BG" << "1.04.2026 г." << at(2026, 4, 1);
}

void TestRegional::parseDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    LocaleScope scope(locale);

    const auto result = regional::parseDate(text, kToday);
    if (!expected.isValid()) {
        QVERIFY2(!result.has_value(), qPrintable(result ? result->toString(Qt::ISODate) : QString()));
        return;
    }
    QVERIFY(result.has_value());
    QCOMPARE(result->date(), expected.date());
    QCOMPARE(result->time(), expected.time());
    QCOMPARE(result->timeSpec(), Qt::UTC);
}

void TestRegional::parseNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    auto good = [](const char* name, const char* locale, const QString& text, double value) {
        QTest::newRow(name) << QString::fromLatin1(locale) << text << true << value;
    };
    auto bad = [](const char* name, const char* locale, const QString& text) {
        QTest::newRow(name) << QString::fromLatin1(locale) << text << false << 0.0;
    };

    good("gb currency", "en_GB", QStringLiteral("£1,234.57"), 1234.57);
    good("gb plain", "en_GB", QStringLiteral(" 12.5 "), 12.5);
    good("gb more decimals", "en_GB", QStringLiteral("1234.567"), 1234.567);
    good("gb negative", "en_GB", QStringLiteral("-0.5"), -0.5);
    good("gb parentheses", "en_GB", QStringLiteral("(12.50)"), -12.5);
    good("gb parentheses and sign", "en_GB", QStringLiteral("(£1,234.50)"), -1234.5);
    good("gb minus before sign", "en_GB", QStringLiteral("-£12.50"), -12.5);
    good("gb minus after sign", "en_GB", QStringLiteral("£ -12.50"), -12.5);
    good("gb no leading digit", "en_GB", QStringLiteral(".5"), 0.5);
    good("us dollars", "en_US", QStringLiteral("$12.50"), 12.5);
    good("de currency", "de_DE", QStringLiteral("1.234,57 €"), 1234.57);
    good("de comma", "de_DE", QStringLiteral("12,5"), 12.5);
    good("de negative currency", "de_DE", QStringLiteral("-12,50") + kNbsp + QStringLiteral("€"), -12.5);
    good("fr typed blank groups", "fr_FR", QStringLiteral("1 234,50 €"), 1234.5);
    good("indian grouping", "en_IN", QStringLiteral("12,34,567.89"), 1234567.89);

    bad("two points", "en_GB", QStringLiteral("1.2.3"));
    bad("trailing letters", "en_GB", QStringLiteral("12abc"));
    bad("empty", "en_GB", QString());
    bad("minus alone", "en_GB", QStringLiteral("-"));
    bad("sign alone", "en_GB", QStringLiteral("£"));
    bad("other currency", "en_GB", QStringLiteral("$12.50"));
    bad("two signs", "en_GB", QStringLiteral("--5"));
    bad("sign in parentheses", "en_GB", QStringLiteral("(-12.50)"));
    bad("exponent", "en_GB", QStringLiteral("1e5"));
    bad("leading group", "en_GB", QStringLiteral(",123"));
    bad("group in fraction", "en_GB", QStringLiteral("1.234,5"));
    bad("short group", "en_GB", QStringLiteral("1,5"));
    bad("de point is no decimal", "de_DE", QStringLiteral("12.5"));
}

void TestRegional::parseNumber()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    LocaleScope scope(locale);

    const auto result = regional::parseNumber(text);
    QCOMPARE(result.has_value(), valid);
    if (valid) {
        QCOMPARE(*result, value);
        QVERIFY(!std::signbit(*result) || value < 0);
    }
}

void TestRegional::formatAmounts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("standard");

    QTest::newRow("gb") << "en_GB" << 12.5 << "£12.50" << "12.50";
    QTest::newRow("de") << "de_DE" << 12.5 << "12,50" + kNbsp + "€" << "12,50";
    QTest::newRow("gb grouped") << "en_GB" << 1234.567 << "£1,234.57" << "1,234.57";
    QTest::newRow("de grouped") << "de_DE" << 1234.567 << "1.234,57" + kNbsp + "€" << "1.234,57";
    // Halves round up as written, although 1.005, 2.675 and 12.345 lie just below in binary.
    QTest::newRow("1.005") << "en_GB" << 1.005 << "£1.01" << "1.01";
    QTest::newRow("2.675") << "en_GB" << 2.675 << "£2.68" << "2.68";
    QTest::newRow("carry") << "en_GB" << 999.995 << "£1,000.00" << "1,000.00";
    QTest::newRow("negative half") << "en_GB" << -12.345 << "(£12.35)" << "-12.35";
    QTest::newRow("de negative") << "de_DE" << -1234.5 << "-1.234,50" + kNbsp + "€" << "-1.234,50";
    QTest::newRow("tiny negative") << "en_GB" << -0.004 << "£0.00" << "0.00";
}

void TestRegional::formatAmounts()
{
    QFETCH(QString, locale);
    QFETCH(double, amount);
    LocaleScope scope(locale);
    QTEST(regional::formatCurrency(amount), "currency");
    QTEST(regional::formatStandard(amount), "standard");
}

void TestRegional::currencyReadsBack_data()
{
    QTest::addColumn<QString>("locale");
    for (const char* name : {"en_GB", "en_US", "de_DE", "fr_FR", "nl_NL", "de_CH", "sv_SE", "hu_HU", "en_IN",
                             "ar_EG", "ja_JP", "C"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A fee shown in the currency form and saved again keeps its value, in every locale.
void TestRegional::currencyReadsBack()
{
    QFETCH(QString, locale);
    LocaleScope scope(locale);
    for (double amount : {12.5, 0.0, 1234567.89, -1234.5, -0.25}) {
        for (const QString& shown : {regional::formatCurrency(amount), regional::formatStandard(amount)}) {
            const auto read = regional::parseNumber(shown);
            QVERIFY2(read.has_value(), qPrintable(shown));
            QCOMPARE(*read, amount);
        }
    }
}

ZELK_TEST(TestRegional)
#include "tst_regional.moc"
