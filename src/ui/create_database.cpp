#include "create_database.h"

#include "core/app_state.h"
#include "busy_cursor.h"
#include "core/settings_store.h"
#include "message_box.h"
#include "unexpected_error.h"

#include "data/create_db.h"
#include "engine/engine_error.h"

namespace zelk {

bool CreateDatabase(AppState& state)
{
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
