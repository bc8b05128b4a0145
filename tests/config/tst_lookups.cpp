// The lists of membership types and lookups: what they show and highlight, what OK hands
// to the main window, and what Add and Delete store, refuse and keep.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "app/message_box.h"
#include "app/user_dialogs.h"
#include "config/frm_lookups.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(zelk::MsgAnswer)

namespace {

bool isType(const QString& mode) { return mode == QLatin1String("Type"); }
QString tableOf(const QString& mode) { return isType(mode) ? QStringLiteral("Members") : QStringLiteral("Lookups"); }
QString fieldOf(const QString& mode) { return isType(mode) ? QStringLiteral("Member Type") : QStringLiteral("Lookups"); }
int boxOf(const QString& mode) { return isType(mode) ? 20 : 23; }

// The list table's values as the file holds them, in stored order.
QStringList stored(const TestProgram& p, const QString& mode)
{
    auto db = Database::open(p.databasePath());
    QStringList out;
    for (auto rs = db->openRecordset(tableOf(mode)); !rs->eof(); rs->moveNext())
        out << rs->field(fieldOf(mode)).toString();
    return out;
}

QStringList entries(const QListWidget* list, bool highlightedOnly = false)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!highlightedOnly || list->item(i)->isSelected())
            out << list->item(i)->text();
    return out;
}

void clickEntry(QListWidget* list, const QString& text, bool twice = false)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// "title|text|buttons|icon" of every message shown.
QStringList messages()
{
    static const char* const buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
    static const char* const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    QStringList out;
    for (const auto& m : MessageScript::asked())
        out << m.title + u'|' + m.text + u'|' + QLatin1String(buttons[int(m.buttons)]) + u'|' + QLatin1String(icons[int(m.icon)]);
    return out;
}

QString nothingSelected(const QString& mode)
{
    return QStringLiteral("Nothing selected|You haven't selected a %1.|OK|Information")
        .arg(isType(mode) ? QStringLiteral("membership type") : QStringLiteral("lookup"));
}

QString info(const QString& title, const QString& text) { return title + u'|' + text + QStringLiteral("|OK|Information"); }

} // namespace

class LookupsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    std::unique_ptr<frmLookups> w;

    // The register holds member 2, Ames (with `fields`), shown in the main window with
    // `boxValue` in the box the window fills; the list table holds `values` (invalid: Null).
    void open(const QString& mode, const QVariantList& values, const QString& boxValue = {}, const QVariantMap& fields = {})
    {
        p = std::make_unique<TestProgram>();
        QVariantMap ames{{"Number", 2}, {"Surname", "Ames"}, {"Address1", "1 High St"}};
        ames.insert(fields);
        p->addMember(ames);
        auto db = Database::open(p->databasePath());
        auto rs = db->openRecordset(tableOf(mode));
        for (const QVariant& v : values) {
            rs->addNew();
            if (v.isValid())
                rs->setField(fieldOf(mode), v);
            rs->update();
        }
        rs.reset();
        db.reset();
        p->start();
        p->main().cmdNext_Click(3);   // past the new register's empty member
        if (!boxValue.isEmpty()) {
            p->main().setBoxText(boxOf(mode), boxValue);
            p->main().Command1_Click(0);
        }
        p->state().WorkString = mode;
        p->state().LookupField = boxOf(mode);
        w = std::make_unique<frmLookups>(p->state(), &p->main());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

private slots:
    void cleanup()
    {
        QVERIFY(MessageScript::unexpected().isEmpty());
        QCOMPARE(MessageScript::pendingAnswers(), 0);
        QCOMPARE(DialogScript::unexpected(), 0);
        w.reset();
        p.reset();
    }

    void opensOnItsListInAlphabeticalOrder_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("types, Null left out, repeats kept")
            << "Type" << QVariantList{"silver", "Gold", QVariant(), "Émeraude", "bronze", "Gold"}
            << QStringList{"bronze", "Émeraude", "Gold", "Gold", "silver"};
        QTest::newRow("lookups") << "Lookup" << QVariantList{"Walker", QVariant(), "committee"} << QStringList{"committee", "Walker"};
        QTest::newRow("any other mode is the lookups") << "" << QVariantList{"Walker"} << QStringList{"Walker"};
        QTest::newRow("empty table") << "Type" << QVariantList() << QStringList();
    }

    void opensOnItsListInAlphabeticalOrder()
    {
        QFETCH(QString, mode);
        QFETCH(QVariantList, values);
        QFETCH(QStringList, shown);
        open(mode, values);
        QCOMPARE(w->windowTitle(), isType(mode) ? QStringLiteral("Membership Types") : QStringLiteral("Lookups"));
        QCOMPARE(w->cmdAdd->text(), isType(mode) ? QStringLiteral("&Add Membership Type") : QStringLiteral("&Add Lookup"));
        QCOMPARE(entries(w->List1), shown);
        QCOMPARE(p->state().SQLText, QStringLiteral("Select * from ") + tableOf(mode));
    }

    void okFillsTheMainWindowBox_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("boxValue");
        QTest::addColumn<QString>("highlighted");  // as the window opens
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("button");           // 1 OK, 0 Cancel, -1 a double click
        QTest::addColumn<QString>("saved");        // the member's value afterwards
        QTest::newRow("box value highlighted") << "Type" << "Gold" << "Gold" << "" << 1 << "Gold";
        QTest::newRow("click, OK") << "Type" << "Gold" << "Gold" << "Silver" << 1 << "Silver";
        QTest::newRow("double click") << "Lookup" << "" << "" << "Silver" << -1 << "Silver";
        QTest::newRow("cancel") << "Lookup" << "Gold" << "Gold" << "Silver" << 0 << "Gold";
        QTest::newRow("other case: nothing") << "Type" << "gold" << "" << "" << 1 << "gold";
        QTest::newRow("not listed: nothing") << "Lookup" << "Platinum" << "" << "" << 1 << "Platinum";
    }

    void okFillsTheMainWindowBox()
    {
        QFETCH(QString, mode);
        QFETCH(QString, boxValue);
        QFETCH(QString, highlighted);
        QFETCH(QString, clicked);
        QFETCH(int, button);
        QFETCH(QString, saved);
        open(mode, {"Silver", "Gold"}, boxValue);
        QCOMPARE(entries(w->List1, true), highlighted.isEmpty() ? QStringList() : QStringList{highlighted});
        QCOMPARE(w->selectedValue(), highlighted);
        if (!clicked.isEmpty())
            clickEntry(w->List1, clicked, button < 0);
        const bool refused = button == 1 && highlighted.isEmpty() && clicked.isEmpty();
        if (refused)
            MessageScript::answer(MsgAnswer::OK);
        if (button >= 0)
            QTest::mouseClick(w->Command1[size_t(button)], Qt::LeftButton);
        QCOMPARE(messages(), refused ? QStringList{nothingSelected(mode)} : QStringList());
        QCOMPARE(w->isVisible(), refused);
        QCOMPARE(w->result(), int(button != 0 && !refused ? QDialog::Accepted : QDialog::Rejected));

        QCOMPARE(p->main().boxText(boxOf(mode)), saved);
        p->main().Command1_Click(0);
        auto db = Database::open(p->databasePath());
        auto rs = db->openRecordset(QStringLiteral("Select * from Zelk where Number = 2"));
        QCOMPARE(rs->field(isType(mode) ? QStringLiteral("MemberType") : QStringLiteral("Lookup3")).toString(), saved);
    }

    void addStoresTheTrimmedValue_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("type") << "Type" << "Life" << "Life" << QStringList{"Gold", "Life", "silver"};
        QTest::newRow("blanks") << "Lookup" << "  bird watcher \t" << "bird watcher" << QStringList{"bird watcher", "Gold", "silver"};
        QTest::newRow("apostrophe") << "Lookup" << "O'Brien's" << "O'Brien's" << QStringList{"Gold", "O'Brien's", "silver"};
        QTest::newRow("query text") << "Type" << "x') or (1=1) --" << "x') or (1=1) --" << QStringList{"Gold", "silver", "x') or (1=1) --"};
        QTest::newRow("wildcards") << "Lookup" << "[Gold]*?#%" << "[Gold]*?#%" << QStringList{"[Gold]*?#%", "Gold", "silver"};
    }

    void addStoresTheTrimmedValue()
    {
        QFETCH(QString, mode);
        QFETCH(QString, typed);
        QFETCH(QString, value);
        QFETCH(QStringList, shown);
        open(mode, {"silver", "Gold"}, "Gold");
        DialogScript::answerInput(typed);
        QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
        const InputQuestion asked = DialogScript::inputQuestions().value(0);
        QCOMPARE(asked.title, isType(mode) ? QStringLiteral("Add Membership Type") : QStringLiteral("Add Lookup"));
        QCOMPARE(asked.prompt, isType(mode) ? QStringLiteral("Please enter a new membership type") : QStringLiteral("Please enter a new lookup"));
        QCOMPARE(stored(*p, mode), (QStringList{"silver", "Gold", value}));
        QCOMPARE(entries(w->List1), shown);
        QCOMPARE(entries(w->List1, true), QStringList{"Gold"});   // the new value is not selected
        QCOMPARE(w->selectedValue(), QStringLiteral("Gold"));

        // The stored value is found again as a duplicate, and deleted on its own.
        DialogScript::answerInput(typed);
        MessageScript::answer(MsgAnswer::OK);
        w->cmdAdd_Click();
        QCOMPARE(messages(), QStringList{info("Duplicate", QStringLiteral("You already have a ") + value
                                                               + (isType(mode) ? " membership type." : " lookup."))});
        clickEntry(w->List1, value);
        MessageScript::answer(MsgAnswer::Yes);
        w->cmdDelete_Click();
        QCOMPARE(stored(*p, mode), (QStringList{"silver", "Gold"}));
        QCOMPARE(entries(w->List1), (QStringList{"Gold", "silver"}));
    }

    void addRefuses_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QString>("message");   // empty: refused silently
        using Typed = std::optional<QString>;
        QTest::newRow("same") << "Type" << Typed("Gold") << info("Duplicate", "You already have a Gold membership type.");
        QTest::newRow("with blanks") << "Lookup" << Typed("  Gold  ") << info("Duplicate", "You already have a Gold lookup.");
        QTest::newRow("other case") << "Type" << Typed("GOLD") << info("Duplicate", "You already have a GOLD membership type.");
        QTest::newRow("type quote") << "Type" << Typed("6\" ruler")
                                    << info("Can't use a double quote here", "Sorry, but you can't use \" in membership types.");
        QTest::newRow("lookup quote") << "Lookup" << Typed("\"") << info("Can't use a double quote here", "Sorry, but you can't use \" in lookups.");
        QTest::newRow("empty") << "Lookup" << Typed("") << "";
        QTest::newRow("blanks only") << "Type" << Typed("   ") << "";
        QTest::newRow("cancelled") << "Lookup" << Typed() << "";
    }

    void addRefuses()
    {
        QFETCH(QString, mode);
        QFETCH(std::optional<QString>, typed);
        QFETCH(QString, message);
        open(mode, {"Gold"});
        DialogScript::answerInput(typed);
        if (!message.isEmpty())
            MessageScript::answer(MsgAnswer::OK);
        w->cmdAdd_Click();
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(stored(*p, mode), QStringList{"Gold"});
        QCOMPARE(entries(w->List1), QStringList{"Gold"});
    }

    void emptyListRefusesOkAndDeleteButTakesAnAddition()
    {
        open("Lookup", {});
        QCOMPARE(w->List1->count(), 0);
        MessageScript::answer(MsgAnswer::OK);
        MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w->Command1[1], Qt::LeftButton);
        QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
        QCOMPARE(messages(), QStringList(2, nothingSelected("Lookup")));
        DialogScript::answerInput("Committee");
        w->cmdAdd_Click();
        QCOMPARE(stored(*p, "Lookup"), QStringList{"Committee"});
        clickEntry(w->List1, "Committee", true);
        QCOMPARE(p->main().boxText(23), QStringLiteral("Committee"));
    }

    void tooLongValueLeavesNothingPending()
    {
        open("Type", {});
        DialogScript::answerInput(QString(101, u'x'));
        MessageScript::answer(MsgAnswer::OK);
        w->cmdAdd_Click();
        QCOMPARE(messages(), QStringList{QStringLiteral("Unexpected error.|There was an unexpected error, number 3163 in "
                                                        "cmdAdd_Click. Please contact Bramwick for further advice.|OK|Critical")});
        DialogScript::answerInput(QString(100, u'x'));
        w->cmdAdd_Click();
        QCOMPARE(stored(*p, "Type"), QStringList{QString(100, u'x')});
        QCOMPARE(entries(w->List1), QStringList{QString(100, u'x')});
    }

    void deleteIsRefusedWhileAMemberHoldsTheValue_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("inUseSql");
        const auto lookupSql = [](const QString& quoted) {
            QStringList c;
            for (int i = 1; i <= 6; ++i)
                c << QStringLiteral("(Lookup%1 = %2)").arg(i).arg(quoted);
            return QStringLiteral("Select * from Zelk where ") + c.join(QStringLiteral(" or ")) + u' ';
        };
        QTest::newRow("type") << "Type" << "MemberType" << "O'Neill's" << "Select * from Zelk where MemberType = \"O'Neill's\"";
        for (int i = 1; i <= 6; ++i)
            QTest::addRow("Lookup%d", i) << "Lookup" << QStringLiteral("Lookup%1").arg(i) << "Gold" << lookupSql("\"Gold\"");
        QTest::newRow("query text") << "Lookup" << "Lookup4" << "a') or ('1'='1" << lookupSql("\"a') or ('1'='1\"");
    }

    void deleteIsRefusedWhileAMemberHoldsTheValue()
    {
        QFETCH(QString, mode);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, inUseSql);
        open(mode, {"Silver", value}, {}, {{field, value}});
        clickEntry(w->List1, value);
        MessageScript::answer(MsgAnswer::OK);
        w->cmdDelete_Click();
        QCOMPARE(p->state().SQLText, inUseSql);
        QCOMPARE(messages(), QStringList{info("Can't delete at the moment", QStringLiteral("You still have some members with ")
                                                  + (isType(mode) ? "a membership type of " : "a lookup of ") + value + u'.')});
        QCOMPARE(stored(*p, mode), (QStringList{"Silver", value}));
    }

    void deleteAsksAndRemovesOnlyThatValue_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("boxValue");
        QTest::newRow("type, yes") << "Type" << MsgAnswer::Yes << "";
        QTest::newRow("type, no") << "Type" << MsgAnswer::No << "";
        QTest::newRow("lookup, yes, box value listed") << "Lookup" << MsgAnswer::Yes << "Silver";
        QTest::newRow("lookup, no") << "Lookup" << MsgAnswer::No << "Silver";
    }

    void deleteAsksAndRemovesOnlyThatValue()
    {
        QFETCH(QString, mode);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, boxValue);
        // A member holds the value in the other list's field only, which does not count; the
        // value that looks like a wildcard must not take the others with it.
        open(mode, {"Silver", "Gold*", "Gold", "Golden"}, boxValue, {{isType(mode) ? "Lookup2" : "MemberType", "Gold*"}});
        clickEntry(w->List1, "Gold*");
        MessageScript::answer(answer);
        QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{"Just Checking|Are you sure that you want to delete Gold*?|YesNo|Question"});
        if (answer == MsgAnswer::No) {
            QCOMPARE(stored(*p, mode).size(), 4);
            QCOMPARE(entries(w->List1, true), QStringList{"Gold*"});
            return;
        }
        QCOMPARE(stored(*p, mode), (QStringList{"Silver", "Gold", "Golden"}));
        QCOMPARE(entries(w->List1), (QStringList{"Gold", "Golden", "Silver"}));
        // Filled afresh with the main window's value highlighted; the deleted value is not
        // one OK could still hand over.
        QCOMPARE(entries(w->List1, true), boxValue.isEmpty() ? QStringList() : QStringList{boxValue});
        if (boxValue.isEmpty())
            MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w->Command1[1], Qt::LeftButton);
        QCOMPARE(w->isVisible(), boxValue.isEmpty());
        QCOMPARE(p->main().boxText(boxOf(mode)), boxValue);
    }
};

ZELK_TEST(LookupsTest)
#include "tst_lookups.moc"
