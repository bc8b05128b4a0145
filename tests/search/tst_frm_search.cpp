// The search window on a real register under the real main window: the field the Sort Order
// menu chooses, what each keystroke shows, texts that must find exactly themselves, and what
// OK, Cancel and the not-found question leave the main window to browse.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "ui/message_box.h"
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
using zelk::test::TestProgram;

namespace {

// Number|Surname|PostCode|MemberType|RenewDate. Numbered 1 to 10 and 15 upwards; surnames
// hold the characters a like pattern treats specially, each beside a name that pattern
// would wrongly take.
const char* const kClub[] = {
    "1|Adams|AB1 2CD|Full|2026-06-30", "2|Brown|AB12 3EF|Family", "3|Smith|CD3 4GH|Junior|2026-04-01",
    "4|Smithers||Full|2026-01-04", "5|Smyth||Junior Plus", "6|Jones|ab1 9zz", "7|Wilson||Family|2026-04-01", "8|O'Brien",
    "9|Star*Light", "10|Starling", "15|Hash#1", "16|Hash12", "17|[Bracket]", "18|100% Club", "19|1000 Guineas",
    "20|Who? Knows", "21|Whom", "22|The \"Nook\"", "23|Jameson", "24|Sadler", "25|Smart"};
constexpr int kClubSize = 21;
const QString kTick = QStringLiteral("(tick Search anywhere)"), kPaste = QStringLiteral("(paste)");

std::unique_ptr<TestProgram> startClub(const QString& locale, bool with120)
{
    auto p = std::make_unique<TestProgram>(locale);
    for (const char* member : kClub) {
        const QStringList v = QString::fromUtf8(member).split(u'|');
        QVariantMap f{{"Number", v[0].toInt()}, {"Surname", v[1]}, {"Address1", "1 High St"}};
        for (int i = 2; i < v.size(); ++i)
            if (!v[i].isEmpty())
                f.insert(QStringList{"PostCode", "MemberType", "RenewDate"}[i - 2], i == 4 ? QVariant(QDate::fromString(v[i], Qt::ISODate)) : v[i]);
        p->addMember(f);
    }
    if (with120)
        p->addMember({{"Number", 120}, {"Surname", "Zed"}});
    // Without the blank member every new register starts with.
    Database::open(p->databasePath())->execute(R"(Delete from Zelk WHERE Surname = "")");
    p->start();
    return p;
}

QString shown(TestProgram& p) { return p.main().boxText(kSurnameBox); }

// Typed into the box one after another (or pasted, or the box ticked) under the locale (empty:
// under en_GB and en_US both), with the member shown after each; then the window closed, the
// not-found question answered; the member shown (empty: the first of the whole register) and
// then after Next twice, and how many members the main window browses.
struct Search { QString locale{}, field{}; QStringList keys{}, shown{}; QString close{}, answer{}, after{}; int count = 0; bool with120 = false; };

} // namespace

Q_DECLARE_METATYPE(Search)

class SearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(MessageScript::unexpected().isEmpty()); }

    void searching_data()
    {
        QTest::addColumn<Search>("c");
        const auto row = [](const char* name, const Search& c) {
            for (const char* locale : {"en_GB", "en_US"}) {
                Search r = c;
                r.locale = QString::fromLatin1(locale);
                if (c.locale.isEmpty() || c.locale == r.locale)
                    QTest::addRow("%s, %s", name, locale) << r;
            }
        };
        row("surname, OK", {.field = "Surname", .keys = {"s", "m", "i"}, .shown = {"Sadler", "Smart", "Smith"}, .close = "ok", .after = "Smith|Smithers", .count = 2});
        row("surname, Cancel", {.field = "Surname", .keys = {"sm"}, .shown = {"Smart"}, .close = "cancel", .after = "Smart|Smithers", .count = 4});
        row("no one", {.field = "Surname", .keys = {"sm", "z"}, .shown = {"Smart", "Smart"}, .count = 4});
        row("no one, OK, Yes", {.field = "Surname", .keys = {"smz"}, .shown = {"Smart"}, .close = "ok", .answer = "yes", .count = kClubSize});
        row("anywhere", {.field = "Surname", .keys = {"son", kTick}, .shown = {"Sadler", "Jameson"}, .close = "ok", .after = "Jameson", .count = 2});
        row("post code", {.field = "PostCode", .keys = {"ab1"}, .shown = {"Adams"}, .close = "ok", .after = "Adams", .count = 3});
        row("type", {.field = "MemberType", .keys = {"ju"}, .shown = {"Smith"}, .close = "ok", .after = "Smith", .count = 2});
        // 12 shows member 15 as it is typed; OK then finds 120, which begins with 12, or asks.
        row("number", {.field = "Number", .keys = {"1", "2"}, .shown = {"Adams", "Hash#1"}, .count = 11});
        row("number, OK finds 120", {.field = "Number", .keys = {"12"}, .shown = {"Hash#1"}, .close = "ok", .after = "Zed|Zed", .count = 12, .with120 = true});
        row("number, no 12, Yes", {.field = "Number", .keys = {"12"}, .shown = {"Hash#1"}, .close = "ok", .answer = "yes", .count = kClubSize});
        row("number, no 12, No", {.field = "Number", .keys = {"12"}, .shown = {"Hash#1"}, .close = "enter", .answer = "no", .after = "|Smith", .count = kClubSize});
        row("not a number", {.field = "Number", .keys = {"12", " or 1=1"}, .shown = {"Hash#1", "Hash#1"}, .count = 11});
        row("cleared, OK", {.field = "Number", .keys = {"9\b"}, .shown = {"Adams"}, .close = "ok", .after = "Adams|Smith", .count = kClubSize});
        row("date", {.locale = "en_GB", .field = "RenewDate", .keys = {"01/04/2026"}, .shown = {"Smith"}, .close = "ok", .after = "Smith|Wilson", .count = 2});
        row("short date", {.locale = "en_GB", .field = "RenewDate", .keys = {"1/4/26"}, .shown = {"Smith"}, .count = 2});
        row("date in words", {.locale = "en_GB", .field = "RenewDate", .keys = {"1 April 2026"}, .shown = {"Smith"}, .count = 2});
        row("not a date", {.locale = "en_GB", .field = "RenewDate", .keys = {"1/4/2026", "x"}, .shown = {"Smith", "Smith"}, .count = 2});
        row("not a date, No", {.locale = "en_GB", .field = "RenewDate", .keys = {"30/02/2026"}, .close = "ok", .answer = "no", .count = kClubSize});
        row("date", {.locale = "en_US", .field = "RenewDate", .keys = {"4/1/2026"}, .shown = {"Smith"}, .close = "ok", .after = "Smith", .count = 2});
        row("other day", {.locale = "en_US", .field = "RenewDate", .keys = {"1/4/2026"}, .shown = {"Smithers"}, .close = "ok", .after = "Smithers", .count = 1});
        row("' (a \" typed is refused)", {.field = "Surname", .keys = {"o\"'"}, .shown = {"O'Brien"}, .close = "ok", .after = "O'Brien", .count = 1});
        row("*", {.field = "Surname", .keys = {"star*"}, .shown = {"Star*Light"}, .close = "ok", .after = "Star*Light", .count = 1});
        row("#", {.field = "Surname", .keys = {"hash#"}, .shown = {"Hash#1"}, .close = "ok", .after = "Hash#1", .count = 1});
        row("[", {.field = "Surname", .keys = {"[br"}, .shown = {"[Bracket]"}, .close = "ok", .after = "[Bracket]", .count = 1});
        row("%", {.field = "Surname", .keys = {"100%"}, .shown = {"100% Club"}, .close = "ok", .after = "100% Club", .count = 1});
        row("?", {.field = "Surname", .keys = {"who?"}, .shown = {"Who? Knows"}, .close = "ok", .after = "Who? Knows", .count = 1});
        row("pasted \"", {.field = "Surname", .keys = {kPaste + "the \"n"}, .shown = {"The \"Nook\""}, .close = "ok", .after = "The \"Nook\"", .count = 1});
    }
    void searching()
    {
        QFETCH(Search, c);
        auto p = startClub(c.locale, c.with120);
        frmSearch w(p->state(), &p->main());
        w.show();
        w.activateWindow();
        // The platform reports the window active before the application has taken it up.
        if (QTest::qWaitFor([&] { return w.isActiveWindow(); }))
            w.txtSearch->setFocus();
        // The Sort Order menu chooses the field, its caption and whether "Search anywhere" applies.
        const int item = QStringList{"MemberType", "Number", "PostCode", "RenewDate", "Surname"}.indexOf(c.field);
        w.menuSort[item]->trigger();
        QCOMPARE(w.FrameSearch->title() + (w.chkWildCard->isEnabled() ? "|anywhere" : ""),
                 (QStringList{"Search for Membership Type:|anywhere", "Search for Number:", "Search for Post Code:|anywhere",
                              "Search for Renewal Date:|anywhere", "Search for Surname:|anywhere"}[item]));
        for (int k = 0; k < c.keys.size(); ++k) {
            if (c.keys[k] == kTick)
                w.chkWildCard->click();
            else if (c.keys[k].startsWith(kPaste))
                w.txtSearch->insert(c.keys[k].mid(kPaste.size()));
            else
                QTest::keyClicks(w.txtSearch, c.keys[k]);
            if (k < c.shown.size())
                QCOMPARE(shown(*p), c.shown[k]);
        }
        const QString typed = w.txtSearch->text();
        if (!c.answer.isEmpty())
            MessageScript::answer(c.answer == "yes" ? MsgAnswer::Yes : MsgAnswer::No);
        if (c.close == "ok" || c.close == "cancel")
            QTest::mouseClick(c.close == "ok" ? w.cmdOK : w.cmdCancel, Qt::LeftButton);
        else if (!c.close.isEmpty())
            QTest::keyClick(w.txtSearch, c.close == "enter" ? Qt::Key_Return : Qt::Key_Escape);

        QStringList asked;
        for (const MessageRequest& m : MessageScript::asked())
            asked << m.title + u'|' + m.text + (m.buttons == MsgButtons::YesNo && m.icon == MsgIcon::Exclamation && m.defaultButton == MsgAnswer::Yes ? "|YesNo/Yes|Exclamation" : "|?");
        QCOMPARE(asked, QStringList(c.answer.isEmpty() ? 0 : 1, "Search by " + c.field + "|I can't find any members to match your selection.\n\nDo you want to try again?|YesNo/Yes|Exclamation"));
        // The member shown is the current one, the one a save would amend, among those the main window browses.
        const QString first = p->state().dbZelk->openRecordset("Select * from Zelk ORDER BY [" + c.field + "]")->field("Surname").toString();
        const QStringList after = c.after.split(u'|');
        const QString expected = c.close.isEmpty() ? c.shown.last() : after[0].isEmpty() ? first : after[0];
        QCOMPARE(shown(*p) + u'|' + p->state().rsZelk->field("Surname").toString() + u'|' + QString::number(p->state().rsZelk->recordCount()),
                 expected + u'|' + expected + u'|' + QString::number(c.count));
        // Yes keeps the window open, with the text as typed and selected, to try again.
        QCOMPARE(w.isVisible(), c.close.isEmpty() || c.answer == "yes");
        QCOMPARE(w.txtSearch->text(), c.answer == "no" ? QString() : typed);
        if (c.answer == "yes")
            QCOMPARE(QApplication::focusWidget() == w.txtSearch ? w.txtSearch->selectedText() : QString("(not focused)"), typed);
        else if (!c.close.isEmpty())
            QCOMPARE(w.result(), int(c.close == "ok" || c.close == "enter" ? QDialog::Accepted : QDialog::Rejected));
        if (after.size() > 1) {
            QTest::mouseClick(p->main().cmdNext[2], Qt::LeftButton);
            QTest::mouseClick(p->main().cmdNext[2], Qt::LeftButton);
            QCOMPARE(shown(*p), after[1]);
        }
    }
};

ZELK_TEST(SearchWindowTest)
#include "tst_frm_search.moc"
