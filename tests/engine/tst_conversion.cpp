#include "engine/conversion.h"
#include "locale_scope.h"
#include "testlib/test_registry.h"

#include <QDateTime>
#include <QTest>

#include <limits>

using namespace zelk;
using zelk::test::LocaleScope;

namespace {

FieldDef field(FieldType type, int size = 0, bool allowZeroLength = true)
{
    return FieldDef{QStringLiteral("TestField"), type, size, allowZeroLength};
}

QVariant utc(int y, int m, int d, QTime t = QTime(0, 0))
{
    return QVariant(QDateTime(QDate(y, m, d), t, Qt::UTC));
}

// Columns shared by both tables: the field, the locale and the value given.
void addFieldColumns()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("allowZeroLength");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("input");
}

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

private slots:
    void converts_data();
    void converts();
    void refuses_data();
    void refuses();
    void describesTheField();
    void characterCount_data();
    void characterCount();
};

void TestConversion::converts_data()
{
    addFieldColumns();
    QTest::addColumn<QVariant>("expected");

    auto row = [](const char* name, FieldType type, const QVariant& input, const QVariant& expected,
                  const char* locale = "en_GB", int size = 0, bool allowZero = true) {
        QTest::newRow(name) << int(type) << size << allowZero << QString::fromLatin1(locale) << input << expected;
    };
    using T = FieldType;
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

    // Null is allowed in every field.
    row("null long", T::Long, QVariant(), QVariant());
    row("null text, no zero length", T::Text, QVariant(), QVariant(), "en_GB", 5, false);

    row("long int", T::Long, 42, QVariant(qint32(42)));
    row("long bottom text", T::Long, QStringLiteral("-2147483648"), QVariant(qint32(-2147483648LL)));
    row("long grouped text", T::Long, QStringLiteral("1,234"), QVariant(qint32(1234)));
    row("long half to even down", T::Long, QStringLiteral("2.5"), QVariant(qint32(2)));
    row("long half to even up", T::Long, QStringLiteral("3.5"), QVariant(qint32(4)));
    row("long negative half", T::Long, -2.5, QVariant(qint32(-2)));
    row("long german text", T::Long, QStringLiteral("12,5"), QVariant(qint32(12)), "de_DE");
    row("long from flag", T::Long, true, QVariant(qint32(-1)));
    row("integer bottom", T::Integer, QStringLiteral("-32768"), QVariant(qint32(-32768)));
    row("integer rounds into range", T::Integer, -32768.5, QVariant(qint32(-32768)));

    row("single", T::Single, QStringLiteral("1.5"), QVariant(1.5f));

    row("currency text", T::Currency, QStringLiteral("£12.50"), QVariant(12.5));
    row("currency fifth decimal up", T::Currency, 12.34565, QVariant(12.3457));
    row("currency negative half", T::Currency, QStringLiteral("-12.34565"), QVariant(-12.3457));
    row("currency fifth decimal down", T::Currency, 1.00004, QVariant(1.0));
    row("currency german", T::Currency, QStringLiteral("1.234,5678 €"), QVariant(1234.5678), "de_DE");

    row("date text", T::DateTime, QStringLiteral("01/04/2026"), utc(2026, 4, 1));
    row("date text us", T::DateTime, QStringLiteral("4/1/26"), utc(2026, 4, 1), "en_US");
    row("date text with time", T::DateTime, QStringLiteral("15/01/2002 09:30"), utc(2002, 1, 15, QTime(9, 30)));
    row("date", T::DateTime, QDate(1925, 3, 7), utc(1925, 3, 7));
    row("local date time keeps its clock", T::DateTime,
        QDateTime(QDate(2026, 3, 29), QTime(9, 30, 15, 250), Qt::LocalTime), utc(2026, 3, 29, QTime(9, 30, 15)));

    row("bool", T::Boolean, false, QVariant(false));
    row("True", T::Boolean, QStringLiteral("True"), QVariant(true));
    row("ON", T::Boolean, QStringLiteral("ON"), QVariant(true));
    row("off", T::Boolean, QStringLiteral(" off "), QVariant(false));
    row("No", T::Boolean, QStringLiteral("No"), QVariant(false));
    row("-1", T::Boolean, QStringLiteral("-1"), QVariant(true));
    row("0 text", T::Boolean, QStringLiteral("0"), QVariant(false));
    row("other number text", T::Boolean, QStringLiteral("2.5"), QVariant(true));
    row("fraction", T::Boolean, 0.5, QVariant(true));

    row("text at its size", T::Text, QStringLiteral("abcde"), QVariant(QStringLiteral("abcde")), "en_GB", 5);
    row("code points, not units", T::Text, emoji.repeated(5), QVariant(emoji.repeated(5)), "en_GB", 5);
    row("empty allowed", T::Text, QString(""), QVariant(QString("")), "en_GB", 5);
    row("memo unbounded", T::Memo, QString(70000, QLatin1Char('x')), QVariant(QString(70000, QLatin1Char('x'))));
    row("whole number text", T::Text, 42, QVariant(QStringLiteral("42")), "en_GB", 10);
    row("decimal text", T::Text, 12.5, QVariant(QStringLiteral("12,5")), "de_DE", 10);
}

void TestConversion::converts()
{
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(bool, allowZeroLength);
    QFETCH(QString, locale);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    LocaleScope scope(locale);

    QVariant stored;
    try {
        stored = convertForField(field(FieldType(type), size, allowZeroLength), input);
    } catch (const EngineError& e) {
        QFAIL(e.what());
    }
    QCOMPARE(stored.isValid(), expected.isValid());
    if (!expected.isValid())
        return;
    QCOMPARE(stored.metaType(), expected.metaType());
    QCOMPARE(stored, expected);
    if (stored.typeId() == QMetaType::QDateTime) {
        QCOMPARE(stored.toDateTime().timeSpec(), Qt::UTC);
        QCOMPARE(stored.toDateTime().time(), expected.toDateTime().time());
    }
}

void TestConversion::refuses_data()
{
    addFieldColumns();
    QTest::addColumn<int>("error");

    auto row = [](const char* name, FieldType type, const QVariant& input, int error, int size = 0,
                  bool allowZero = true, const char* locale = "en_GB") {
        QTest::newRow(name) << int(type) << size << allowZero << QString::fromLatin1(locale) << input << error;
    };
    using T = FieldType;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    row("long above", T::Long, QVariant(qlonglong(2147483648LL)), err::Overflow);
    row("long below text", T::Long, QStringLiteral("-2147483649"), err::Overflow);
    row("long rounds out of range", T::Long, QStringLiteral("2147483647.5"), err::Overflow);
    row("long infinite", T::Long, inf, err::Overflow);
    row("long nan", T::Long, nan, err::TypeMismatch);
    row("long word", T::Long, QStringLiteral("abc"), err::TypeMismatch);
    row("long date", T::Long, QDate(2026, 4, 1), err::TypeMismatch);
    row("long german point", T::Long, QStringLiteral("12.5"), err::TypeMismatch, 0, true, "de_DE");
    row("integer above", T::Integer, 32768, err::Overflow);
    row("integer rounds out of range", T::Integer, 32767.5, err::Overflow);
    row("single too large", T::Single, 1e39, err::Overflow);
    row("currency too large", T::Currency, 1e16, err::Overflow);
    row("currency letters", T::Currency, QStringLiteral("12abc"), err::TypeMismatch);

    row("date not in calendar", T::DateTime, QStringLiteral("31/02/2026"), err::TypeMismatch);
    row("date from number", T::DateTime, 46000, err::TypeMismatch);
    row("date invalid", T::DateTime, QDate(), err::TypeMismatch);
    row("date before year 100", T::DateTime, QDate(50, 1, 1), err::Overflow);

    row("boolean word", T::Boolean, QStringLiteral("maybe"), err::TypeMismatch);
    row("boolean empty", T::Boolean, QString(""), err::TypeMismatch);

    row("text one too long", T::Text, QStringLiteral("abcdef"), err::ValueTooLong, 5);
    row("number text too long", T::Text, 123456, err::ValueTooLong, 5);
    row("text zero length", T::Text, QString(""), err::ZeroLengthNotAllowed, 5, false);
    row("memo zero length", T::Memo, QString(""), err::ZeroLengthNotAllowed, 0, false);
    row("text from bytes", T::Text, QByteArray("abc"), err::TypeMismatch, 5);
}

void TestConversion::refuses()
{
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(bool, allowZeroLength);
    QFETCH(QString, locale);
    QFETCH(QVariant, input);
    QFETCH(int, error);
    LocaleScope scope(locale);

    try {
        const QVariant stored = convertForField(field(FieldType(type), size, allowZeroLength), input);
        QFAIL(qPrintable(QStringLiteral("converted to %1").arg(stored.toString())));
    } catch (const EngineError& e) {
        QCOMPARE(e.number(), error);
        QVERIFY2(e.description().contains(QLatin1String("'TestField'")), qPrintable(e.description()));
    }
}

void TestConversion::describesTheField()
{
    LocaleScope scope(QStringLiteral("en_GB"));
    const FieldDef joinDate{QStringLiteral("JoinDate"), FieldType::DateTime};
    try {
        convertForField(joinDate, QStringLiteral("31/02/2026"));
        QFAIL("no error");
    } catch (const EngineError& e) {
        QCOMPARE(e.description(), QStringLiteral("The value you entered is not valid for the field 'JoinDate'."));
    }
    const FieldDef surname{QStringLiteral("Surname"), FieldType::Text, 3};
    try {
        convertForField(surname, QStringLiteral("Smith"));
        QFAIL("no error");
    } catch (const EngineError& e) {
        QCOMPARE(e.description(),
                 QStringLiteral("The text you entered is too long for the field 'Surname', which holds at most 3 characters."));
    }
}

void TestConversion::characterCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("ascii") << QStringLiteral("abc") << 3;
    QTest::newRow("composed accent") << QString::fromUtf8("\xC3\xA9") << 1;
    QTest::newRow("combining accent") << QString::fromUtf8("e\xCC\x81") << 2;
    QTest::newRow("surrogate pair") << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << 3;
    QTest::newRow("lone surrogate") << QString(QChar(0xd83d)) + QLatin1Char('x') << 2;
}

void TestConversion::characterCount()
{
    QFETCH(QString, text);
    QTEST(zelk::characterCount(text), "count");
}

ZELK_TEST(TestConversion)
#include "tst_conversion.moc"
