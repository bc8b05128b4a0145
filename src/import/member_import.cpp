#include "member_import.h"

#include "backup/backup_messages.h"
#include "backup/register_backup.h"
#include "core/app_state.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"

namespace zelk::import {

QString placeholderQuery()
{
    return QStringLiteral("Select * from Zelk Where Number = 1 and trim(Surname) = '' and trim(FirstName) =''");
}

bool RemovePlaceholderMember(AppState& state)
{
    state.reopen(state.rsZelk, placeholderQuery());
    if (state.rsZelk->eof())
        return false;
    state.rsZelk->moveFirst();
    state.rsZelk->deleteCurrent();
    return true;
}

void ReopenSharedRecordsets(AppState& state)
{
    state.reopen(state.rsMemberTypes, query::memberTypes());
    state.reopen(state.rsLookups, query::lookups());
    state.reopen(state.rsZelk, membersInOrder(state.SortOrder));
}

MessageRequest importNotStoredMessage(int errorNumber, const QString& description)
{
    return {QStringLiteral("Sorry, but the register could not store this import.\n\n%1 (error %2)\n\n"
                           "Nothing from it has been added, so it can simply be imported again once the problem is "
                           "put right: close any other program that has the register open, or make space on the disk.")
                .arg(description)
                .arg(errorNumber),
            QStringLiteral("Import not stored"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}

MessageRequest importedMessage()
{
    return {QStringLiteral("Your data has now been imported successfully."), QStringLiteral("All done"), MsgButtons::OK,
            MsgIcon::Information, MsgAnswer::OK};
}

ImportResult runImport(AppState& state, ImportMode mode, const ImportCallbacks& io, const ImportWork& work)
{
    // The register as it was is backed up before the first member is written; without a
    // backup the import goes on only when the user says so.
    if (mode == ImportMode::Store) {
        const backup::Outcome saved = backup::makeBackup(*state.dbZelk, backup::Kind::BeforeImport, QDateTime::currentDateTime());
        if (!saved.made() && io.ask(backup::importWithoutBackupQuestion(saved)) != MsgAnswer::Yes)
            return ImportResult{};
    }
    ImportResult result;
    try {
        // The record sets added through now hold rows that a rollback takes away again:
        // they are reopened below whatever happens.
        TransactionGuard transaction(*state.dbZelk);
        result.membersAdded = work();
        result.placeholderRemoved = RemovePlaceholderMember(state);
        if (mode == ImportMode::Store) {
            transaction.commit();
            result.status = ImportResult::Status::Stored;
        } else {
            result.status = ImportResult::Status::Checked;
        }
    } catch (const ImportStopped&) {
        result = ImportResult{};
    } catch (const EngineError& e) {
        result = ImportResult{};
        io.ask(importNotStoredMessage(e.number(), e.description()));
    } catch (...) {
        try {
            ReopenSharedRecordsets(state);
        } catch (...) {
        }
        throw;
    }
    ReopenSharedRecordsets(state);
    return result;
}

} // namespace zelk::import
