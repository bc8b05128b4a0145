#include "create_database.h"

#include "core/app_state.h"
#include "busy_cursor.h"
#include "core/settings_store.h"
#include "message_box.h"
#include "unexpected_error.h"

#include "data/create_db.h"
#include "core/everyday_trouble.h"
#include "engine/database.h"
#include "engine/engine_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace zelk {

namespace {

// The program's folder must be there, and writable, before a register can be made in it.
// When it is not, the user is told which folder and why; false then.
bool programFolderReady(const QString& registerPath)
{
    const QString folder = QFileInfo(registerPath).absolutePath();
    std::error_code problem;
    if (!QFileInfo(folder).isDir())
        std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), problem);
    if (!problem && QFileInfo(folder).isDir() && Database::fileIsWritable(folder))
        return true;
    const QString why = problem ? QString::fromLocal8Bit(problem.message().c_str())
                                : QStringLiteral("this program may not write to it");
    MessageBox::show(QStringLiteral("Zelk Membership keeps its register in the folder %1, which cannot be used: %2.\n\n"
                                    "Make the folder (or let this program write to it), or set ZELK_HOME to a folder you "
                                    "may write to, then start Zelk Membership again.")
                         .arg(QDir::toNativeSeparators(folder), why),
                     QStringLiteral("Problem loading Zelk Membership"), MsgButtons::OK, MsgIcon::Critical);
    return false;
}

} // namespace

bool CreateDatabase(AppState& state)
{
    if (!programFolderReady(state.DatabasePath))
        return false;
    int failure = 0;
    {
        BusyCursor busy;
        letEventsRun();
        try {
            buildNewDatabase(state.DatabasePath);
        } catch (const EngineError& e) {
            if (e.number() != err::DatabaseExists)
                failure = e.number();
        } catch (const std::exception& e) {
            failure = errorNumber(e);
        }
    }
    letEventsRun();
    if (failure != 0) {
        if (const auto plain = everydayTroubleMessage(failure, state.DatabasePath))
            MessageBox::show(*plain);
        else
            showLoadingError(failure, QStringLiteral("CreateDatabase"));
        return false;
    }
    try {
        saveSetting(setting::ZelkDB, state.DatabasePath);
    } catch (const SettingsNotSaved& e) {
        MessageBox::show(e.message());   // nothing reads it back: the program goes on
    }
    return true;
}

} // namespace zelk
