// The program's start in a folder of its own: what it builds, what it opens, how it ends
// when it cannot go on, the search for the web browser and the user's date pattern.
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "core/browser.h"
#include "ui/find_browser.h"
#include "core/date_format.h"
#include "ui/frm_splash.h"
#include "core/settings_store.h"
#include "ui/startup.h"
#include "data/create_db.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace zelk;
using namespace zelk::test;

namespace {

// Runs the start-up as the program does; the main window is only noted, not built.
QString start(AppState& state)
{
    frmSplash splash;
    bool shown = false;
    const bool started = runStartup(state, splash, [&](AppState&) { shown = true; });
    return QLatin1String(started ? "started" : "stopped") + QLatin1String(started == shown ? "" : shown ? " after the main window" : " without a main window");
}

QString loadingError(int number)
{
    return QStringLiteral("stopped: Problem loading Zelk Membership | OK Critical OK | I have encountered an unexpected "
                          "error, number %1 in frmSplash.\n\nPlease contact Bramwick for advice.").arg(number);
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
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) qFatal("cannot write %s", qPrintable(f.fileName()));
        f.setPermissions(f.permissions() | (executable ? QFile::ExeOwner : QFile::Permissions()));
        return f.fileName();
    }
};

// The browser FindBrowser settles on, what it keeps in the settings and what it tells.
QString findBrowser()
{
    MessageScript::start();
    saveSetting(setting::WebBrowser, QString());
    AppState state;
    state.BrowserPath = QStringLiteral("stale");
    FindBrowser(state);
    return QStringList{state.BrowserPath, readSetting(setting::WebBrowser), messagesShown().join(u'\n')}.join(u'|');
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    // A later start takes the stored defaults, and gives an older register without label
    // sheets its Labels table.
    void aFirstStartBuildsTheRegisterAndALaterOneTakesItAsItIs()
    {
        TestProgram program;
        AppState& s = program.state();
        QCOMPARE(start(s), QStringLiteral("started"));
        QCOMPARE((QStringList{s.DatabasePath, readSetting(setting::ZelkDB), s.BrowserPath, s.rsZelk->source()}),
                 (QStringList{program.databasePath(), program.databasePath(), "/usr/bin/true", "Select * from Zelk ORDER BY Surname"}));
        QCOMPARE((QVariantList{s.rsZelk->field(QStringLiteral("Number")), s.rsLabels->recordCount()}), (QVariantList{1, 6}));

        s.rsLabels.reset();
        s.dbZelk->execute(QStringLiteral("DROP TABLE Labels"));
        for (const auto& [key, value] : {std::pair{"SortOrder", "Number"}, {"AutoCaps", "0"}, {"AutoDates", " 0 "}, {"PageDir", "0"}})
            SaveSetting(QStringLiteral("Defaults"), QLatin1String(key), QLatin1String(value));
        AppState again;
        QCOMPARE(start(again), QStringLiteral("started"));
        QCOMPARE(again.rsZelk->source(), QStringLiteral("Select * from Zelk ORDER BY Number"));
        QCOMPARE((QList<int>{again.AutoCaps, again.AutoDates, again.PageDir, again.rsLabels->recordCount()}), (QList<int>{0, 0, 0, 6}));
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void badSettingsEndTheStartWithTheirErrorNumber()
    {
        checkEach({{"SortOrder=Nonsense", loadingError(3061)}, {"AutoDates=abc", loadingError(13)},
                   {"AutoCaps=", loadingError(13)}, {"PageDir=up", loadingError(13)}, {"PageDir=99999999999", loadingError(13)}},
                  [](const QString& setting) {
                      TestProgram program;
                      SaveSetting(QStringLiteral("Defaults"), setting.section(u'=', 0, 0), setting.section(u'=', 1));
                      const QString outcome = start(program.state());
                      return outcome + QStringLiteral(": ") + messagesShown().join(u'\n');
                  });
    }

    // The file is left as it was and nothing is made beside it.
    void aFileThatIsNotARegisterIsNeverWritten()
    {
        const QString left = QStringLiteral(" (file unchanged; folder holds zelk2002.mdb)");
        const QString notARegister = QStringLiteral(
            "stopped: Problem loading Zelk Membership | OK Critical OK | The file FILE is not a membership register that "
            "this version of Zelk Membership can open. It may have been made by an earlier edition of Zelk.\n\nThe file "
            "has not been changed. Move or rename it, then start Zelk Membership again: it will make a new, empty "
            "register, into which you can bring the members of the old file with Import data on the File menu.") + left;
        checkEach({{"earlier Windows edition", notARegister}, {"empty file", notARegister},
                   {"another program's SQLite file", notARegister}},
                  [](const QString& made) {
                      TestProgram program;
                      const QString file = program.databasePath();
                      if (made.startsWith(QLatin1String("earlier"))) {
                          QFile::copy(testData(QStringLiteral("mdb/zelk2002.mdb")), file);
                          QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
                      } else if (made.startsWith(QLatin1String("another"))) {
                          Database::create(file)->execute(QStringLiteral("CREATE TABLE Things (Name TEXT)"));
                      } else {
                          QFile(file).open(QIODevice::WriteOnly);
                      }
                      const QByteArray before = contents(file);
                      const QString outcome = start(program.state());
                      return outcome + QStringLiteral(": ") + messagesShown().join(u'\n').replace(file, QStringLiteral("FILE"))
                             + QStringLiteral(" (file %1; folder holds %2)")
                                           .arg(contents(file) == before ? "unchanged" : "changed",
                                                QDir(program.world().folder()).entryList(QDir::Files).join(u','));
                  });
    }

    void anotherCopyHoldingTheRegisterExclusivelyStopsTheStart()
    {
        TestProgram program;
        buildNewDatabase(program.databasePath());
        QProcess holder;
        holder.start(QStringLiteral(ZELK_HOLD_EXCLUSIVE), {program.databasePath()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
        const QString whileHeld = start(program.state());
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(whileHeld, QStringLiteral("stopped"));
        QCOMPARE(messagesShown(), QStringList{QStringLiteral(
            "Another person is using Zelk | OK Critical OK | Someone on your machine or network has got a copy of Zelk "
            "open on their machine for exclusive use.\n\nPlease close down that copy and try again.")});
        AppState again;   // once the other copy has gone, the program starts
        QCOMPARE(start(again), QStringLiteral("started"));
    }

    void theDesktopsBrowserIsFoundAndKept()
    {
        TestWorld world;
        FakeDesktop desktop;
        desktop.write(QStringLiteral("bin/xdg-mime"), "#!/bin/sh\necho web.desktop\n", true);
        const QString browser = desktop.write(QStringLiteral("bin/browse"), "#!/bin/sh\n", true);
        const QString blank = desktop.write(QStringLiteral("bin/my browser"), "#!/bin/sh\n", true);
        const QString tilde = desktop.write(QStringLiteral("bin/Web~1/browse"), "#!/bin/sh\n", true);
        auto found = [](const QString& path) { return path + u'|' + path + u'|'; };   // kept, nothing told
        // What the Exec line of the desktop's web browser says, B standing for bin/.
        checkEach({{"B/browse %u", found(browser)}, {"\"B/my browser\" --new-window %U", found(blank)},
                   {"env MOZ_X=1 B/browse %u", found(browser)}, {"browse %u", found(browser)},
                   {"B/Web~1/browse", found(tilde)}},
                  [&](QString exec) {
                      desktop.write(QStringLiteral("share/applications/web.desktop"),
                                    "[Desktop Action new]\nExec=/bin/false\n\n[Desktop Entry]\nName=Web\nExec="
                                        + exec.replace(QStringLiteral("B/"), QFileInfo(browser).path() + u'/').toUtf8() + "\n");
                      return findBrowser();
                  });
    }

    void withoutABrowserTheUserIsToldAndNothingIsKept()
    {
        TestWorld world;
        const QString told = QStringLiteral("||Browser Not Found | OK Exclamation OK | I can't find your web browser.\n\n"
                                            "You will need to find it yourself from the Options menu. Sorry.");
        // What xdg-mime answers ("-": there is none); web.desktop names a missing program.
        checkEach({{"-", told}, {"\"\"", told}, {"gone.desktop", told}, {"web.desktop", told}}, [&](const QString& id) {
            FakeDesktop desktop;
            if (id != QLatin1String("-"))
                desktop.write(QStringLiteral("bin/xdg-mime"), "#!/bin/sh\necho " + id.toUtf8() + "\n", true);
            desktop.write(QStringLiteral("share/applications/web.desktop"), "[Desktop Entry]\nExec=/no/such/browser %u\n");
            return findBrowser();
        });
    }

    void datePatternAndSeparatorFollowTheLocale()
    {
        TestWorld world;
        checkEach({{"en_GB", "dd/MM/yyyy /"}, {"en_US", "M/d/yy /"}, {"de_DE", "dd.MM.yy ."}, {"nl_NL", "dd-MM-yyyy -"}},
                  [](const QString& locale) { underLocale(locale); return GetDateFormat() + u' ' + GetDateSeparator(); });
    }
};

ZELK_TEST(StartupTest)
#include "tst_startup.moc"
