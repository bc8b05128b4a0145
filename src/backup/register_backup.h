#pragma once
// The register's backups: copies made with the engine's online backup into the folder
// "backups" beside the register, named by the date and time they were made
// ("zelk2002-2026-12-06-1910.mdb"), each checked before it is kept. Only once a new backup
// has passed its check are older ones removed: the everyday backups beyond the newest ten,
// and those made before an import or a restore once they are thirty days old. A backup
// that fails leaves every older one as it was and says why, once.
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace zelk {
class Database;
}

namespace zelk::backup {

enum class Kind {
    Everyday,        // at start-up once a day, and from the File menu
    BeforeImport,    // before an import or conversion writes its first member
    BeforeRestore,   // the register as it was before a backup replaced it
    Damaged,         // a damaged register, set aside as it was before a restore
};

struct BackupFile {
    QString path;
    QDateTime made;   // from the name: local time, to the minute
    Kind kind = Kind::Everyday;
    int sequence = 1;   // the second backup of the same minute is "-2", and so on
    QDateTime written;  // the file's own time, which orders backups of the same minute
};

// "<register's folder>/backups".
QString backupsFolder(const QString& registerPath);

// The file name of a backup made at `when`: the register's name, the date and time, and
// what it was made before ("zelk2002-2026-12-06-1910-before-import.mdb").
QString backupName(const QString& registerPath, const QDateTime& when, Kind kind);

// What a file name in the backups folder says, or nothing for a file that is not a backup.
std::optional<BackupFile> readBackupName(const QString& registerPath, const QString& fileName);

// The backups of the register, newest first.
std::vector<BackupFile> backupFiles(const QString& registerPath);

// True when no backup was made in the day before `now` (a backup dated after `now`, made
// while the clock was wrong, does not count).
bool backupDue(const QString& registerPath, const QDateTime& now);

// The backups (newest first, as backupFiles gives them) that are no longer kept at `now`.
std::vector<BackupFile> backupsPastKeeping(const std::vector<BackupFile>& files, const QDateTime& now);
inline constexpr int kEverydayKept = 10;
inline constexpr int kDaysKept = 30;

enum class Problem {
    None,
    FolderNotWritable,   // the backups folder cannot be made or written to
    DiskFull,
    RegisterInUse,       // another program holds the register and would not let go
    RegisterDamaged,     // the copy failed its check: the register itself is damaged
    Other,
};

struct Outcome {
    Problem problem = Problem::None;
    QString path;     // the backup made, or the one that could not be made
    QString detail;   // the engine's description, or the check's first finding
    bool made() const { return problem == Problem::None; }
};

// Backs up the open register into its backups folder, checks the copy and, when it is
// sound, removes the backups no longer kept. Never throws.
Outcome makeBackup(Database& db, Kind kind, const QDateTime& now);
// The same for a register file that is not open here.
Outcome makeBackupOfFile(const QString& registerPath, Kind kind, const QDateTime& now);
// Backs the open register up as the file `path` of the user's choosing. A file already
// there is replaced only by a complete, checked copy. Never throws.
Outcome backUpTo(Database& db, const QString& path);

// A plain copy, byte for byte, of a damaged register (and its journal, when there is one)
// into the backups folder, so what it held can still be looked at after a restore. Only
// for a register nothing has open.
Outcome setAsideDamaged(const QString& registerPath, const QDateTime& now);

} // namespace zelk::backup
