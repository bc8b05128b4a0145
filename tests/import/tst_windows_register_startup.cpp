// Start-up finding the Windows program's register at the register's path: it asks, Yes
// converts and opens the register, No ends the program touching nothing, and the next
// start opens the converted register without asking.
#include "jet_test_support.h"

#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "import/windows_register_question.h"
#include "ui/frm_splash.h"
#include "ui/startup.h"

#include <QDir>
#include <QFile>

using namespace zelk;
using namespace zelk::test;

namespace {

// Start-up as the program runs it, with the conversion offered; the main window is only noted.
QString start(AppState& state)
{
    setForeignRegisterHandler(askToConvertWindowsRegister);
    frmSplash splash;
    bool shown = false;
    const bool started = runStartup(state, splash, [&](AppState&) { shown = true; });
    setForeignRegisterHandler({});
    return QLatin1String(started && shown ? "started" : started ? "started without a main window" : shown ? "stopped after the main window" : "stopped");
}

QString placeAsRegister(TestProgram& p, const QString& testFile)
{
    return copyOfTestFile(testFile, p.databasePath());
}

QString question(const QString& path)
{
    return QStringLiteral("Register of the Windows program | YesNo Question Yes | The file %1 is a membership register kept by "
                          "the Windows program, which this version of Zelk Membership cannot open as it is.\n\n"
                          "Do you want to convert it now? Its members, settings, screen texts, membership types, lookups and "
                          "label sheets are copied into a new register in its place, and the original file is kept beside it "
                          "as zelk2002.mdb.windows.\n\n"
                          "If you answer No, Zelk Membership closes and the file is left as it is.")
        .arg(path);
}

} // namespace

class WindowsRegisterStartupTest : public QObject {
    Q_OBJECT

private slots:
    void yesConvertsAndTheRegisterOpens()
    {
        TestProgram p;
        const QString path = placeAsRegister(p, QStringLiteral("zelk2002.mdb"));
        MessageScript::answer(MsgAnswer::Yes);
        MessageScript::answer(MsgAnswer::OK);
        AppState& s = p.state();
        QCOMPARE(start(s), QStringLiteral("started"));
        QCOMPARE(messagesShown(), (QStringList{question(path),
                                               "Register converted | OK Information OK | Your register has been converted: 10 members, "
                                               "7 membership types, 6 lookups and 7 label sheets.\n\nThe Windows program's file is kept as "
                                                   + path + ".windows."}));
        QCOMPARE(filesBeside(path), (QStringList{"zelk2002.mdb", "zelk2002.mdb.windows"}));
        QCOMPARE((QVariantList{s.rsZelk->recordCount(), s.rsSettings->field(QStringLiteral("LastNumber")), s.rsLabels->recordCount(),
                               s.rsZelk->source()}),
                 (QVariantList{10, 57, 7, "Select * from Zelk ORDER BY Surname"}));

        // The next start finds a register of its own and asks nothing.
        s.rsZelk.reset();
        s.dbZelk.reset();
        MessageScript::start();
        AppState again;
        QCOMPARE(start(again), QStringLiteral("started"));
        QCOMPARE(messagesShown(), QStringList());
        QCOMPARE(again.rsZelk->recordCount(), 10);
    }

    void noOrAFailedConversionEndsTouchingNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("then");
        QTest::newRow("no") << "zelk2002.mdb" << int(MsgAnswer::No) << "";
        // The first edition's file holds an empty membership type, which a register refuses.
        QTest::newRow("cannot convert") << "zelk.mdb" << int(MsgAnswer::Yes)
                                        << "Problem loading Zelk Membership | OK Critical OK | The register %1 could not be converted."
                                           "\n\nIn the table Members, row 5, the field Member Type holds an empty text, which this "
                                           "register does not keep in that field.\n\nNothing has been changed: the file is as it was.";
    }

    void noOrAFailedConversionEndsTouchingNothing()
    {
        QFETCH(QString, file);
        QFETCH(int, answer);
        QFETCH(QString, then);
        TestProgram p;
        const QString path = placeAsRegister(p, file);
        MessageScript::answer(MsgAnswer(answer));
        if (!then.isEmpty())
            MessageScript::answer(MsgAnswer::OK);
        QCOMPARE(start(p.state()), QStringLiteral("stopped"));
        QCOMPARE(messagesShown(), then.isEmpty() ? QStringList{question(path)} : (QStringList{question(path), then.arg(path)}));
        QVERIFY(bytesOf(path) == bytesOf(testData(QStringLiteral("mdb/") + file)));
        QCOMPARE(filesBeside(path), QStringList{"zelk2002.mdb"});
    }

    // A file that is neither a register nor the Windows program's is refused as before.
    void anyOtherFileIsStillNotARegister()
    {
        TestProgram p;
        QFile f(p.databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("Number,Surname\n") > 0);
        f.close();
        MessageScript::answer(MsgAnswer::OK);
        QCOMPARE(start(p.state()), QStringLiteral("stopped"));
        QCOMPARE(messagesShown().size(), 1);
        QVERIFY(messagesShown().first().contains(QLatin1String("is not a membership register that this version")));
    }
};

ZELK_TEST(WindowsRegisterStartupTest)

#include "tst_windows_register_startup.moc"
