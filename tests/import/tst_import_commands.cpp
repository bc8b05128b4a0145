// The imports as commands, run as the program itself in a process of its own: what they
// add, what they print, and how they fail.
#include "dos_fixture.h"
#include "import_register.h"

#include "testlib/test_registry.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;
using zelk::test::ImportRegister;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// zelk-membership with `arguments`, with `folder` as the program's folder.
Run run(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELK_HOME"), folder);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(folder).filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(ZELK_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// The same on the register of the test's program folder.
Run run(ImportRegister& r, const QStringList& arguments)
{
    return run(r.world().folder(), arguments);
}

} // namespace

class ImportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void importText_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QStringList>("members");   // Number|Surname|PostCode|JoinDate; "1|||<null>" is the blank member of a new register
        const QByteArray club = "Number,Surname,Post Code,Join Date\r\n12,\"Smith, J\",LS1 1AA,1/4/2026\r\n13,Adams,,\r\n";
        QTest::newRow("columns by their names") << club << QStringList{"--separator", "comma"} << 0 << "2\n" << ""
                                                << QStringList{"12|Smith, J|LS1 1AA|2026-04-01", "13|Adams|<null>|<null>"};
        QTest::newRow("columns chosen") << club << QStringList{"--separator", "comma", "--map", "number,,surname"} << 0 << "2\n" << ""
                                        << QStringList{"12|LS1 1AA|<null>|<null>", "13|<null>|<null>|<null>"};
        QTest::newRow("no field chosen") << club << QStringList{} << 1 << ""
                                         << "You must choose at least one field to import.\n\n" << QStringList{"1|||<null>"};
        QTest::newRow("no such field") << club << QStringList{"--map", "Number,Colour"} << 2 << ""
                                       << "\"Colour\" in --map is not a field a file can be imported into." << QStringList{"1|||<null>"};
    }
    void importText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QStringList, members);
        ImportRegister r;
        const QString path = r.writeFile(QStringLiteral("members list.csv"), file);
        const Run result = run(r, QStringList{"import-text", path} + options);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, out);
        QVERIFY2(err.isEmpty() ? result.err.isEmpty() : result.err.contains(err), qPrintable(result.err));
        QCOMPARE(r.rows("Select Number, Surname, PostCode, JoinDate from Zelk ORDER BY Number"), members);
    }

    void importTextIntoAFolderWithoutARegisterMakesOne()
    {
        QTemporaryDir home;
        QFile file(home.filePath(QStringLiteral("members.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Surname,Post Code\nSmith,LS1 1AA\n");
        file.close();
        const QString path = home.filePath(QStringLiteral("zelk2002.mdb"));

        const Run result = run(home.path(), {"import-text", file.fileName(), "--separator", "comma"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QStringLiteral("1\n"));
        QVERIFY2(result.err.contains("There was no register at " + path + ", so a new one was made.\n"), qPrintable(result.err));
        QVERIFY(QFileInfo::exists(path));

        // The export does not make a register: it has nothing to export.
        QTemporaryDir empty;
        const Run exported = run(empty.path(), {"export-csv", empty.filePath(QStringLiteral("out.csv"))});
        QCOMPARE(exported.exitCode, 1);
        QVERIFY(!QFileInfo::exists(empty.filePath(QStringLiteral("zelk2002.mdb"))));
    }

    void importDos()
    {
        ImportRegister r;
        const test::FakePrograms programs(r.world().folder(), r.world().file("runs.log"));
        const QString dos = r.world().file("DOS Data") + QDir::separator();
        test::writeDosFile(dos, "ZELK.DAT", test::dosMemberLine("7", "82274", "0", "5", "MRS", "ANN", "SMITH"));
        test::writeDosFile(dos, "TYP_LOOK.DAT", "\"FULL\",\"\"\r\n");

        const Run noPrograms = run(r, {"import-dos", dos});
        QCOMPARE(noPrograms.exitCode, 1);
        QCOMPARE(noPrograms.err, QStringLiteral("You don't appear to have downloaded the DOS conversion files yet.\n\n"
                                                "I can't do the conversion for you without these.\n\n"));
        QCOMPARE(r.rows("Select Number from Zelk"), QStringList{"1"});

        programs.add("CFIL");
        programs.add("CCVT");
        const Run converted = run(r, {"import-dos", dos, "--mixed-case", "--birthday"});
        QCOMPARE(converted.err, QString());
        QCOMPARE(converted.exitCode, 0);
        QCOMPARE(converted.out, QStringLiteral("1\n"));
        QCOMPARE(r.rows("Select Number, Title, FirstName, Surname, Birthday, RenewDate from Zelk"),
                 QStringList{"7|Mrs|Ann|Smith|<null>|<null>"});
        QCOMPARE(r.rows("Select [Member Type] from Members"), QStringList{"Full"});
    }
};

ZELK_TEST(ImportCommandsTest)
#include "tst_import_commands.moc"
