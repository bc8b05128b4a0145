// The search window on a real register under the real main window: what each keystroke
// shows, what OK, Cancel and the not-found question leave the main window to browse, and
// texts that must find exactly themselves.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "app/message_box.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "entry/member_boxes.h"
#include "search/frm_search.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace zelk;
using zelk::test::TestProgram;

namespace {

struct Member {
    int number;
    const char* surname;
    const char* postCode = nullptr;
    const char* type = nullptr;
    QDate renew = {};
};

// Numbered 1 to 10 and 15 upwards; surnames hold the characters a like pattern treats
// specially, each beside a name that pattern would wrongly take.
const Member kClub[] = {
    {1, "Adams", "AB1 2CD", "Full", QDate(2026, 6, 30)}, {2, "Brown", "AB12 3EF", "Family"},
    {3, "Smith", "CD3 4GH", "Junior", QDate(2026, 4, 1)}, {4, "Smithers", nullptr, "Full", QDate(2026, 1, 4)},
    {5, "Smyth", nullptr, "Junior Plus"}, {6, "Jones", "ab1 9zz"}, {7, "Wilson", nullptr, "Family", QDate(2026, 4, 1)},
    {8, "O'Brien"}, {9, "Star*Light"}, {10, "Starling"}, {15, "Hash#1"}, {16, "Hash12"}, {17, "[Bracket]"},
    {18, "100% Club"}, {19, "1000 Guineas"}, {20, "Who? Knows"}, {21, "Whom"}, {22, "The \"Nook\""},
    {23, "Jameson"}, {24, "Sadler"}, {25, "Smart"}};
constexpr int kClubSize = 21;
const QString kTick = QStringLiteral("(tick Search anywhere)");

std::unique_ptr<TestProgram> startClub(const QString& locale, bool with120 = false)
{
    auto p = std::make_unique<TestProgram>(locale);
    for (const Member& m : kClub) {
        QVariantMap f{{"Number", m.number}, {"Surname", QString::fromUtf8(m.surname)}, {"Address1", "1 High St"}};
        if (m.postCode)
            f.insert("PostCode", m.postCode);
        if (m.type)
            f.insert("MemberType", m.type);
        if (m.renew.isValid())
            f.insert("RenewDate", m.renew);
        p->addMember(f);
    }
    if (with120)
        p->addMember({{"Number", 120}, {"Surname", "Zed"}});
    {   // without the blank member every new register starts with
        auto db = Database::open(p->databasePath());
        auto blank = db->openRecordset(R"(Select * from Zelk WHERE Surname = "")");
        if (!blank->eof())
            blank->deleteCurrent();
    }
    p->start();
    return p;
}

std::unique_ptr<frmSearch> openSearch(TestProgram& p, const QString& field)
{
    p.state().SortOrder = field;
    auto w = std::make_unique<frmSearch>(p.state(), &p.main());
    w->show();
    w->activateWindow();
    // The platform reports the window active before the application has taken it up.
    if (QTest::qWaitFor([&] { return w->isActiveWindow(); }))
        w->txtSearch->setFocus();
    return w;
}

// Typed key by key; a double quote cannot be typed, so a text holding one is pasted.
void enter(frmSearch& w, const QString& text)
{
    if (text == kTick)
        w.chkWildCard->click();
    else if (text.contains(u'"'))
        w.txtSearch->insert(text);
    else
        QTest::keyClicks(w.txtSearch, text);
}

QString shown(TestProgram& p)
{
    return p.main().boxText(kSurnameBox);
}

// The member the main window shows is the current one, the one a save would amend.
bool showsCurrent(TestProgram& p)
{
    return p.state().rsZelk->field("Surname").toString() == shown(p);
}

QString firstOfWholeRegister(TestProgram& p)
{
    return p.state().dbZelk->openRecordset("Select * from Zelk ORDER BY [" + p.state().SortOrder + "]")->field("Surname").toString();
}

} // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sortMenuChoosesTheField_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0") << 0 << "Membership &Type" << "MemberType" << "Search for Membership Type:";
        QTest::newRow("1") << 1 << "&Number" << "Number" << "Search for Number:";
        QTest::newRow("2") << 2 << "&Post Code" << "PostCode" << "Search for Post Code:";
        QTest::newRow("3") << 3 << "&Renewal Date" << "RenewDate" << "Search for Renewal Date:";
        QTest::newRow("4") << 4 << "&Surname" << "Surname" << "Search for Surname:";
    }

    void sortMenuChoosesTheField()
    {
        QFETCH(int, index);
        QFETCH(QString, item);
        QFETCH(QString, field);
        QFETCH(QString, caption);
        auto p = startClub("en_GB");
        auto w = openSearch(*p, "Number");
        QCOMPARE(w->windowTitle(), QString("Zelk Membership Search"));
        QCOMPARE(w->mnuSort->title(), QString("&Sort Order"));
        QCOMPARE(w->FrameSearch->title(), QString("Search for Number:"));
        QVERIFY(!w->chkWildCard->isEnabled());
        QCOMPARE(w->chkWildCard->toolTip(), QString("Tick to find the text anywhere in the field, not only at its start"));
        QVERIFY(w->cmdOK->isDefault());
        QTest::keyClicks(w->txtSearch, "1\"2");
        QCOMPARE(w->txtSearch->text(), QString("12"));
        const QString sql = p->state().SQLText;

        w->menuSort[index]->trigger();
        QCOMPARE(w->menuSort[index]->text(), item);
        QCOMPARE(p->state().SortOrder, field);
        QCOMPARE(w->FrameSearch->title(), caption);
        QCOMPARE(w->chkWildCard->isEnabled(), field != "Number");
        QCOMPARE(p->state().SQLText, sql);   // not searched again until the next change

        // The main window now browses in the new order.
        w->txtSearch->clear();
        QCOMPARE(p->state().SQLText, "Select * from Zelk ORDER BY [" + field + "]");
        QCOMPARE(p->state().rsZelk->recordCount(), kClubSize);
        QCOMPARE(shown(*p), firstOfWholeRegister(*p));
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void eachChangeShowsTheFirstMatch_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("keys");    // entered one after another
        QTest::addColumn<QStringList>("shown");   // the member shown after each
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("okFinds");
        const QString gb = "en_GB", us = "en_US";
        const QString april1 = "Select * from Zelk WHERE RenewDate = #04/01/2026#";
        const auto like = [](const QString& field, const QString& pattern) {
            return "Select * from Zelk WHERE [" + field + "] like \"" + pattern + "\" ORDER BY [" + field + "]";
        };
        QTest::newRow("surname") << gb << "Surname" << QStringList{"s", "m", "i"} << QStringList{"Sadler", "Smart", "Smith"}
                                 << like("Surname", "smi*") << 2 << true;
        QTest::newRow("no one") << us << "Surname" << QStringList{"sm", "z"} << QStringList{"Smart", "Smart"}
                                << like("Surname", "sm*") << 4 << false;
        QTest::newRow("anywhere") << gb << "Surname" << QStringList{"son", kTick} << QStringList{"Sadler", "Jameson"}
                                  << like("Surname", "*son*") << 2 << true;
        QTest::newRow("post code") << us << "PostCode" << QStringList{"ab1"} << QStringList{"Adams"}
                                   << like("PostCode", "ab1*") << 3 << true;
        QTest::newRow("type") << gb << "MemberType" << QStringList{"ju"} << QStringList{"Smith"}
                              << like("MemberType", "ju*") << 2 << true;
        QTest::newRow("number") << gb << "Number" << QStringList{"1", "2"} << QStringList{"Adams", "Hash#1"}
                                << "Select * from Zelk WHERE Number >= 12 ORDER BY [Number]" << 11 << false;
        QTest::newRow("not a number") << us << "Number" << QStringList{"12", " or 1=1"} << QStringList{"Hash#1", "Hash#1"}
                                      << "Select * from Zelk WHERE Number >= 12 ORDER BY [Number]" << 11 << false;
        QTest::newRow("gb date") << gb << "RenewDate" << QStringList{"01/04/2026"} << QStringList{"Smith"} << april1 << 2 << true;
        QTest::newRow("gb short") << gb << "RenewDate" << QStringList{"1/4/26"} << QStringList{"Smith"} << april1 << 2 << true;
        QTest::newRow("gb words") << gb << "RenewDate" << QStringList{"1 April 2026"} << QStringList{"Smith"} << april1 << 2 << true;
        QTest::newRow("gb not a date") << gb << "RenewDate" << QStringList{"1/4/2026", "x"}
                                        << QStringList{"Smith", "Smith"} << april1 << 2 << false;
        QTest::newRow("us date") << us << "RenewDate" << QStringList{"4/1/2026"} << QStringList{"Smith"} << april1 << 2 << true;
        QTest::newRow("us other day") << us << "RenewDate" << QStringList{"1/4/2026"} << QStringList{"Smithers"}
                                      << "Select * from Zelk WHERE RenewDate = #01/04/2026#" << 1 << true;
        QTest::newRow("'") << gb << "Surname" << QStringList{"o'"} << QStringList{"O'Brien"} << like("Surname", "o'*") << 1 << true;
        QTest::newRow("*") << gb << "Surname" << QStringList{"star*"} << QStringList{"Star*Light"}
                           << like("Surname", "star[*]*") << 1 << true;
        QTest::newRow("#") << gb << "Surname" << QStringList{"hash#"} << QStringList{"Hash#1"}
                           << like("Surname", "hash[#]*") << 1 << true;
        QTest::newRow("[") << gb << "Surname" << QStringList{"[br"} << QStringList{"[Bracket]"}
                           << like("Surname", "[[]br*") << 1 << true;
        QTest::newRow("%") << gb << "Surname" << QStringList{"100%"} << QStringList{"100% Club"}
                           << like("Surname", "100%*") << 1 << true;
        QTest::newRow("?") << gb << "Surname" << QStringList{"who?"} << QStringList{"Who? Knows"}
                           << like("Surname", "who[?]*") << 1 << true;
        QTest::newRow("pasted \"") << gb << "Surname" << QStringList{"the \"n"} << QStringList{"The \"Nook\""}
                                   << like("Surname", "the \"\"n*") << 1 << true;
    }

    void eachChangeShowsTheFirstMatch()
    {
        QFETCH(QString, locale);
        QFETCH(QString, field);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, shown);
        QFETCH(QString, sql);
        QFETCH(int, count);
        QFETCH(bool, okFinds);
        auto p = startClub(locale);
        auto w = openSearch(*p, field);
        for (int k = 0; k < keys.size(); ++k) {
            enter(*w, keys[k]);
            QCOMPARE(::shown(*p), shown[k]);
        }
        QCOMPARE(p->state().SQLText, sql);
        QCOMPARE(p->state().rsZelk->recordCount(), count);
        QVERIFY(showsCurrent(*p));
        QVERIFY(MessageScript::asked().isEmpty());
        if (okFinds) {
            QTest::mouseClick(w->cmdOK, Qt::LeftButton);
            QCOMPARE(w->result(), int(QDialog::Accepted));
            QCOMPARE(::shown(*p), shown.last());
            QVERIFY(MessageScript::asked().isEmpty());
        }
    }

    void okAndCancelLeaveTheMembers_data()
    {
        QTest::addColumn<bool>("with120");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer");      // to the not-found question; empty: none asked
        QTest::addColumn<QString>("shown");       // empty: the first of the whole register
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("afterNext");   // shown after Next twice, once closed
        QTest::newRow("ok") << false << "Surname" << "smi" << "ok" << "" << "Smith" << 2 << "Smithers";
        QTest::newRow("enter") << false << "Surname" << "smi" << "enter" << "" << "Smith" << 2 << "Smithers";
        QTest::newRow("cancel") << false << "Surname" << "sm" << "cancel" << "" << "Smart" << 4 << "Smithers";
        QTest::newRow("escape") << false << "Surname" << "sm" << "escape" << "" << "Smart" << 4 << "Smithers";
        // 12 shows member 15 as it is typed; OK goes on to 120, which begins with 12.
        QTest::newRow("ok finds 120") << true << "Number" << "12" << "ok" << "" << "Zed" << 12 << "Zed";
        QTest::newRow("ok, cleared") << false << "Number" << "" << "ok" << "" << "Adams" << kClubSize << "Smith";
        QTest::newRow("no 12, yes") << false << "Number" << "12" << "ok" << "yes" << "" << kClubSize << "";
        QTest::newRow("no 12, no") << false << "Number" << "12" << "enter" << "no" << "" << kClubSize << "Smith";
        QTest::newRow("no smz, yes") << false << "Surname" << "smz" << "ok" << "yes" << "" << kClubSize << "";
        QTest::newRow("not a date, no") << false << "RenewDate" << "30/02/2026" << "ok" << "no" << "" << kClubSize << "";
    }

    void okAndCancelLeaveTheMembers()
    {
        QFETCH(bool, with120);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(int, count);
        QFETCH(QString, afterNext);
        auto p = startClub("en_GB", with120);
        auto w = openSearch(*p, field);
        QTest::keyClicks(w->txtSearch, typed.isEmpty() ? QString("9\b") : typed);
        if (!answer.isEmpty())
            MessageScript::answer(answer == "yes" ? MsgAnswer::Yes : MsgAnswer::No);
        if (action == "ok")
            QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        else if (action == "cancel")
            QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
        else
            QTest::keyClick(w->txtSearch, action == "enter" ? Qt::Key_Return : Qt::Key_Escape);

        QCOMPARE(MessageScript::asked().size(), answer.isEmpty() ? 0 : 1);
        if (!answer.isEmpty()) {
            const MessageRequest& m = MessageScript::asked().first();
            QCOMPARE(m.text, QString("I can't find any members to match your selection.\n\nDo you want to try again?"));
            QCOMPARE(m.title, "Search by " + field);
            QCOMPARE(m.buttons, MsgButtons::YesNo);
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.defaultButton, MsgAnswer::Yes);
            QCOMPARE(p->state().SQLText, "Select * from Zelk ORDER BY [" + field + "]");
        }
        QCOMPARE(::shown(*p), shown.isEmpty() ? firstOfWholeRegister(*p) : shown);
        QVERIFY(showsCurrent(*p));
        QCOMPARE(p->state().rsZelk->recordCount(), count);
        // Yes keeps the window open, with the text as typed, to try again.
        const bool again = answer == "yes";
        QCOMPARE(w->isVisible(), again);
        QCOMPARE(w->txtSearch->text(), answer == "no" ? QString() : typed);
        if (again) {
            QCOMPARE(QApplication::focusWidget(), w->txtSearch);
            QCOMPARE(w->txtSearch->selectedText(), typed);   // entering the box selects its text
        } else {
            QCOMPARE(w->result(), int(action == "ok" || action == "enter" ? QDialog::Accepted : QDialog::Rejected));
        }
        if (!afterNext.isEmpty()) {
            QTest::mouseClick(p->main().cmdNext[2], Qt::LeftButton);
            QTest::mouseClick(p->main().cmdNext[2], Qt::LeftButton);
            QCOMPARE(::shown(*p), afterNext);
        }
        QVERIFY(MessageScript::unexpected().isEmpty());
    }
};

ZELK_TEST(SearchWindowTest)
#include "tst_frm_search.moc"
