// The on-screen text window: what it shows, what it stores in the Settings row and what
// the main window then shows.
#include "config_fixture.h"
#include "testlib/test_registry.h"

#include "config/frm_zelk_screen_text.h"
#include "data/schema.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zelk;
using namespace zelk::test;

namespace {

// The 27 caption fields as stored, "(null)" for Null.
QStringList storedCaptions(const TestProgram& p)
{
    QStringList stored;
    for (const auto& caption : schema::captionFields()) {
        const QVariant value = storedSetting(p, caption.field);
        stored << (value.isNull() ? QStringLiteral("(null)") : value.toString());
    }
    return stored;
}

} // namespace

class ScreenTextTest : public QObject {
    Q_OBJECT

private slots:
    void typedCaptionsAreTrimmedStoredAndShown()
    {
        TestProgram p;
        storeSettings(p, {{"ScreenTitle", "Rank"}});
        p.start();
        frmZelkScreenText w(p.state(), &p.main());
        QCOMPARE(w.Label1[21]->text() + w.Label1[23]->text(), QStringLiteral("Lapsed&Save"));
        QCOMPARE(w.Text1[5]->text() + w.Text1[12]->text(), QStringLiteral("Rank"));
        showActive(w);
        // Entering a box selects its text, so typing replaces it; leaving trims it.
        for (auto [i, text] : {std::pair{5, "   "}, {12, "  Fax no.  "}, {26, "&Remove"}, {21, "Gone"}}) {
            w.Text1[i]->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(w.Text1[i], QString::fromLatin1(text));
            QTest::keyClick(w.Text1[i], Qt::Key_Return);   // moves on, so the box is left
        }
        QCOMPARE(QApplication::focusWidget(), w.Text1[22]);
        click(w.Command1[1]);
        QVERIFY(MessageScript::asked().isEmpty() && !w.isVisible());

        QStringList expected(27, QStringLiteral("(null)"));   // blanks only are Null too
        expected[12] = QStringLiteral("Fax no.");
        expected[21] = QStringLiteral("Gone");
        expected[26] = QStringLiteral("&Remove");
        QCOMPARE(storedCaptions(p), expected);
        QCOMPARE(p.main().Label1[12]->text() + p.main().Label1[13]->text(), QStringLiteral("Fax no.Mobile"));
        QCOMPARE(p.main().Command1[3]->text() + p.main().chkLapsed->text(), QStringLiteral("&RemoveGone"));
    }

    void restoreDefaultsAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes stores the default texts") << true;
        QTest::newRow("No changes nothing") << false;
    }
    void restoreDefaultsAsksFirst()
    {
        QFETCH(bool, yes);
        TestProgram p;
        p.start();
        frmZelkScreenText w(p.state(), &p.main());
        w.show();
        w.Text1[0]->setText(QStringLiteral("Member no."));
        answer(yes);
        click(w.Command1[0]);
        QCOMPARE(said(0), QStringLiteral("Just checking|Are you sure you want to restore the default text?|YesNo|Question"));
        QCOMPARE(w.isVisible(), !yes);
        QCOMPARE(w.Text1[0]->text(), yes ? QStringLiteral("Number") : QStringLiteral("Member no."));
        const QStringList stored = storedCaptions(p);
        QCOMPARE(stored.count(QStringLiteral("(null)")), yes ? 0 : 27);
        QCOMPARE(stored[21], yes ? QStringLiteral("Membership lapsed") : QStringLiteral("(null)"));
        QCOMPARE(p.main().Label1[10]->text(), yes ? QStringLiteral("Home Phone") : QStringLiteral("Home phone"));
    }
};

ZELK_TEST(ScreenTextTest)
#include "tst_screen_text.moc"
