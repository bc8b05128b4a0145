#pragma once
// Looking at a backup and putting it back in place of the register. A file is restored
// only when it is a sound register; the register as it was is backed up first (or, when
// it is damaged, set aside as it is), and then replaced in one step, so a failure at any
// point leaves the register as it was.
#include "register_backup.h"

#include <QString>
#include <vector>

namespace zelk::backup {

// Why a file cannot be restored.
enum class Refusal {
    None,
    Missing,        // no such file, or it cannot be read
    NotADatabase,   // not a database at all
    Damaged,        // a database that fails its check
    NotARegister,   // a sound database of some other program
    IsTheRegister,  // the register itself
};

struct BackupCheck {
    Refusal refusal = Refusal::None;
    QString detail;     // the check's first finding, or the engine's words
    int members = -1;   // members it holds (the blank member of a new register not counted)
};

// Checks the whole file: SQLite's integrity check, then the register's tables.
BackupCheck checkBackup(const QString& path, const QString& registerPath);

// One line of the list of backups.
struct BackupSummary {
    BackupFile file;
    qint64 size = 0;    // bytes
    int members = -1;   // -1 when the file cannot be read as a register
};

// Every backup of the register, newest first, with its size and number of members
// (read quickly: the full check is made when one is restored). A damaged register set
// aside is not among them.
std::vector<BackupSummary> listBackups(const QString& registerPath);

// Members in a register file (the blank member a new register starts with not counted).
// Throws EngineError.
int memberCount(const QString& path);

struct RestoreOutcome {
    enum class Status {
        Restored,
        Refused,      // the file is no register to restore: `refusal`
        NotSafe,      // the register could not be backed up first: `safety` says why
        NotReplaced,  // the register could not be replaced: `detail`; it is as it was
    };
    Status status = Status::Refused;
    Refusal refusal = Refusal::None;
    Outcome safety;      // the backup of the register as it was (or the damaged copy)
    QString detail;
    int members = -1;    // members of the register restored
    bool restored() const { return status == Status::Restored; }
};

// Puts the backup `path` in place of the register at `registerPath`, which nothing of
// this program may have open. Checks the backup; backs up the register as it is (a
// damaged one is set aside byte for byte); then replaces its content in one transaction
// (a damaged register, whose content SQLite cannot replace, is replaced as a file).
RestoreOutcome restoreRegister(const QString& registerPath, const QString& path, const QDateTime& now);

// The newest backup that passes the whole check, or nothing.
std::optional<BackupFile> newestGoodBackup(const QString& registerPath);

} // namespace zelk::backup
