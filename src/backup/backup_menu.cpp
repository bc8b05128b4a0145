#include "backup_menu.h"

#include "backup_messages.h"
#include "backup_restore.h"
#include "frm_restore_backup.h"
#include "register_backup.h"

#include "core/app_state.h"
#include "ui/busy_cursor.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/register_backups.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace zelk::backup {

void installStartupRoutines()
{
    setRegisterBackupRoutines({backUpIfDue, restoreDamagedRegister});
}

void backUpIfDue(AppState& state)
{
    const QDateTime now = QDateTime::currentDateTime();
    if (!state.dbZelk || !backupDue(state.DatabasePath, now))
        return;
    Outcome outcome;
    {
        BusyCursor busy;
        outcome = makeBackup(*state.dbZelk, Kind::Everyday, now);
    }
    if (!outcome.made())
        MessageBox::show(backupFailedMessage(outcome));
}

bool restoreDamagedRegister(const QString& registerPath)
{
    std::optional<BackupFile> good;
    {
        BusyCursor busy;
        good = newestGoodBackup(registerPath);
    }
    if (!good)
        return false;
    BackupSummary summary;
    summary.file = *good;
    try {
        summary.members = memberCount(good->path);
    } catch (const std::exception&) {
    }
    if (MessageBox::show(restoreDamagedQuestion(registerPath, summary)) != MsgAnswer::Yes)
        return false;
    RestoreOutcome outcome;
    {
        BusyCursor busy;
        outcome = restoreRegister(registerPath, good->path, QDateTime::currentDateTime());
    }
    MessageBox::show(restoreOutcomeMessage(outcome, good->path));
    return outcome.restored();
}

void BackUpNow(AppState& state, QWidget* parent)
{
    const QString proposed = QDir(backupsFolder(state.DatabasePath)).filePath(backupName(state.DatabasePath, QDateTime::currentDateTime(), Kind::Everyday));
    QDir().mkpath(backupsFolder(state.DatabasePath));
    const QString path = UserDialogs::saveFile({QStringLiteral("Back up now"), proposed, QStringLiteral("Registers (*.mdb)|*.mdb")}, parent);
    if (path.isEmpty())
        return;
    Outcome outcome;
    {
        BusyCursor busy;
        outcome = backUpTo(*state.dbZelk, path);
    }
    MessageBox::show(outcome.made() ? backupMadeMessage(outcome) : backupFailedMessage(outcome), parent);
}

void addBackupMenuItems(QMenu* file, QAction* before, AppState& state, MainView& view, QWidget* parent,
                        const std::function<bool()>& editing)
{
    auto* backUpNow = new QAction(QStringLiteral("&Back up now..."), file);
    backUpNow->setObjectName(QStringLiteral("mnuBackUpNow"));
    auto* restore = new QAction(QStringLiteral("&Restore from a backup..."), file);
    restore->setObjectName(QStringLiteral("mnuRestoreBackup"));
    file->insertSeparator(before);
    file->insertAction(before, backUpNow);
    file->insertAction(before, restore);
    QObject::connect(backUpNow, &QAction::triggered, parent, [&state, parent] { BackUpNow(state, parent); });
    QObject::connect(restore, &QAction::triggered, parent, [&state, &view, parent, editing] {
        if (editing()) {
            MessageBox::show(QStringLiteral("You have changed this member but not saved the changes.\n\n"
                                            "Please save or undo them before restoring a backup."),
                             QStringLiteral("Unsaved changes"), MsgButtons::OK, MsgIcon::Exclamation, parent);
            return;
        }
        frmRestoreBackup window(state, view, parent);
        runModal(window);
    });
}

} // namespace zelk::backup
