// Whatever the user's locale, a date, a date with its time and an amount, as the program
// shows them, read back as the same values when they are saved again.
#include "engine/regional.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QTest>

#include <cmath>

using namespace zelk;
using namespace Qt::StringLiterals;
using zelk::test::TestWorld;

class TestAllLocales : public QObject {
    Q_OBJECT

private slots:
    void shownValuesReadBack_data()
    {
        QTest::addColumn<QLocale>("locale");
        QSet<QString> seen;
        for (const QLocale& l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            if (!seen.contains(l.name()))
                QTest::newRow(qPrintable(l.name())) << l;
            seen.insert(l.name());
        }
    }

    void shownValuesReadBack()
    {
        QFETCH(QLocale, locale);
        TestWorld world;
        QLocale::setDefault(locale);
        for (const QDate date : {QDate(1925, 3, 7), QDate(1929, 12, 31), QDate(2000, 2, 29), QDate(2031, 12, 31)}) {
            const QString shown = regional::formatShortDate(date);
            QCOMPARE(regional::parseDate(shown).value_or(QDateTime()).date(), date);
        }
        const QDateTime withTime(QDate(2026, 4, 1), QTime(9, 30, 15), Qt::UTC);
        const QString shownWithTime = regional::formatDateValue(withTime);
        QCOMPARE(regional::parseDate(shownWithTime).value_or(QDateTime()), withTime);
        for (const double amount : {0.0, 0.5, 12.5, 1234.56, 12345678.9, -42.25, -0.25}) {
            const QString currency = regional::formatCurrency(amount);
            const QString standard = regional::formatStandard(amount);
            QCOMPARE(regional::parseNumber(currency).value_or(NAN), amount);
            QCOMPARE(regional::parseNumber(standard).value_or(NAN), amount);
        }
    }
};

ZELK_TEST(TestAllLocales)
#include "tst_all_locales.moc"
