// The program's start in a folder of its own: what it builds, what it opens, how it ends
// when it cannot go on, and the search for the web browser.
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "core/browser.h"
#include "core/everyday_trouble.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "data/schema_version.h"
#include "ui/find_browser.h"
#include "ui/frm_splash.h"
#include "ui/register_backups.h"
#include "ui/startup.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using namespace zelk;
using namespace zelk::test;

namespace {

enum class Outcome { Started, Stopped };

// Runs the start-up as the program does; the main window is only noted, not built.
Outcome start(AppState& state)
{
    frmSplash splash;
    bool shown = false;
    const bool started = runStartup(state, splash, [&](AppState&) { shown = true; });
    if (started != shown)
        qWarning("the main window was %s", shown ? "shown, yet the start failed" : "not shown, yet the start succeeded");
    return started && shown ? Outcome::Started : Outcome::Stopped;
}

MessageRequest loadingError(int number, const QString& routine)
{
    return critical("Problem loading Zelk Membership", QString("I have encountered an unexpected error, number %1 in %2.\n\n"
                                                               "Please contact Bramwick for advice.")
                                                           .arg(number)
                                                           .arg(routine));
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A desktop of our own: PATH holds only what a test writes into bin (a fake xdg-mime among
// it), the applications folder only the .desktop files it writes. Puts the environment back.
struct FakeDesktop {
    QTemporaryDir dir;
    const QByteArray saved[3] = {qgetenv("PATH"), qgetenv("XDG_DATA_HOME"), qgetenv("XDG_DATA_DIRS")};

    FakeDesktop() { setEnvironment({dir.filePath("bin").toLocal8Bit(), dir.filePath("share").toLocal8Bit(), "/none"}); }
    ~FakeDesktop() { setEnvironment({saved[0], saved[1], saved[2]}); }
    static void setEnvironment(const std::array<QByteArray, 3>& values)
    {
        for (int i = 0; i < 3; ++i)
            qputenv(std::array{"PATH", "XDG_DATA_HOME", "XDG_DATA_DIRS"}[i], values[i]);
    }
    QString write(const QString& relative, const QByteArray& text, bool executable = false)
    {
        QFile f(dir.filePath(relative));
        QDir().mkpath(QFileInfo(f).path());
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        f.setPermissions(f.permissions() | (executable ? QFile::ExeOwner : QFile::Permissions()));
        return f.fileName();
    }
};

const MessageRequest kBrowserNotFound = exclamation("Browser Not Found", "I can't find your web browser.\n\n"
                                                                         "You will need to find it yourself from the Options menu. Sorry.");

} // namespace

Q_DECLARE_METATYPE(zelk::MessageRequest)

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void aFirstStartBuildsTheRegister()
    {
        TestProgram program;
        AppState& s = program.state();
        QCOMPARE(start(s), Outcome::Started);
        QCOMPARE(s.DatabasePath, program.databasePath());
        QCOMPARE(readSetting(setting::ZelkDB), program.databasePath());
        QCOMPARE(s.BrowserPath, "/usr/bin/true");
        QCOMPARE(s.rsZelk->source(), "Select * from Zelk ORDER BY Surname");
        QCOMPARE(s.rsZelk->field("Number"), QVariant(1));   // the placeholder member
        QCOMPARE(s.rsLabels->recordCount(), 6);
        QCOMPARE(s.dbZelk->userVersion(), kSchemaVersion);
        QCOMPARE(asked(), QList<MessageRequest>());
    }

    void aLaterStartTakesTheStoredDefaults()
    {
        TestProgram program;
        buildNewDatabase(program.databasePath());
        for (const auto& [key, value] : {std::pair{setting::SortOrder, "Number"}, {setting::AutoCaps, "0"},
                                         {setting::AutoDates, " 0 "}, {setting::PageDir, "0"}})
            saveSetting(key, value);
        AppState& s = program.state();
        QCOMPARE(start(s), Outcome::Started);
        QCOMPARE(s.rsZelk->source(), "Select * from Zelk ORDER BY Number");
        QCOMPARE(s.AutoCaps, 0);
        QCOMPARE(s.AutoDates, 0);
        QCOMPARE(s.PageDir, 0);
    }

    // A register of an earlier release, without its label sheets, is brought up to date.
    void anOlderRegisterIsUpgraded()
    {
        TestProgram program;
        buildNewDatabase(program.databasePath());
        {
            auto db = Database::open(program.databasePath());
            db->execute("DROP TABLE Labels");
            db->setUserVersion(0);
        }
        AppState& s = program.state();
        QCOMPARE(start(s), Outcome::Started);
        QCOMPARE(s.rsLabels->recordCount(), 6);
        QCOMPARE(s.dbZelk->userVersion(), kSchemaVersion);
    }

    void badSettingsEndTheStartWithTheirErrorNumber_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("a sort field Zelk has not") << "SortOrder" << "Nonsense" << 3061;
        QTest::newRow("a sort field with a limit after it") << "SortOrder" << "Surname LIMIT 1" << 3061;
        QTest::newRow("automatic dates not a number") << "AutoDates" << "abc" << 13;
    }
    void badSettingsEndTheStartWithTheirErrorNumber()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, error);
        TestProgram program;
        SaveSetting("Defaults", key, value);
        answer(MsgAnswer::OK);
        QCOMPARE(start(program.state()), Outcome::Stopped);
        QCOMPARE(asked(), QList<MessageRequest>{loadingError(error, "frmSplash")});
    }

    // The file is left as it was and nothing is made beside it.
    void aFileThatIsNotARegisterIsNeverWritten_data()
    {
        QTest::addColumn<QString>("made");
        QTest::newRow("a register of the earlier Windows edition") << "jet";
        QTest::newRow("an empty file") << "empty";
        QTest::newRow("another program's SQLite database") << "sqlite";
    }
    void aFileThatIsNotARegisterIsNeverWritten()
    {
        QFETCH(QString, made);
        TestProgram program;
        const QString file = program.databasePath();
        if (made == "jet") {
            QFile::copy(testData("mdb/zelk2002.mdb"), file);
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        } else if (made == "sqlite") {
            Database::create(file)->execute("CREATE TABLE Things (Name TEXT)");
        } else {
            QFile(file).open(QIODevice::WriteOnly);
        }
        const QByteArray before = contents(file);
        answer(MsgAnswer::OK);
        QCOMPARE(start(program.state()), Outcome::Stopped);
        QCOMPARE(asked(),
                 QList<MessageRequest>{critical("Problem loading Zelk Membership",
                                                "The file " + file + " is not a membership register that this version of "
                                                "Zelk Membership can open. It may have been made by an earlier edition of Zelk.\n\n"
                                                "The file has not been changed. Move or rename it, then start Zelk Membership "
                                                "again: it will make a new, empty register, into which you can bring the "
                                                "members of the old file with Import data on the File menu.")});
        QCOMPARE(contents(file), before);
        QCOMPARE(QDir(program.world().folder()).entryList(QDir::Files), QStringList{"zelk2002.mdb"});
    }

    void anotherCopyHoldingTheRegisterExclusivelyStopsTheStart()
    {
        TestProgram program;
        buildNewDatabase(program.databasePath());
        QProcess holder;
        holder.start(ZELK_HOLD_EXCLUSIVE, {program.databasePath()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
        answer(MsgAnswer::OK);
        const Outcome whileHeld = start(program.state());
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(whileHeld, Outcome::Stopped);
        QCOMPARE(asked(), QList<MessageRequest>{critical("Another person is using Zelk",
                                                                 "Someone on your machine or network has got a copy of Zelk open "
                                                                 "on their machine for exclusive use.\n\n"
                                                                 "Please close down that copy and try again.")});
        AppState again;   // once the other copy has gone, the program starts
        QCOMPARE(start(again), Outcome::Started);
    }

    // The register goes after start-up has looked for it and before it opens it: a new one
    // is made and opened in surname order, whatever the stored order.
    void aRegisterGoneBeforeItOpensIsMadeAfresh()
    {
        TestProgram program;
        buildNewDatabase(program.databasePath());
        Database::open(program.databasePath())->execute("UPDATE Settings SET LastNumber = 41");
        saveSetting(setting::SortOrder, "Number");
        frmSplash splash;
        // The splash's captions are filled after the first events have run: the file goes
        // at the next chance, while the settings are read.
        QTimer remover;
        QObject::connect(&remover, &QTimer::timeout, [&] {
            if (!splash.lblVersion->text().isEmpty() && QFile::remove(program.databasePath()))
                remover.stop();
        });
        remover.start(0);
        const bool started = runStartup(program.state(), splash, [](AppState&) {});
        QVERIFY(started);
        AppState& s = program.state();
        QCOMPARE(s.rsZelk->source(), "Select * from Zelk ORDER BY Surname");
        s.rsSettings->moveFirst();
        QCOMPARE(s.rsSettings->field("LastNumber"), QVariant(1));   // a new register
    }

    // The program's folder lies beneath a plain file, so it cannot be made: the user is
    // told which folder and why, never sent to the maker.
    void aFolderThatCannotBeMadeIsNamedWithTheReason()
    {
        TestProgram program;
        QFile blocker(program.world().file("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("ZELK_HOME", blocker.fileName().toLocal8Bit() + "/home");   // the world puts it back
        answer(MsgAnswer::OK);
        QCOMPARE(start(program.state()), Outcome::Stopped);
        QCOMPARE(asked(), QList<MessageRequest>{critical("Problem loading Zelk Membership",
                                                         "Zelk Membership keeps its register in the folder " + blocker.fileName()
                                                             + "/home, which cannot be used: Not a directory.\n\n"
                                                               "Make the folder (or let this program write to it), or set "
                                                               "ZELK_HOME to a folder you may write to, then start Zelk "
                                                               "Membership again.")});
    }

    // Another tool deleted the Settings row: start-up puts back the settings of a new
    // register, numbering on from the largest number in use.
    void aMissingSettingsRowIsPutBack()
    {
        TestProgram program;
        program.addMember({{"Number", 17}, {"Surname", "Smith"}, {"Address1", "1 High Street"}});
        program.addMember({{"Number", 5}, {"Surname", "Jones"}, {"Address1", "2 Low Road"}});
        Database::open(program.databasePath())->execute("DELETE FROM Settings");
        QCOMPARE(start(program.state()), Outcome::Started);
        QCOMPARE(asked(), QList<MessageRequest>());
        QCOMPARE(registerRows(program.databasePath(), "Select LastNumber, AllowSurname, AllowLapsed, YearEnd from Settings"),
                 QStringList{"17|true|true|1y"});
        program.state().rsSettings->moveFirst();
        QCOMPARE(program.state().rsSettings->field("LastNumber"), QVariant(17));
    }

    // A damaged register (cut short, or with pages of garbage) is said to be damaged, with
    // where to find its backups; the file is left exactly as it was.
    void aDamagedRegisterIsLeftAsItIs_data()
    {
        QTest::addColumn<bool>("cutShort");
        QTest::newRow("cut short") << true;
        QTest::newRow("garbage pages") << false;
    }
    void aDamagedRegisterIsLeftAsItIs()
    {
        QFETCH(bool, cutShort);
        TestProgram program;
        program.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}});
        {
            auto db = Database::open(program.databasePath());
            db->beginTrans();
            for (int i = 3; i < 400; ++i)
                db->execute(QString("INSERT INTO Zelk (Number, Surname, Address1, Memo) VALUES (%1, \"Member\", \"Street\", \"%2\")")
                                .arg(i)
                                .arg(QString(200, u'x')));
            db->commitTrans();
        }
        QFile file(program.databasePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (cutShort) {
            file.resize(file.size() / 2);
        } else {
            file.seek(4 * 4096);
            file.write(QByteArray(8 * 4096, '\x5a'));
        }
        file.close();
        const QByteArray before = contents(program.databasePath());
        answer(MsgAnswer::OK);
        QCOMPARE(start(program.state()), Outcome::Stopped);
        QCOMPARE(asked(), QList<MessageRequest>{damagedRegisterMessage(program.databasePath())});
        QCOMPARE(contents(program.databasePath()), before);
    }

    // When the backups put a good copy in place of the damaged register, the program
    // starts on it; the damaged register was let go of first, so it could be replaced.
    void aDamagedRegisterIsOfferedItsBackup()
    {
        TestProgram program;
        const QString good = program.world().file("good.mdb");
        buildNewDatabase(good);
        Database::open(good)->execute("UPDATE Settings SET LastNumber = 77");
        QFile damaged(program.databasePath());
        QVERIFY(QFile::copy(good, program.databasePath()));
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        damaged.resize(3 * 1024);
        damaged.close();
        QStringList offered;
        setRegisterBackupRoutines({{}, [&](const QString& path) {
                                       offered << path;
                                       return QFile::remove(path) && QFile::copy(good, path);
                                   }});
        const Outcome outcome = start(program.state());
        setRegisterBackupRoutines({});
        QCOMPARE(outcome, Outcome::Started);
        QCOMPARE(offered, QStringList{program.databasePath()});
        QCOMPARE(asked(), QList<MessageRequest>());
        program.state().rsSettings->moveFirst();
        QCOMPARE(program.state().rsSettings->field("LastNumber"), QVariant(77));
    }

    // What the Exec line of the desktop's web browser says ("BIN/" standing for the folder
    // the browser is in), and the program found.
    void theDesktopsBrowserIsFoundAndKept_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("program");
        QTest::newRow("a full path") << "BIN/browse %u" << "browse";
        QTest::newRow("a path with a blank, in quotes") << "\"BIN/my browser\" --new-window %U" << "my browser";
        QTest::newRow("a name on the PATH") << "browse %u" << "browse";
        QTest::newRow("a folder with a tilde") << "BIN/Web~1/browse" << "Web~1/browse";
    }
    void theDesktopsBrowserIsFoundAndKept()
    {
        QFETCH(QString, exec);
        QFETCH(QString, program);
        TestWorld world;
        FakeDesktop desktop;
        desktop.write("bin/xdg-mime", "#!/bin/sh\necho web.desktop\n", true);
        for (const char* name : {"bin/browse", "bin/my browser", "bin/Web~1/browse"})
            desktop.write(name, "#!/bin/sh\n", true);
        const QString bin = desktop.dir.filePath("bin");
        desktop.write("share/applications/web.desktop",
                      "[Desktop Action new]\nExec=/bin/false\n\n[Desktop Entry]\nName=Web\nExec="
                          + exec.replace("BIN", bin).toUtf8() + "\n");
        AppState state;
        FindBrowser(state);
        QCOMPARE(state.BrowserPath, bin + '/' + program);
        QCOMPARE(readSetting(setting::WebBrowser), bin + '/' + program);
    }

    // What xdg-mime answers ("-": there is no xdg-mime); web.desktop names a missing program.
    void withoutABrowserTheUserIsToldAndNothingIsKept_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("no xdg-mime") << "-";
        QTest::newRow("a program that is not there") << "web.desktop";
    }
    void withoutABrowserTheUserIsToldAndNothingIsKept()
    {
        QFETCH(QString, answer);
        TestWorld world;
        FakeDesktop desktop;
        if (answer != "-")
            desktop.write("bin/xdg-mime", "#!/bin/sh\necho " + answer.toUtf8() + "\n", true);
        desktop.write("share/applications/web.desktop", "[Desktop Entry]\nExec=/no/such/browser %u\n");
        AppState state;
        state.BrowserPath = "stale";
        test::answer(MsgAnswer::OK);
        FindBrowser(state);
        QCOMPARE(state.BrowserPath, "");
        QCOMPARE(readSetting(setting::WebBrowser), "");
        QCOMPARE(asked(), QList<MessageRequest>{kBrowserNotFound});
    }
};

ZELK_TEST(StartupTest)
#include "tst_startup.moc"
