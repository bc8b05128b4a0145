#include "app_state.h"

#include "data/create_db.h"
#include "data/schema_version.h"
#include "engine/engine_error.h"

#include <array>

namespace zelk {

void AppState::openRegister(const QString& membersSql)
{
    dbZelk = Database::open(DatabasePath, Database::Mode::Shared);
    try {
        upgradeRegister(*dbZelk);
        // Without its Settings row no member could be numbered or saved.
        addMissingSettingsRow(*dbZelk);
    } catch (const EngineError& e) {
        // A register that cannot be written to now (read-only, or another copy is writing)
        // is opened as it is; the upgrade and repair are made at a later start.
        if (e.number() != err::ReadOnly && e.number() != err::RecordLocked)
            throw;
    }
    reopen(rsZelk, membersSql);
    reopen(rsSettings, query::settingsRow());
    reopen(rsMemberTypes, query::memberTypes());
    reopen(rsLookups, query::lookups());
    reopen(rsLabels, query::labels());
}

void AppState::reopenIfWritableAgain()
{
    if (!dbZelk || !dbZelk->openedReadOnly() || !Database::fileIsWritable(DatabasePath))
        return;
    try {
        auto fresh = Database::open(DatabasePath, Database::Mode::Shared);
        if (fresh->openedReadOnly())
            return;
        try {
            upgradeRegister(*fresh);
            addMissingSettingsRow(*fresh);
        } catch (const EngineError&) {
            // Made at a later start, as when the register opens.
        }
        const auto again = [&fresh](const std::unique_ptr<Recordset>& old) {
            return old ? fresh->openRecordset(old->source()) : nullptr;
        };
        std::array<std::unique_ptr<Recordset>, 5> sets{again(rsZelk), again(rsSettings), again(rsMemberTypes),
                                                       again(rsLookups), again(rsLabels)};
        if (sets[0] && rsZelk && !rsZelk->bof() && !rsZelk->eof()) {
            try {
                sets[0]->setBookmark(rsZelk->bookmark());
            } catch (const EngineError&) {
            }
        }
        // The old record sets go before the connection they were read through.
        rsInUse.reset();
        rsZelk = std::move(sets[0]);
        rsSettings = std::move(sets[1]);
        rsMemberTypes = std::move(sets[2]);
        rsLookups = std::move(sets[3]);
        rsLabels = std::move(sets[4]);
        dbZelk = std::move(fresh);
    } catch (const EngineError&) {
        // Still not writable after all: the save that follows says so.
    }
}

} // namespace zelk
