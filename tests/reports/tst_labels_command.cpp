// "zelk-membership labels-pdf" run as the user runs it, as a process of its own on a register
// of the test's own: the PDF it writes, read back, and what it says when it cannot.
#include "label_pdf.h"

#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/settings_store.h"
#include "data/create_db.h"
#include "engine/database.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

struct Result {
    int exitCode = -1;
    QString out, err;
};

// Runs the program on the world's register and settings.
Result runProgram(const TestWorld& world, const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZELK_HOME", world.folder());
    // The settings file lies at <config>/Zelk2002/Zelk2002.ini.
    env.insert("XDG_CONFIG_HOME", QFileInfo(world.settingsFile()).dir().absolutePath().section('/', 0, -2));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(ZELK_PROGRAM, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A register of `members` members, surnames Member01, Member02, ... (given in reverse, so
// only the surname order puts them right), numbered from 101, without the new register's
// empty member.
void makeRegister(const TestWorld& world, int members)
{
    const QString path = world.file("zelk2002.mdb");
    buildNewDatabase(path);
    auto db = Database::open(path);
    db->execute("DELETE FROM Zelk");
    for (int i = members; i >= 1; --i)
        db->execute(QStringLiteral("INSERT INTO Zelk (Number, Surname, Address1, PostCode) VALUES (%1, \"Member%2\", \"1 high st\", "
                                   "\"ab1 2cd\")")
                        .arg(100 + i)
                        .arg(i, 2, 10, QChar('0')));
}

QString inches(const PdfWord& w)
{
    return w.page == 0 ? QString("not printed") : QStringLiteral("page %1 at %2, %3").arg(w.page).arg(w.left / 72, 0, 'f', 2).arg(w.top / 72, 0, 'f', 2);
}

} // namespace

class LabelsCommandTest : public QObject {
    Q_OBJECT

private slots:
    void labelsInSurnameOrderOnTheDefaultSheet()
    {
        TestWorld world;
        makeRegister(world, 18);
        const QString pdf = world.file("out.pdf");
        const Result r = runProgram(world, {"labels-pdf", pdf, "--number", "--upper", "--start", "5"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QStringLiteral("Wrote 18 labels on 2 sheets of L7160 to %1\n").arg(pdf));
        QCOMPARE(r.exitCode, 0);
        const auto words = pdfWords(pdf);
        QCOMPARE(pdfPageCount(pdf), 2);
        const PdfWord number = findWord(words, "101"), postCode = findWord(words, "2CD");
        const bool numberAfterPostCode = number.page == 1 && number.top == postCode.top && number.left > postCode.right;
        QCOMPARE(QStringList({inches(findWord(words, "MEMBER01")), inches(findWord(words, "MEMBER17")), inches(findWord(words, "MEMBER18")),
                              findWord(words, "HIGH").text}),
                 QStringList({"page 1 at 2.88, 2.13", "page 1 at 5.48, 9.63", "page 2 at 0.28, 0.63", "HIGH"}));
        QVERIFY(numberAfterPostCode);
    }

    void theSheetOfTheUsersSetting()
    {
        TestWorld world;
        makeRegister(world, 3);
        saveSetting(setting::LabelSize, "L7162");
        const QString pdf = world.file("out.pdf");
        QCOMPARE(runProgram(world, {"labels-pdf", pdf}).exitCode, 0);
        const auto words = pdfWords(pdf);
        QCOMPARE(QStringList({inches(findWord(words, "Member01")), inches(findWord(words, "Member03")), findWord(words, "101").text}),
                 QStringList({"page 1 at 0.18, 0.54", "page 1 at 0.18, 1.87", ""}));
    }

    void failures_data()
    {
        QTest::addColumn<int>("members");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no register") << -1 << QStringList{"labels-pdf", "out.pdf"} << 1 << "There is no register at ";
        QTest::newRow("no members") << 0 << QStringList{"labels-pdf", "out.pdf"} << 1
                                    << "The register has no members, so there are no labels to write.\n";
        QTest::newRow("no file named") << 3 << QStringList{"labels-pdf"} << 2
                                       << "labels-pdf needs the name of the PDF file to write, and nothing more.\n";
        QTest::newRow("a start that is no number") << 3 << QStringList{"labels-pdf", "out.pdf", "--start", "five"} << 2
                                                   << "--start needs the position of the first label on the sheet, a whole number from 1.\n";
        QTest::newRow("a start past the sheet's last label") << 3 << QStringList{"labels-pdf", "out.pdf", "--start", "22"} << 1
                                                             << "Label sheet L7160 holds 21 labels, so the first label printed must be one of labels 1 to 21.\n";
        QTest::newRow("a folder that is not there") << 3 << QStringList{"labels-pdf", "no/such/folder/out.pdf"} << 1
                                                    << "The labels could not be written to ";
    }
    void failures()
    {
        QFETCH(int, members);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestWorld world;
        if (members >= 0)
            makeRegister(world, members);
        if (arguments.size() > 1)
            arguments[1] = world.file(arguments[1]);
        const Result r = runProgram(world, arguments);
        QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(!QFileInfo::exists(world.file("out.pdf")));
    }
};

ZELK_TEST(LabelsCommandTest)
#include "tst_labels_command.moc"
