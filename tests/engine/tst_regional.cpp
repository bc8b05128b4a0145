// The user's regional settings: date patterns, dates and amounts as shown, and values given to a field converted by its type and these settings
// (dates and amounts read leniently as the user types them), or refused with a message
// that names the field.
#include "engine/conversion.h"
#include "engine/regional.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QHash>
#include <QTest>

using namespace zelk;
using namespace Qt::StringLiterals;
using zelk::test::TestWorld;

Q_DECLARE_METATYPE(zelk::FieldDef)

class TestRegional : public QObject {
    Q_OBJECT

private slots:
    void datePatterns_data();
    void datePatterns();
    void longDatesReadBack();
    void valuesShown();
    void converts_data();
    void converts();
};

void TestRegional::datePatterns_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("dayFirst");
    QTest::addColumn<QString>("shown");   // 7 March 1925
    const QString rlm(QChar(0x200f));
    QTest::newRow("en_GB") << "en_GB" << "dd/MM/yyyy" << "/" << true << "07/03/1925";
    QTest::newRow("en_US") << "en_US" << "M/d/yy" << "/" << false << "3/7/1925";
    QTest::newRow("de_DE") << "de_DE" << "dd.MM.yy" << "." << true << "07.03.1925";
    QTest::newRow("sv_SE") << "sv_SE" << "yyyy-MM-dd" << "-" << false << "1925-03-07";
    QTest::newRow("bg_BG") << "bg_BG" << "d.MM.yy 'г'." << "." << true << "7.03.1925 г.";
    QTest::newRow("ar_EG") << "ar_EG" << u"d%1/M%1/yyyy"_s.arg(rlm) << "/" << true << u"٧%1/٣%1/١٩٢٥"_s.arg(rlm);
    // No separator in the short date: "/" rather than a blank.
    QTest::newRow("C") << "C" << "d MMM yyyy" << "/" << true << "7 Mar 1925";
}

void TestRegional::datePatterns()
{
    QFETCH(QString, locale);
    TestWorld world(locale);
    QTEST(regional::shortDatePattern(), "pattern");
    QTEST(regional::dateSeparator(), "separator");
    QTEST(regional::dayFirst(), "dayFirst");
    QTEST(regional::formatShortDate(QDate(1925, 3, 7)), "shown");
}

// The long form, weekday and all, as the data export writes it and an import reads it.
void TestRegional::longDatesReadBack()
{
    for (const char* name : {"en_GB", "en_US", "de_DE", "sv_SE", "bg_BG", "ar_EG", "C", "fr_FR", "nl_NL", "de_CH", "pl_PL", "hu_HU",
                             "en_IN", "ko_KR", "ja_JP", "es_ES", "da_DK", "pt_BR", "ru_RU", "fi_FI", "el_GR", "tr_TR", "zh_CN"}) {
        TestWorld world(QString::fromLatin1(name));
        for (const QDate date : {QDate(1925, 3, 7), QDate(1929, 12, 31), QDate(2000, 2, 29), QDate(2031, 1, 1)}) {
            const QString written = regional::locale().toString(date, QLocale::LongFormat);
            QVERIFY2(regional::parseDate(written).value_or(QDateTime()).date() == date, qPrintable(written));
        }
    }
}

void TestRegional::valuesShown()
{
    TestWorld world;
    const QDate day(2026, 4, 1);
    QCOMPARE((QStringList{regional::formatDateValue(QVariant()), regional::formatDateValue(day),
                          regional::formatDateValue(QDateTime(day, QTime(0, 0), Qt::UTC)),
                          regional::formatDateValue(QDateTime(day, QTime(9, 5, 7), Qt::UTC)), regional::formatDateValue(u"someday"_s)}),
             (QStringList{"", "01/04/2026", "01/04/2026", "01/04/2026 09:05:07", "someday"}));
    // Halves round up as written, although 1.005, 2.675 and 12.345 lie just below in binary.
    QStringList amounts;
    for (double amount : {12.5, 1234.567, 1.005, 2.675, 999.995, -12.345, -0.004})
        amounts << regional::formatCurrency(amount) + u" "_s + regional::formatStandard(amount);
    QCOMPARE(amounts, (QStringList{"£12.50 12.50", "£1,234.57 1,234.57", "£1.01 1.01", "£2.68 2.68", "£1,000.00 1,000.00",
                                   "(£12.35) -12.35", "£0.00 0.00"}));
    world.setLocale(u"de_DE"_s);
    QCOMPARE(regional::formatCurrency(-1234.567) + u" "_s + regional::formatStandard(-1234.567), u"-1.234,57\u00a0€ -1.234,57"_s);
}

void TestRegional::converts_data()
{
    QTest::addColumn<FieldDef>("field");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<int>("error");
    using T = FieldType;
    auto ok = [](const char* name, T type, const QVariant& input, const QVariant& expected, const char* locale = "en_GB", int size = 0) {
        QTest::newRow(name) << FieldDef{u"TestField"_s, type, size} << QString::fromLatin1(locale) << input << expected << 0;
    };
    auto bad = [](const char* name, T type, const QVariant& input, int error, const char* locale = "en_GB", int size = 0, bool allowZero = true) {
        QTest::newRow(name) << FieldDef{u"TestField"_s, type, size, allowZero} << QString::fromLatin1(locale) << input << QVariant() << error;
    };
    auto utc = [](int y, int m, int d, QTime t = QTime(0, 0)) { return QVariant(QDateTime(QDate(y, m, d), t, Qt::UTC)); };
    const QString emoji = u"😀"_s;

    // Long and Integer: range checked after rounding half to even.
    ok("long half to even down", T::Long, u"2.5"_s, QVariant(qint32(2)));
    bad("long above", T::Long, QVariant(qlonglong(2147483648LL)), err::Overflow);
    bad("long rounds out of range", T::Long, u"2147483647.5"_s, err::Overflow);
    bad("long german point", T::Long, u"12.5"_s, err::TypeMismatch, "de_DE");
    bad("integer above", T::Integer, 32768, err::Overflow);

    // Amounts, with or without the currency sign, separators and sign as the locale writes them.
    ok("currency grouped", T::Currency, u"£1,234.57"_s, QVariant(1234.57));
    ok("currency parentheses", T::Currency, u"(£1,234.50)"_s, QVariant(-1234.5));
    ok("currency ISO code", T::Currency, u"GBP 12.50"_s, QVariant(12.5));
    ok("currency german", T::Currency, u"1.234,5678 €"_s, QVariant(1234.5678), "de_DE");
    ok("currency typed blank groups", T::Currency, u"1 234,50 €"_s, QVariant(1234.5), "fr_FR");
    ok("currency fifth decimal up", T::Currency, 12.34565, QVariant(12.3457));
    bad("currency too large", T::Currency, 1e16, err::Overflow);
    for (const char* text : {"12abc", "£", "$12.50", "--5", "(-12.50)", "1e5", "1.234,5"})
        bad(text, T::Currency, QString::fromUtf8(text), err::TypeMismatch);
    bad("german point is no decimal", T::Currency, u"12.5"_s, err::TypeMismatch, "de_DE");

    // Dates in the user's day/month order, with any separator; kept in UTC at the clock time given.
    ok("date gb dashes short", T::DateTime, u"15-1-02"_s, utc(2002, 1, 15));
    ok("date us", T::DateTime, u"4/1/26"_s, utc(2026, 4, 1), "en_US");
    bad("date us day first", T::DateTime, u"15/1/2002"_s, err::TypeMismatch, "en_US");
    ok("date year 29", T::DateTime, u"1/4/29"_s, utc(2029, 4, 1));
    ok("date year 30", T::DateTime, u"1/4/30"_s, utc(1930, 4, 1));
    ok("date small abbreviation", T::DateTime, u"1-sept-26"_s, utc(2026, 9, 1));
    ok("date german month", T::DateTime, u"3. März 2026"_s, utc(2026, 3, 3), "de_DE");
    ok("date long form english weekday", T::DateTime, u"wednesday 1 April 2026"_s, utc(2026, 4, 1), "de_DE");
    bad("weekday and a word", T::DateTime, u"Sunday Times"_s, err::TypeMismatch);
    ok("date without year", T::DateTime, u"1/4"_s, utc(QDate::currentDate().year(), 4, 1));
    ok("date with time", T::DateTime, u"15/01/2002 09:30:15"_s, utc(2002, 1, 15, QTime(9, 30, 15)));
    ok("local date time keeps its clock", T::DateTime, QDateTime(QDate(2026, 3, 29), QTime(9, 30, 15, 250), Qt::LocalTime),
       utc(2026, 3, 29, QTime(9, 30, 15)));
    for (const char* text : {"31/02/2026", "29/02/2025", "01/13/2026", "1/4/026", "1 Ma 2026", "15/01/2002 24:00", "09:30", "", "1//4/2026",
                             "20260401"})
        bad(*text ? text : "empty", T::DateTime, QString::fromLatin1(text), err::TypeMismatch);
    bad("date from number", T::DateTime, 46000, err::TypeMismatch);
    bad("date before year 100", T::DateTime, QDate(50, 1, 1), err::Overflow);

    // Booleans from the words and numbers a user or an import gives.
    for (const char* t : {"True", "YES", "-1", "2.5"})
        ok(t, T::Boolean, QString::fromLatin1(t), QVariant(true));
    for (const char* f : {"false", " OFF ", "0"})
        ok(f, T::Boolean, QString::fromLatin1(f), QVariant(false));
    bad("boolean word", T::Boolean, u"maybe"_s, err::TypeMismatch);

    // Text: length counted in characters, not UTF-16 units.
    ok("text at its size", T::Text, emoji.repeated(5), QVariant(emoji.repeated(5)), "en_GB", 5);
    ok("decimal into text", T::Text, 12.5, QVariant(u"12,5"_s), "de_DE", 10);
    bad("text one too long", T::Text, emoji.repeated(6), err::ValueTooLong, "en_GB", 5);
    bad("text zero length", T::Text, u""_s, err::ZeroLengthNotAllowed, "en_GB", 5, false);
}

void TestRegional::converts()
{
    QFETCH(FieldDef, field);
    QFETCH(QString, locale);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    TestWorld world(locale);
    static const QHash<int, QString> told{
        {err::Overflow, u"The value you entered is out of range for the field 'TestField'."_s},
        {err::TypeMismatch, u"The value you entered is not valid for the field 'TestField'."_s},
        {err::ValueTooLong, u"The text you entered is too long for the field 'TestField', which holds at most %1 characters."_s},
        {err::ZeroLengthNotAllowed, u"The field 'TestField' cannot hold an empty text."_s}};
    QVariant stored;
    int thrown = 0;
    try {
        stored = convertForField(field, input);
    } catch (const EngineError& e) {
        thrown = e.number();
        QCOMPARE(e.description(), told.value(thrown).replace(u"%1"_s, QString::number(field.size)));
    }
    QTEST(thrown, "error");
    QCOMPARE(stored.metaType(), expected.metaType());
    QCOMPARE(stored, expected);
    if (stored.typeId() == QMetaType::QDateTime)
        QCOMPARE(stored.toDateTime().timeSpec(), Qt::UTC);
}

ZELK_TEST(TestRegional)
#include "tst_regional.moc"
