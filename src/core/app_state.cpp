#include "app_state.h"

#include "data/schema_version.h"
#include "engine/engine_error.h"

namespace zelk {

void AppState::openRegister(const QString& membersSql)
{
    dbZelk = Database::open(DatabasePath, Database::Mode::Shared);
    try {
        upgradeRegister(*dbZelk);
    } catch (const EngineError& e) {
        // A register that cannot be written to now (read-only, or another copy is writing)
        // is opened as it is; the upgrade is made at a later start.
        if (e.number() != err::ReadOnly && e.number() != err::RecordLocked)
            throw;
    }
    reopen(rsZelk, membersSql);
    reopen(rsSettings, query::settingsRow());
    reopen(rsMemberTypes, query::memberTypes());
    reopen(rsLookups, query::lookups());
    reopen(rsLabels, query::labels());
}

} // namespace zelk
