// "zelk-membership labels-pdf" run as a process of its own on a register of the test's own:
// the PDF it writes, read back, and what it says when it cannot write one.
#include "label_pdf.h"

#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "data/create_db.h"
#include "engine/database.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

class LabelsCommandTest : public QObject {
    Q_OBJECT

    // The register holds `members` members (none: no register), surnames Member01,
    // Member02, ... given in reverse, so only the surname order puts them right.
    static void makeRegister(const TestWorld& world, int members)
    {
        if (members < 0)
            return;
        buildNewDatabase(world.file("zelk2002.mdb"));
        auto db = Database::open(world.file("zelk2002.mdb"));
        db->execute("DELETE FROM Zelk");
        for (int i = members; i >= 1; --i)
            db->execute(QStringLiteral("INSERT INTO Zelk (Number, Surname, Address1, PostCode) VALUES (%1, \"Member%2\", \"1 high st\", \"ab1 2cd\")")
                            .arg(100 + i)
                            .arg(i, 2, 10, QChar('0')));
    }
    // Runs the program on the world's register; gives its exit code, output and errors.
    static QStringList run(const TestWorld& world, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZELK_HOME", world.folder());
        env.insert("XDG_CONFIG_HOME", QFileInfo(QFileInfo(world.settingsFile()).absolutePath()).absolutePath());   // never the user's own
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(ZELK_PROGRAM, arguments);
        process.waitForFinished(60000);
        return {QString::number(process.exitCode()), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    void labelsInSurnameOrderOnTheDefaultSheet()
    {
        TestWorld world;
        makeRegister(world, 18);
        const QString pdf = world.file("out.pdf");
        QCOMPARE(run(world, {"labels-pdf", pdf, "--number", "--upper", "--start", "5"}),
                 QStringList({"0", "Wrote 18 labels on 2 sheets of L7160 to " + pdf + "\n", ""}));
        const auto words = pdfWords(pdf);
        QCOMPARE(QStringList({placeOf(words, "MEMBER01"), placeOf(words, "MEMBER17"), placeOf(words, "MEMBER18"), findWord(words, "HIGH").text}),
                 QStringList({"page 1 at 2.88, 2.13", "page 1 at 5.48, 9.63", "page 2 at 0.28, 0.63", "HIGH"}));
        const PdfWord number = findWord(words, "101"), postCode = findWord(words, "2CD");
        QVERIFY(number.page == 1 && number.top == postCode.top && number.left > postCode.right);
    }

    void failures_data()
    {
        QTest::addColumn<int>("members");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("exitAndMessage");
        QTest::newRow("no register") << -1 << QStringList{"out.pdf"} << "1 There is no register at ";
        QTest::newRow("no members") << 0 << QStringList{"out.pdf"} << "1 The register has no members, so there are no labels to write.\n";
        QTest::newRow("a start past the sheet's end") << 3 << QStringList{"out.pdf", "--start", "22"}
                                                      << "1 Label sheet L7160 holds 21 labels, so the first label printed must be one of labels 1 to 21.\n";
        QTest::newRow("a folder that is not there") << 3 << QStringList{"no/such/folder/out.pdf"} << "1 The labels could not be written to ";
    }
    void failures()
    {
        QFETCH(int, members);
        QFETCH(QStringList, arguments);
        QFETCH(QString, exitAndMessage);
        TestWorld world;
        makeRegister(world, members);
        if (!arguments.isEmpty())
            arguments[0] = world.file(arguments[0]);
        const QStringList result = run(world, QStringList{"labels-pdf"} + arguments);
        QVERIFY2((result[0] + ' ' + result[2]).startsWith(exitAndMessage), qPrintable(result.join('|')));
        QCOMPARE(result[1], QString());
        QVERIFY(!QFileInfo::exists(world.file("out.pdf")));
    }
};

ZELK_TEST(LabelsCommandTest)
#include "tst_labels_command.moc"
