// The report commands run as the program itself, on a register of the test's own with
// members whose texts must come through exactly: what they write, where, and how they
// fail.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "engine/database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace zelk::test;

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

// The program run with `arguments` in `folder`, in an English (UK) desktop session of its own.
Run run(const TestWorld& world, const QStringList& arguments, const QString& folder = {})
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELK_HOME"), world.folder());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), world.file(QStringLiteral("config")));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(folder.isEmpty() ? world.folder() : folder);
    program.start(QStringLiteral(ZELK_PROGRAM), arguments);
    Run r;
    if (!program.waitForFinished(60000))
        return r;
    r.code = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
    r.out = QString::fromUtf8(program.readAllStandardOutput());
    r.err = QString::fromUtf8(program.readAllStandardError());
    return r;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
}

// Two members whose texts a careless writer would break (the markup sorts before the letters);
// the register's placeholder removed.
void addTrickyMembers(TestProgram& p)
{
    p.addMember({{"Number", 1234}, {"Title", "Mr"}, {"FirstName", "Tom"}, {"Surname", "<b>Smith & Sons</b>"}, {"Address1", "\"The\" Mill, Lane"},
                 {"PostCode", "AB1 2CD"}, {"Phone", "01234 567890"}, {"RenewDate", QDate(2026, 4, 1)}, {"FeePaid", 12.5}, {"Lapsed", true}});
    p.addMember({{"Number", 7}, {"FirstName", "Zoë"}, {"Surname", "Ärmel"}, {"Address1", "Line one\nLine two"}});
    zelk::runSql(zelk::Database::open(p.databasePath())->handle(), QStringLiteral("DELETE FROM Zelk WHERE Surname = ''"));
}

const QByteArray kHeader =
    "\"Number\",\"Join Date\",\"Renewal Date\",\"Birthday\",\"Fee Paid\",\"Title\",\"First Name\",\"Surname\",\"Address 1\","
    "\"Address 2\",\"Address 3\",\"Address 4\",\"Address 5\",\"Post Code\",\"Phone\",\"Work Phone\",\"Fax\",\"Mobile\","
    "\"Email 1\",\"Email 2\",\"Web address\",\"Membership Type\",\"Lookup 1\",\"Lookup 2\",\"Lookup 3\",\"Lookup 4\","
    "\"Lookup 5\",\"Lookup 6\",\"Lapsed\"\r\n";

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void exportToTheProgramFolder()
    {
        TestProgram p;
        addTrickyMembers(p);
        const Run r = run(p.world(), {QStringLiteral("export-csv")});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        const QString file = p.world().file(QStringLiteral("report.txt"));
        QCOMPARE(r.out, "Data exported to " + file + "\n");
        QCOMPARE(readFile(file),
                 kHeader
                     + "\"1234\",\"\",\"Wednesday, 1 April 2026\",\"\",\"£12.50\",\"Mr\",\"Tom\",\"<b>Smith & Sons</b>\",\"\"\"The\"\" Mill, Lane\","
                       "\"\",\"\",\"\",\"\",\"AB1 2CD\",\"01234 567890\"" + QByteArray(",\"\"").repeated(13) + ",\"TRUE\"\r\n"
                     + "\"7\",\"\",\"\",\"\",\"\",\"\",\"Zoë\",\"Ärmel\",\"Line one\nLine two\"" + QByteArray(",\"\"").repeated(19)
                     + ",\"FALSE\"\r\n");
    }

    void exportUpperCaseToAFileNamed()
    {
        TestProgram p;
        addTrickyMembers(p);
        const QString folder = p.world().file(QStringLiteral("my exports"));
        QDir().mkpath(folder);
        const Run r = run(p.world(), {QStringLiteral("export-csv"), QStringLiteral("--upper"), QStringLiteral("members.csv")}, folder);
        QCOMPARE(r.code, 0);
        const QByteArray written = readFile(folder + "/members.csv");
        QVERIFY(written.contains("\"WEDNESDAY, 1 APRIL 2026\",\"\",\"£12.50\",\"MR\",\"TOM\",\"<B>SMITH & SONS</B>\""));
        QVERIFY(!QFile::exists(p.world().file(QStringLiteral("report.txt"))));
    }

    void listWithOptions()
    {
        TestProgram p;
        addTrickyMembers(p);
        const Run r = run(p.world(), {QStringLiteral("list-html"), QStringLiteral("list.htm"), QStringLiteral("--heading"),
                                      QStringLiteral("Members & friends"), QStringLiteral("--surname-first"), QStringLiteral("--upper"),
                                      QStringLiteral("--include"), QStringLiteral("number,phone"), QStringLiteral("--include"),
                                      QStringLiteral("renewal")});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "List report written to " + p.world().file(QStringLiteral("list.htm")) + "\n");
        QCOMPARE(readFile(p.world().file(QStringLiteral("list.htm"))),
                 "\xEF\xBB\xBF<html><head><title>\r\nZelk Membership Report\r\n</title></head><body>\r\n<table width=\"100%\">\r\n"
                 "<h2 align=center>MEMBERS &amp; FRIENDS</h2>\r\n"
                 "<tr><td align=right>1,234&nbsp;</td><td>&lt;B&gt;SMITH &amp; SONS&lt;/B&gt;, MR TOM, &quot;THE&quot; MILL, LANE, AB1 2CD</td>"
                 "<td>01234 567890</td><td>WEDNESDAY, 1 APRIL 2026</td></tr>\r\n"
                 "<tr><td align=right>7&nbsp;</td><td>ÄRMEL, ZOË, LINE ONE\nLINE TWO</td><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n"
                 "</table></body></html>\r\n");
    }

    // Each failure says why on standard error, exits non-zero and leaves no file behind.
    void failures()
    {
        TestProgram p;
        const Run noRegister = run(p.world(), {QStringLiteral("export-csv")});
        QCOMPARE(noRegister.code, 1);
        QCOMPARE(noRegister.err, "There is no register at " + p.databasePath()
                                     + ". Start Zelk Membership once to make one, or set ZELK_HOME to the folder that holds zelk2002.mdb.\n");
        QVERIFY(!QFile::exists(p.world().file(QStringLiteral("report.txt"))));

        addTrickyMembers(p);
        const Run noFolder = run(p.world(), {QStringLiteral("list-html"), p.world().file(QStringLiteral("gone/list.htm"))});
        QCOMPARE(noFolder.code, 1);
        QVERIFY2(noFolder.err.startsWith("Could not write " + p.world().file(QStringLiteral("gone/list.htm")) + ": "), qPrintable(noFolder.err));
        QCOMPARE(noFolder.out, QString());

        QDir().mkpath(p.world().file(QStringLiteral("report.txt")));   // a folder where the file should go
        const Run folder = run(p.world(), {QStringLiteral("export-csv")});
        QCOMPARE(folder.code, 1);
        QVERIFY2(folder.err.startsWith("Could not write " + p.world().file(QStringLiteral("report.txt")) + ": "), qPrintable(folder.err));

        const Run unknown = run(p.world(), {QStringLiteral("list-html"), QStringLiteral("--include"), QStringLiteral("phone,fax")});
        QCOMPARE(unknown.code, 2);
        QCOMPARE(unknown.err, QStringLiteral("--include does not know \"fax\"; it takes phone,type,renewal,lookups,number,birthday,email.\n"));
        const Run twoFiles = run(p.world(), {QStringLiteral("export-csv"), QStringLiteral("a.csv"), QStringLiteral("b.csv")});
        QCOMPARE(twoFiles.code, 2);
        QVERIFY(!QFile::exists(p.world().file(QStringLiteral("report.htm"))) && !QFile::exists(p.world().file(QStringLiteral("a.csv"))));
    }
};

ZELK_TEST(ReportCommandsTest)
#include "tst_report_commands.moc"
