// What every importer shares: one transaction for the whole import, the blank member of a
// new register removed inside it, and the shared record sets reopened afterwards.
#include "import_register.h"

#include "testlib/test_registry.h"

#include <QTest>

using namespace zelk;
using namespace zelk::import;
using zelk::test::ImportRegister;
using zelk::test::messagesShown;

namespace {

// Adds a member and a membership type through the shared record sets, as an importer does.
void addThroughState(AppState& s, int number, const QString& surname)
{
    s.rsZelk->addNew();
    s.rsZelk->setField(QStringLiteral("Number"), number);
    s.rsZelk->setField(QStringLiteral("Surname"), surname);
    s.rsZelk->update();
    s.rsMemberTypes->addNew();
    s.rsMemberTypes->setField(QStringLiteral("Member Type"), QStringLiteral("Type of ") + surname);
    s.rsMemberTypes->update();
}

QStringList surnames(AppState& s)
{
    QStringList out;
    for (s.rsZelk->moveFirst(); !s.rsZelk->eof(); s.rsZelk->moveNext())
        out << s.rsZelk->field(QStringLiteral("Surname")).toString();
    return out;
}

} // namespace

class MemberImportTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(MessageScript::unexpected().isEmpty()); }

    // The blank member number 1 goes only when it is there; one that carries a name stays.
    void placeholderRemoval_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("new register") << "" << true << QStringList{"Brown", "Carter"};
        QTest::newRow("number 1 has a name") << "named" << false << QStringList{"Adams", "Brown", "Carter"};
        QTest::newRow("number 1 blank twice: one goes") << "twice" << true << QStringList{"", "Brown", "Carter"};
        QTest::newRow("names of blanks only") << "blanks" << true << QStringList{"Brown", "Carter"};
    }
    void placeholderRemoval()
    {
        QFETCH(QString, before);
        QFETCH(bool, removed);
        QFETCH(QStringList, after);
        ImportRegister r;
        if (before == "named") {
            r.removePlaceholder();
            r.addMember({{"Number", 1}, {"Surname", "Adams"}, {"FirstName", ""}});
        } else if (before == "twice") {
            r.addMember({{"Number", 1}, {"Surname", ""}, {"FirstName", ""}});
        } else if (before == "blanks") {
            r.removePlaceholder();
            r.addMember({{"Number", 1}, {"Surname", "   "}, {"FirstName", " "}});
        }
        AppState& s = r.state();
        const QString lastNumber = r.rows("Select LastNumber from Settings").join(',');
        const ImportResult result = runImport(s, ImportMode::Store, r.callbacks(), [&] {
            addThroughState(s, 7, "Brown");
            addThroughState(s, 8, "Carter");
            return 2;
        });
        QCOMPARE(int(result.status), int(ImportResult::Status::Stored));
        QCOMPARE(result.membersAdded, 2);
        QCOMPARE(result.placeholderRemoved, removed);
        // Afterwards the members are shown in the sort order, from the register as stored.
        QCOMPARE(s.SQLText, QStringLiteral("Select * from Zelk ORDER BY Surname"));
        QCOMPARE(surnames(s), after);
        QCOMPARE(s.rsMemberTypes->recordCount(), 2);
        QCOMPARE(r.rows("Select Surname from Zelk ORDER BY Surname").replaceInStrings("<null>", ""), after);
        QCOMPARE(r.rows("Select LastNumber from Settings").join(','), lastNumber);
    }

    // Stopped by the work, refused by the register, or only a check: the register is left
    // exactly as it was, and the record sets show it as it is.
    void nothingKept_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("stopped") << "stop" << int(ImportResult::Status::Stopped) << QStringList{};
        QTest::newRow("checked") << "check" << int(ImportResult::Status::Checked) << QStringList{};
        QTest::newRow("held by another program")
            << "locked" << int(ImportResult::Status::Stopped)
            << QStringList{"Import not stored | OK Critical OK | Sorry, but the register could not store this import.\n\n"
                           "Could not update; currently locked by another session on this machine. (error 3218)\n\n"
                           "Nothing from it has been added, so it can simply be imported again once the problem is put "
                           "right: close any other program that has the register open, or make space on the disk."};
    }
    void nothingKept()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        QFETCH(QStringList, messages);
        ImportRegister r;
        r.addMember({{"Number", 5}, {"Surname", "Adams"}});
        const QStringList before = r.everything();
        AppState& s = r.state();
        for (qsizetype m = 0; m < messages.size(); ++m)
            MessageScript::answer(MsgAnswer::OK);
        // Another program that is writing to the register holds it until it is done.
        std::unique_ptr<Database> other;
        if (how == "locked") {
            other = Database::open(r.path());
            runSql(other->handle(), QStringLiteral("BEGIN IMMEDIATE"));
        }
        const ImportResult result = runImport(s, how == "check" ? ImportMode::Check : ImportMode::Store, r.callbacks(), [&] {
            addThroughState(s, 7, "Brown");
            addThroughState(s, 8, "Carter");
            if (how == "stop")
                throw ImportStopped();
            return 2;
        });
        if (other)
            runSql(other->handle(), QStringLiteral("ROLLBACK"));
        QCOMPARE(int(result.status), status);
        QCOMPARE(result.membersAdded, how == "check" ? 2 : 0);
        QCOMPARE(messagesShown(), messages);
        QCOMPARE(r.everything(), before);
        QVERIFY(!s.dbZelk->inTransaction());
        QCOMPARE(surnames(s), (QStringList{"", "Adams"}));
        QCOMPARE(s.rsMemberTypes->recordCount(), 0);
        QCOMPARE(s.SQLText, QStringLiteral("Select * from Zelk ORDER BY Surname"));
    }
};

ZELK_TEST(MemberImportTest)
#include "tst_member_import.moc"
