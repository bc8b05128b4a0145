// The shared routines: the browser search, long paths, the user's date pattern and the
// main defaults.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "app/app_state.h"
#include "app/browser.h"
#include "app/date_format.h"
#include "app/main_defaults.h"
#include "app/message_box.h"
#include "app/settings_store.h"

#include "engine/engine_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

namespace {

void writeExecutable(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// A desktop of our own: PATH holds only a fake xdg-mime, and the applications folder only
// the .desktop files a test writes. Restores PATH and XDG_DATA_* when it goes.
class FakeDesktop {
public:
    FakeDesktop()
        : m_path(qgetenv("PATH"))
        , m_home(qgetenv("XDG_DATA_HOME"))
        , m_dirs(qgetenv("XDG_DATA_DIRS"))
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("bin"));
        QDir(m_dir.path()).mkpath(QStringLiteral("share/applications"));
        qputenv("PATH", bin().toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("share")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", m_dir.filePath(QStringLiteral("none")).toLocal8Bit());
    }
    ~FakeDesktop()
    {
        qputenv("PATH", m_path);
        qputenv("XDG_DATA_HOME", m_home);
        qputenv("XDG_DATA_DIRS", m_dirs);
    }
    QString bin() const { return m_dir.filePath(QStringLiteral("bin")); }
    void answer(const QByteArray& desktopId)
    {
        writeExecutable(bin() + QStringLiteral("/xdg-mime"), "#!/bin/sh\necho " + desktopId + "\n");
    }
    void desktopFile(const QString& id, const QByteArray& text)
    {
        QFile f(m_dir.filePath(QStringLiteral("share/applications/") + id));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString program(const QString& name)
    {
        const QString path = bin() + u'/' + name;
        writeExecutable(path, "#!/bin/sh\n");
        return path;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_path, m_home, m_dirs;
};

} // namespace

class Zelk2001Test : public QObject {
    Q_OBJECT

private slots:
    void theDesktopsBrowserIsFoundAndKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("exec");
        QTest::newRow("program and field code") << "browser" << QByteArray("Exec=%1 %u");
        QTest::newRow("quoted, with a blank and options") << "my browser" << QByteArray("Exec=\"%1\" --new-window %U");
        QTest::newRow("through env") << "browser" << QByteArray("Exec=env MOZ_X=1 %1 %u");
    }
    void theDesktopsBrowserIsFoundAndKept()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, exec);
        TestWorld world;
        FakeDesktop desktop;
        const QString browser = desktop.program(name);
        desktop.answer("web.desktop");
        desktop.desktopFile(QStringLiteral("web.desktop"),
                            "[Desktop Action new]\nExec=/bin/false\n\n[Desktop Entry]\nName=Web\n"
                                + QString::fromLatin1(exec).arg(browser).toUtf8() + "\n");
        AppState state;
        FindBrowser(state);
        QCOMPARE(state.BrowserPath, browser);
        QCOMPARE(readSetting(setting::WebBrowser), browser);
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void aProgramNamedWithoutPathIsLookedUp()
    {
        TestWorld world;
        FakeDesktop desktop;
        const QString browser = desktop.program(QStringLiteral("netbrowse"));
        desktop.answer("nb.desktop");
        desktop.desktopFile(QStringLiteral("nb.desktop"), "[Desktop Entry]\nExec=netbrowse %u\n");
        AppState state;
        FindBrowser(state);
        QCOMPARE(state.BrowserPath, browser);
    }

    void withoutABrowserTheUserIsToldAndNothingIsKept_data()
    {
        QTest::addColumn<QByteArray>("desktopId");
        QTest::addColumn<bool>("haveDesktopFile");
        QTest::newRow("no xdg-mime at all") << QByteArray() << false;
        QTest::newRow("no default for web pages") << QByteArray("\"\"") << false;
        QTest::newRow("desktop file missing") << QByteArray("gone.desktop") << false;
        QTest::newRow("program missing") << QByteArray("web.desktop") << true;
    }
    void withoutABrowserTheUserIsToldAndNothingIsKept()
    {
        QFETCH(QByteArray, desktopId);
        QFETCH(bool, haveDesktopFile);
        TestWorld world;
        FakeDesktop desktop;
        if (!desktopId.isEmpty())
            desktop.answer(desktopId);
        if (haveDesktopFile)
            desktop.desktopFile(QStringLiteral("web.desktop"), "[Desktop Entry]\nExec=/no/such/browser %u\n");
        AppState state;
        state.BrowserPath = QStringLiteral("stale");
        FindBrowser(state);
        QCOMPARE(state.BrowserPath, QString());
        QCOMPARE(readSetting(setting::WebBrowser), QString());
        QCOMPARE(MessageScript::asked().size(), 1);
        const auto& m = MessageScript::asked().first();
        QCOMPARE(m.text, QStringLiteral("I can't find your web browser.\n\nYou will need to find it yourself from the Options menu. Sorry."));
        QCOMPARE(m.title, QStringLiteral("Browser Not Found"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QCOMPARE(m.buttons, MsgButtons::OK);
    }

    void longPaths()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("Program~Files/Web"));
        QFile(dir.filePath(QStringLiteral("Program~Files/Web/browse"))).open(QIODevice::WriteOnly);
        const QString base = QDir(dir.path()).canonicalPath();
        // A path without "~" comes back as it is, quotes and all.
        QCOMPARE(GetLongPath(QStringLiteral("\"/usr/bin/firefox\"")), QStringLiteral("\"/usr/bin/firefox\""));
        // Each component is found in the file system; the result ends in a separator.
        QCOMPARE(GetLongPath(QStringLiteral("\"%1/Program~Files/Web/browse\"").arg(base)),
                 base + QStringLiteral("/Program~Files/Web/browse/"));
        QCOMPARE(GetLongPath(base + QStringLiteral("/Program~Files/Nothing/browse")), QString());
        QCOMPARE(GetLongPath(QStringLiteral("~/")), QDir::homePath() + u'/');
    }

    void trimAtNullCutsAndStoresBack()
    {
        QString text = QStringLiteral("firefox");
        text += QChar(0);
        text += QStringLiteral("junk");
        QCOMPARE(TrimAtNull(text), QStringLiteral("firefox"));
        QCOMPARE(text, QStringLiteral("firefox"));
        QString plain = QStringLiteral("plain");
        QCOMPARE(TrimAtNull(plain), QStringLiteral("plain"));
    }

    void datePatternAndSeparatorFollowTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("separator");
        QTest::newRow("en_GB") << "en_GB" << "dd/MM/yyyy" << "/";
        QTest::newRow("en_US") << "en_US" << "M/d/yy" << "/";
        QTest::newRow("de_DE") << "de_DE" << "dd.MM.yy" << ".";
        QTest::newRow("nl_NL") << "nl_NL" << "dd-MM-yyyy" << "-";
    }
    void datePatternAndSeparatorFollowTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, separator);
        TestWorld world(locale);
        QCOMPARE(GetDateFormat(), pattern);
        QCOMPARE(GetDateSeparator(), separator);
    }

    void mainDefaultsAndWholeNumbers()
    {
        TestWorld world;
        AppState state;
        LoadMainDefaults(state);
        QCOMPARE(state.SortOrder, QStringLiteral("Surname"));
        QCOMPARE(state.AutoCaps, -1);
        saveSetting(setting::SortOrder, QStringLiteral("PostCode"));
        saveSetting(setting::AutoCaps, QStringLiteral("0"));
        LoadMainDefaults(state);
        QCOMPARE(state.SortOrder, QStringLiteral("PostCode"));
        QCOMPARE(state.AutoCaps, 0);

        QCOMPARE(toWholeNumber(QStringLiteral(" -1 ")), -1);
        QCOMPARE(toWholeNumber(QStringLiteral("2.5")), 2);
        QCOMPARE(toWholeNumber(QStringLiteral("3.5")), 4);
        for (const char* bad : {"", "yes", "1x", "99999999999"}) {
            try {
                toWholeNumber(QString::fromLatin1(bad));
                QFAIL(bad);
            } catch (const EngineError& e) {
                QCOMPARE(e.number(), err::TypeMismatch);
            }
        }
    }
};

ZELK_TEST(Zelk2001Test)
#include "tst_zelk2001.moc"
