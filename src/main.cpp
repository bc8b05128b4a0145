#include "app/app_state.h"
#include "app/frm_splash.h"
#include "app/program_info.h"
#include "app/startup.h"
#include "entry/frm_zelk_main.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelk2002"));
    QApplication::setOrganizationName(QStringLiteral("Zelk2002"));
    QApplication::setApplicationDisplayName(zelk::programTitle());
    QApplication::setApplicationVersion(zelk::programVersion());

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
