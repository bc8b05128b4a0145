#include "backup/backup_menu.h"
#include "cli/command_line.h"
#include "core/app_state.h"
#include "core/program_info.h"
#include "entry/frm_zelk_main.h"
#include "import/windows_register_question.h"
#include "ui/frm_splash.h"
#include "ui/startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <cstdio>
#include <memory>

namespace {

// No application display name is set: the window system would add it to every window's
// title, and each title is to read exactly as the window sets it.
void nameTheApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zelk2002"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zelk2002"));
    QCoreApplication::setApplicationVersion(zelk::programVersion());
}

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int runWindows(int argc, char** argv)
{
    QApplication app(argc, argv);
    nameTheApplication();
    // The desktop entry and icon an installed copy has, so the desktop shows the window
    // under the program's own name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("uk.co.bramwick.ZelkMembership"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("uk.co.bramwick.ZelkMembership")));

    // A register of the Windows program found at the register's path is offered for conversion.
    zelk::setForeignRegisterHandler(zelk::askToConvertWindowsRegister);
    // The everyday backup at start-up, and a good backup offered for a damaged register.
    zelk::backup::installStartupRoutines();
    zelk::AppState state;
    std::unique_ptr<zelk::frmZelkMain> mainWindow;
    {
        zelk::frmSplash splash;
        const bool started = zelk::runStartup(state, splash, [&](zelk::AppState& s) {
            mainWindow = std::make_unique<zelk::frmZelkMain>(s);
            mainWindow->show();
        });
        if (!started)
            return 1;
    }
    const int result = QApplication::exec();
    mainWindow.reset();   // the window goes before the register it shows
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (zelk::cli::wantsCommandLine(arguments)) {
        // Commands that draw (the labels) need fonts, which need a GUI application; it
        // never shows a window, so it needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        nameTheApplication();
        return zelk::cli::runCommandLine(QCoreApplication::arguments());
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s\n", qPrintable(zelk::cli::needsDesktopMessage()));
        return 1;
    }
    return runWindows(argc, argv);
}
