#pragma once
// The backups as the windows offer them: the File menu's "Back up now..." and "Restore
// from a backup...", the everyday backup at start-up, and the offer of a good backup when
// start-up finds the register damaged.
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace zelk {
struct AppState;
class MainView;
}

namespace zelk::backup {

// Names the start-up routines below to start-up (see ui/register_backups.h).
void installStartupRoutines();

// At start-up: backs up the register when no backup was made in the last day. A backup
// that fails is said once, plainly; the program goes on.
void backUpIfDue(AppState& state);

// At start-up, for a damaged register: offers the newest good backup in its place.
// True when it is now there (the damaged register kept in the backups folder).
bool restoreDamagedRegister(const QString& registerPath);

// File > "Back up now...": the user chooses where; the backup is made and checked there.
void BackUpNow(AppState& state, QWidget* parent);

// Adds "Back up now..." and "Restore from a backup..." to the File menu before `before`.
// `editing` tells whether the main window holds an unsaved change, which a restore would
// throw away: the user is asked to save or undo it first.
void addBackupMenuItems(QMenu* file, QAction* before, AppState& state, MainView& view, QWidget* parent,
                        const std::function<bool()>& editing);

} // namespace zelk::backup
