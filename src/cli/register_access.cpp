#include "register_access.h"

#include "core/program_folder.h"
#include "core/settings_store.h"

#include "data/create_db.h"
#include "engine/engine_error.h"

#include <QFileInfo>

namespace zelk::cli {

std::unique_ptr<AppState> openRegister(QTextStream& err, WhenMissing missing)
{
    auto state = std::make_unique<AppState>();
    state->DatabasePath = programFile(QStringLiteral("zelk2002.mdb"));
    if (!QFileInfo::exists(state->DatabasePath) && missing == WhenMissing::Create) {
        removeUnfinishedBuild(state->DatabasePath);
        try {
            buildNewDatabase(state->DatabasePath);
        } catch (const EngineError& e) {
            err << "A new register could not be made at " << state->DatabasePath << ": " << e.description()
                << ". Please check that the folder exists and that you may write to it.\n";
            return nullptr;
        }
        err << "There was no register at " << state->DatabasePath << ", so a new one was made.\n";
    }
    if (!QFileInfo::exists(state->DatabasePath)) {
        err << "There is no register at " << state->DatabasePath
            << ". Start Zelk Membership once to make one, or set ZELK_HOME to the folder that holds zelk2002.mdb.\n";
        return nullptr;
    }
    try {
        state->SortOrder = QStringLiteral("Surname");
        state->openRegister(membersInOrder(state->SortOrder));
    } catch (const EngineError& e) {
        if (e.number() == err::NotAnSqliteFile || e.number() == err::TableNotFound)
            err << "The file " << state->DatabasePath << " is not a membership register that this program can open.\n";
        else
            err << "The register " << state->DatabasePath << " could not be opened: " << e.description() << " (error "
                << e.number() << ")\n";
        return nullptr;
    }
    return state;
}

} // namespace zelk::cli
