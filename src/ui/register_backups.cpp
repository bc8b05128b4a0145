#include "register_backups.h"

namespace zelk {

namespace {

RegisterBackupRoutines& routines()
{
    static RegisterBackupRoutines named;
    return named;
}

} // namespace

void setRegisterBackupRoutines(RegisterBackupRoutines r)
{
    routines() = std::move(r);
}

void backUpRegisterIfDue(AppState& state)
{
    if (routines().backUpIfDue)
        routines().backUpIfDue(state);
}

bool offerBackupForDamagedRegister(const QString& registerPath)
{
    return routines().restoreDamaged && routines().restoreDamaged(registerPath);
}

} // namespace zelk
