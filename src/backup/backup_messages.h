#pragma once
// What the user is told about backups: every text in one place, for the windows (as
// messages) and the command line (their text alone).
#include "backup_restore.h"
#include "register_backup.h"

#include "core/question.h"

namespace zelk::backup {

// "Sunday, 6 December 2026 at 19:10", in the user's language.
QString whenMade(const QDateTime& made);
// "2.4 MB".
QString sizeText(qint64 bytes);
// "1 member", "1,204 members".
QString membersText(int members);

// Why a backup was not made and what to do, in a sentence or two.
QString problemText(const Outcome& outcome);

// A backup that failed: said once, with what happened and that nothing was lost.
MessageRequest backupFailedMessage(const Outcome& outcome);
// The same before an import or conversion, asking whether to go on without a backup (No
// is the default: nothing is imported).
MessageRequest importWithoutBackupQuestion(const Outcome& outcome);
// "Back up now..." done.
MessageRequest backupMadeMessage(const Outcome& outcome);

// Why a file cannot be restored.
QString refusalText(Refusal refusal, const QString& path, const QString& detail);
// Asked before a backup replaces the register.
MessageRequest restoreQuestion(const BackupSummary& backup);
// What became of a restore.
MessageRequest restoreOutcomeMessage(const RestoreOutcome& outcome, const QString& path);
// Offered at start-up when the register is damaged and a good backup is there.
MessageRequest restoreDamagedQuestion(const QString& registerPath, const BackupSummary& backup);

} // namespace zelk::backup
