#pragma once
// What start-up asks of the register's backups: the everyday backup once the register is
// open, and a good backup put in place of a register found damaged. The backups live in a
// window folder above start-up, so the program names the routines at its start (main.cpp);
// until it does, start-up makes no backup and offers none.
#include <QString>
#include <functional>

namespace zelk {

struct AppState;

struct RegisterBackupRoutines {
    std::function<void(AppState&)> backUpIfDue;
    // True when a backup now stands in place of the damaged register at the path.
    std::function<bool(const QString& registerPath)> restoreDamaged;
};

void setRegisterBackupRoutines(RegisterBackupRoutines routines);

// Start-up's calls.
void backUpRegisterIfDue(AppState& state);
bool offerBackupForDamagedRegister(const QString& registerPath);

} // namespace zelk
