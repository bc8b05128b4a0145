// The search window on a real register under the real main window: the field the Sort Order
// menu chooses, what each keystroke shows, and what OK, Cancel and the not-found question
// leave the main window to browse. The queries a search builds have tests of their own.
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "engine/database.h"
#include "engine/recordset.h"
#include "entry/member_boxes.h"
#include "search/frm_search.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

struct Member {
    int number;
    const char* surname;
    const char* postCode;
    const char* type;
    QDate renewal;
};

// Numbered 1 to 10 and 15 upwards (120 only where a test adds it).
const Member kClub[] = {
    {1, "Adams", "AB1 2CD", "Full", QDate(2026, 6, 30)},  {2, "Brown", "AB12 3EF", "Family", {}},
    {3, "Smith", "CD3 4GH", "Junior", QDate(2026, 4, 1)}, {4, "Smithers", "", "Full", QDate(2026, 1, 4)},
    {5, "Smyth", "", "Junior Plus", {}},                   {6, "Jones", "ab1 9zz", "", {}},
    {7, "Wilson", "", "Family", QDate(2026, 4, 1)},       {8, "O'Brien", "", "", {}},
    {9, "Star*Light", "", "", {}},                         {10, "Starling", "", "", {}},
    {15, "Hash#1", "", "", {}},                            {16, "Jameson", "", "", {}},
    {17, "The \"Nook\"", "", "", {}},                      {18, "Sadler", "", "", {}},
    {19, "Smart", "", "", {}}};
constexpr int kClubSize = 15;

enum class Close { None, OK, Cancel, Enter };

} // namespace

Q_DECLARE_METATYPE(Close)
Q_DECLARE_METATYPE(zelk::MsgAnswer)

class SearchWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    std::unique_ptr<frmSearch> w;

    void startClub(const QString& locale, bool with120 = false)
    {
        p = std::make_unique<TestProgram>(locale);
        for (const Member& m : kClub) {
            QVariantMap f{{"Number", m.number}, {"Surname", QString::fromUtf8(m.surname)}, {"Address1", "1 High St"}};
            if (*m.postCode)
                f.insert("PostCode", m.postCode);
            if (*m.type)
                f.insert("MemberType", m.type);
            if (m.renewal.isValid())
                f.insert("RenewDate", m.renewal);
            p->addMember(f);
        }
        if (with120)
            p->addMember({{"Number", 120}, {"Surname", "Zed"}});
        // Without the blank member every new register starts with.
        Database::open(p->databasePath())->execute("Delete from Zelk WHERE Surname = \"\"");
        p->start();
        w = std::make_unique<frmSearch>(p->state(), p->main(), &p->main());
        w->show();
        w->activateWindow();
        QTRY_VERIFY(w->isActiveWindow());
        w->txtSearch->setFocus();
    }
    QString shown() const { return p->main().boxText(kSurnameBox); }
    int membersBrowsed() const { return p->state().rsZelk->recordCount(); }

private slots:
    void cleanup()
    {
        w.reset();
        p.reset();
    }

    // The Sort Order menu chooses the field, the frame's caption and whether "Search anywhere"
    // applies; the field becomes the main window's order.
    void theMenuChoosesTheField_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("anywhere");
        QTest::newRow("Number") << 1 << "Number" << "Search for Number:" << false;
        QTest::newRow("Renewal Date") << 3 << "RenewDate" << "Search for Renewal Date:" << true;
    }
    void theMenuChoosesTheField()
    {
        QFETCH(int, item);
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(bool, anywhere);
        startClub("en_GB");
        w->menuSort[size_t(item)]->trigger();
        QCOMPARE(p->state().SortOrder, field);
        QCOMPARE(w->FrameSearch->title(), caption);
        QCOMPARE(w->chkWildCard->isEnabled(), anywhere);
    }

    // Each keystroke shows the first member that matches so far; typing that matches no-one
    // keeps the member shown. Then the window is closed: OK leaves the matching members to
    // browse, Cancel the members of the last keystroke; the member shown is the current one.
    void searching_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("shownAfterEach");
        QTest::addColumn<Close>("close");
        QTest::addColumn<QString>("shownAtTheEnd");
        QTest::addColumn<int>("browsed");
        const int surname = 4, number = 1, renewal = 3, postCode = 2;
        QTest::newRow("surname, OK") << "en_GB" << surname << QStringList{"s", "m", "i"} << QStringList{"Sadler", "Smart", "Smith"}
                                     << Close::OK << "Smith" << 2;
        QTest::newRow("surname, Cancel") << "en_GB" << surname << QStringList{"sm"} << QStringList{"Smart"} << Close::Cancel << "Smart" << 4;
        QTest::newRow("no-one keeps the member") << "en_GB" << surname << QStringList{"sm", "z"} << QStringList{"Smart", "Smart"}
                                                 << Close::None << "Smart" << 4;
        QTest::newRow("post code") << "en_GB" << postCode << QStringList{"ab1"} << QStringList{"Adams"} << Close::OK << "Adams" << 3;
        QTest::newRow("number: 12 shows 15") << "en_GB" << number << QStringList{"1", "2"} << QStringList{"Adams", "Hash#1"}
                                             << Close::None << "Hash#1" << 5;
        QTest::newRow("number: more than a number") << "en_GB" << number << QStringList{"12", " or 1=1"} << QStringList{"Hash#1", "Hash#1"}
                                                    << Close::None << "Hash#1" << 5;
        QTest::newRow("cleared: the whole register") << "en_GB" << number << QStringList{"9\b"} << QStringList{"Adams"} << Close::OK
                                                     << "Adams" << kClubSize;
        QTest::newRow("renewal date, day first") << "en_GB" << renewal << QStringList{"1/4/26"} << QStringList{"Smith"} << Close::OK
                                                 << "Smith" << 2;
        QTest::newRow("renewal date, month first") << "en_US" << renewal << QStringList{"1/4/2026"} << QStringList{"Smithers"}
                                                   << Close::OK << "Smithers" << 1;
        QTest::newRow("a typed double quote is refused") << "en_GB" << surname << QStringList{"o\"'"} << QStringList{"O'Brien"}
                                                         << Close::Enter << "O'Brien" << 1;
        QTest::newRow("a wildcard matches itself") << "en_GB" << surname << QStringList{"star*"} << QStringList{"Star*Light"}
                                                   << Close::OK << "Star*Light" << 1;
    }
    void searching()
    {
        QFETCH(QString, locale);
        QFETCH(int, item);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, shownAfterEach);
        QFETCH(Close, close);
        QFETCH(QString, shownAtTheEnd);
        QFETCH(int, browsed);
        startClub(locale);
        w->menuSort[size_t(item)]->trigger();
        for (qsizetype k = 0; k < keys.size(); ++k) {
            QTest::keyClicks(w->txtSearch, keys[k]);
            QCOMPARE(shown(), shownAfterEach[k]);
        }
        if (close == Close::OK)
            QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        else if (close == Close::Cancel)
            QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
        else if (close == Close::Enter)
            QTest::keyClick(w->txtSearch, Qt::Key_Return);
        QCOMPARE(w->isVisible(), close == Close::None);
        if (close != Close::None)
            QCOMPARE(w->result(), int(close == Close::Cancel ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(shown(), shownAtTheEnd);
        QCOMPARE(p->state().rsZelk->field("Surname").toString(), shownAtTheEnd);
        QCOMPARE(membersBrowsed(), browsed);
    }

    // "Search anywhere" searches again for the text as it stands.
    void searchingAnywhere()
    {
        startClub("en_GB");
        w->menuSort[4]->trigger();
        QTest::keyClicks(w->txtSearch, "son");
        QCOMPARE(shown(), "Sadler");   // nothing begins with it
        w->chkWildCard->click();
        QCOMPARE(shown(), "Jameson");
        QCOMPARE(membersBrowsed(), 2);
    }

    // Typing 12 shows member 15; OK looks for a number that begins with 12, and finds 120
    // when there is one.
    void okFindsANumberThatBeginsWithTheDigits()
    {
        startClub("en_GB", true);
        w->menuSort[1]->trigger();
        QTest::keyClicks(w->txtSearch, "12");
        QCOMPARE(shown(), "Hash#1");
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QCOMPARE(shown(), "Zed");
        QVERIFY(!w->isVisible());
    }

    // Nothing found on OK: Yes shows the whole register and keeps the window open with the
    // text as typed, selected; No empties the box and closes, on the whole register.
    void notFoundAsksToTryAgain_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("Yes") << MsgAnswer::Yes;
        QTest::newRow("No") << MsgAnswer::No;
    }
    void notFoundAsksToTryAgain()
    {
        QFETCH(MsgAnswer, answer);
        startClub("en_GB");
        w->menuSort[1]->trigger();
        QTest::keyClicks(w->txtSearch, "12");
        test::answer(answer);
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QCOMPARE(asked(), QList<MessageRequest>{question("Search by Number",
                                                                 "I can't find any members to match your selection.\n\n"
                                                                 "Do you want to try again?",
                                                                 MsgAnswer::Yes, MsgIcon::Exclamation)});
        QCOMPARE(shown(), "Adams");
        QCOMPARE(membersBrowsed(), kClubSize);
        const bool yes = answer == MsgAnswer::Yes;
        QCOMPARE(w->isVisible(), yes);
        QCOMPARE(w->txtSearch->text(), yes ? "12" : "");
        if (yes)
            QCOMPARE(w->txtSearch->selectedText(), "12");
    }

    // A click into the box selects its text, so typing replaces it.
    void aClickIntoTheBoxSelectsItsText()
    {
        startClub("en_GB");
        QTest::keyClicks(w->txtSearch, "smi");
        w->cmdOK->setFocus();
        QTest::mouseClick(w->txtSearch, Qt::LeftButton, {}, QPoint(4, w->txtSearch->height() / 2));
        QTRY_COMPARE(w->txtSearch->selectedText(), "smi");
    }
};

ZELK_TEST(SearchWindowTest)
#include "tst_frm_search.moc"
