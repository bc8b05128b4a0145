// The rules by which typed names, numbers and e-mail addresses are tidied and checked.
#include "testlib/test_registry.h"

#include "core/main_defaults.h"
#include "core/text_rules.h"
#include "engine/engine_error.h"

#include <QLocale>
#include <QTest>

using namespace zelk;

class TextRulesTest : public QObject {
    Q_OBJECT

private slots:
    // The main window's rule starts words only after blanks, tabs and line breaks; the
    // DOS conversion's rule trims, and also starts them after . , ' and -.
    void capitals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("properCase");
        QTest::addColumn<QString>("mixedCase");
        QTest::newRow("apostrophe, hyphen, initials") << "mary o'BRIEN-SMITH, j.r." << "Mary O'brien-smith, J.r."
                                                      << "Mary O'Brien-Smith, J.R.";
        QTest::newRow("letters beyond ASCII") << "émile ÓLAFSSON-ÜBER" << "Émile Ólafsson-über" << "Émile Ólafsson-Über";
        QTest::newRow("tabs and line breaks") << "a\tb\nc d" << "A\tB\nC D" << "A\tb\nc D";
        QTest::newRow("blanks around") << "  12b high STREET " << "  12b High Street " << "12b High Street";
    }
    void capitals()
    {
        QFETCH(QString, typed);
        QFETCH(QString, properCase);
        QFETCH(QString, mixedCase);
        QCOMPARE(zelk::properCase(typed), properCase);
        QString rewritten = typed;
        QCOMPARE(MixedCase(rewritten), mixedCase);
        QCOMPARE(rewritten, mixedCase);
    }

    // Only the first rule an address breaks is reported.
    void emailAddresses_data()
    {
        const QString start = "That doesn't seem to be a valid e-mail address";
        const QString basic = start + ". It must have an @ sign and cannot have spaces or double full stops. Do you want to correct it?";
        const QString twoAts = start + ". It can only have one @ sign in it. Do you want to correct it?";
        const QString tooShort = start + " - it is too short. Do you want to correct it?";
        const QString nothingBefore = start + ". There should be something before the @ sign.\nDo you want to correct it?";
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("problem");
        QTest::newRow("seven characters") << "ab@cd.e" << "";
        QTest::newRow("six characters") << "ab@c.d" << tooShort;
        QTest::newRow("no @") << "jo.club.org" << basic;
        QTest::newRow("a blank") << "jo @club.org" << basic;
        QTest::newRow("two full stops and two @") << "a..b@c@d.org" << basic;
        QTest::newRow("two @") << "jo@home@club.org" << twoAts;
        QTest::newRow("short, starting with @") << "@c.org" << tooShort;
        QTest::newRow("starting with @") << "@club.org.uk" << nothingBefore;
    }
    void emailAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, problem);
        QCOMPARE(emailAddressProblem(address).value_or(QString()), problem);
    }

    // A box of digits holds a number only when it holds nothing but digits, pasted text
    // included.
    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("number");   // -1: no number
        QTest::newRow("digits") << "742" << qint64(742);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("pasted group separator") << "1,000" << qint64(-1);
        QTest::newRow("pasted letters") << "12abc" << qint64(-1);
        QTest::newRow("too many digits") << "99999999999999999999999" << std::numeric_limits<qint64>::max();
    }
    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(qint64, number);
        QCOMPARE(wholeNumber(text).value_or(-1), number);
    }

    // The flags and the page direction read at start-up; anything but a whole number is
    // refused with a type mismatch, as a wrong word is.
    void storedWholeNumbers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("number");   // 0 with refused
        QTest::addColumn<bool>("refused");
        QTest::newRow("-1") << "-1" << -1 << false;
        QTest::newRow("blanks around") << " 0 " << 0 << false;
        QTest::newRow("1.0") << "1.0" << 1 << false;
        QTest::newRow("1.5") << "1.5" << 0 << true;
        QTest::newRow("a word") << "up" << 0 << true;
        QTest::newRow("empty") << "" << 0 << true;
        QTest::newRow("too large") << "99999999999" << 0 << true;
    }
    void storedWholeNumbers()
    {
        QFETCH(QString, stored);
        QFETCH(int, number);
        QFETCH(bool, refused);
        try {
            QCOMPARE(toWholeNumber(stored), number);
            QVERIFY(!refused);
        } catch (const EngineError& e) {
            QVERIFY(refused);
            QCOMPARE(e.number(), err::TypeMismatch);
        }
    }

    // The fee box takes what the fee field can hold and nothing larger.
    void amounts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");   // empty: refused
        QTest::newRow("plain") << "12.5" << "£12.50";
        QTest::newRow("largest a fee can be") << "922337203685477" << "£922,337,203,685,477.00";
        QTest::newRow("eighteen nines") << "999999999999999999" << "";
        QTest::newRow("not a number") << "ten" << "";
    }
    void amounts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const QLocale before;
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        const QString amount = currencyOf(typed).value_or(QString());
        QLocale::setDefault(before);
        QCOMPARE(amount, shown);
    }

    void valuesAreQuotedShortInMessages()
    {
        QCOMPARE(quotedInMessage(QStringLiteral("Smith")), QStringLiteral("Smith"));
        const QString sixty(60, u'x');
        QCOMPARE(quotedInMessage(sixty), sixty);
        QCOMPARE(quotedInMessage(QString(10000, u'y')), QString(60, u'y') + QStringLiteral("..."));
        // A character outside the 16-bit range at the cut is kept whole or not at all.
        const QString face = QString(59, u'z') + QString::fromUcs4(U"\U0001F600") + QStringLiteral("tail");
        QCOMPARE(quotedInMessage(face), QString(59, u'z') + QStringLiteral("..."));
    }

    void controlCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");   // -1: none
        QTest::newRow("plain text") << "Smith & Sons" << -1;
        QTest::newRow("tab and line breaks") << "a\tb\r\nc\nd" << -1;
        QTest::newRow("NUL") << QStringLiteral("ab") + QChar(0) + QStringLiteral("c") << 2;
        QTest::newRow("escape") << "\x1b[2J" << 0;
        QTest::newRow("C1 control") << QStringLiteral("a") + QChar(0x85) << 1;
    }
    void controlCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QCOMPARE(controlCharacterIn(text).value_or(-1), at);
    }
};

ZELK_TEST(TextRulesTest)
#include "tst_text_rules.moc"
