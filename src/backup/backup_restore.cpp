#include "backup_restore.h"

#include "engine/engine_error.h"
#include "engine/online_backup.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace zelk::backup {

namespace {

bool samePlace(const QString& a, const QString& b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

// The register's own tables, whatever their case: a database without them is another
// program's.
bool hasRegisterTables(const QString& path)
{
    return readOnlyValue(path, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                              "lower(name) IN ('zelk', 'settings', 'members', 'lookups')"))
               .toInt()
           == 4;
}

// Puts a copy of `backup` in place of a damaged register as a whole new file. Its journal
// goes first: left beside the new file, SQLite would play the damaged file's unfinished
// changes back into it.
void replaceDamagedFile(const QString& backup, const QString& registerPath)
{
    const QString restoring = registerPath + QStringLiteral(".restoring");
    QFile::remove(restoring);
    copyDatabaseFile(backup, restoring);
    QFile::remove(registerPath + QStringLiteral("-journal"));
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(restoring).toStdString(), QFile::encodeName(registerPath).toStdString(), error);
    if (error) {
        QFile::remove(restoring);
        throw EngineError(err::CannotOpenFile, QString::fromLocal8Bit(error.message().c_str()));
    }
}

// A register that passes the check on a read-only connection. One that fails it, or that
// cannot even be read so (damaged past reading, or with the journal of a crash that only
// a writer could play back), can only be set aside as it is.
bool registerReadable(const QString& registerPath)
{
    try {
        return integrityProblems(registerPath).isEmpty();
    } catch (const EngineError&) {
        return false;
    }
}

} // namespace

int memberCount(const QString& path)
{
    return readOnlyValue(path, QStringLiteral("SELECT (SELECT count(*) FROM Zelk) - (SELECT count(*) FROM Zelk WHERE "
                                              "Number = 1 AND trim(Surname) = '' AND trim(FirstName) = '')"))
        .toInt();
}

BackupCheck checkBackup(const QString& path, const QString& registerPath)
{
    BackupCheck check;
    if (samePlace(path, registerPath)) {
        check.refusal = Refusal::IsTheRegister;
        return check;
    }
    try {
        const QStringList problems = integrityProblems(path);
        if (!problems.isEmpty()) {
            check.refusal = Refusal::Damaged;
            check.detail = problems.first();
            return check;
        }
    } catch (const EngineError& e) {
        check.detail = e.description();
        check.refusal = e.number() == err::NotAnSqliteFile                                     ? Refusal::NotADatabase
                        : e.number() == err::FileNotFound || e.number() == err::CannotOpenFile ? Refusal::Missing
                                                                                               : Refusal::Damaged;
        return check;
    }
    try {
        if (hasRegisterTables(path))
            check.members = memberCount(path);
        else
            check.refusal = Refusal::NotARegister;
    } catch (const EngineError& e) {
        // The tables are there, but not the member fields of a register.
        check.refusal = Refusal::NotARegister;
        check.detail = e.description();
    }
    return check;
}

std::vector<BackupSummary> listBackups(const QString& registerPath)
{
    std::vector<BackupSummary> list;
    for (const BackupFile& file : backupFiles(registerPath)) {
        if (file.kind == Kind::Damaged)
            continue;
        BackupSummary line;
        line.file = file;
        line.size = QFileInfo(file.path).size();
        try {
            line.members = memberCount(file.path);
        } catch (const EngineError&) {
        }
        list.push_back(line);
    }
    return list;
}

std::optional<BackupFile> newestGoodBackup(const QString& registerPath)
{
    for (const BackupFile& file : backupFiles(registerPath))
        if (file.kind != Kind::Damaged && checkBackup(file.path, registerPath).refusal == Refusal::None)
            return file;
    return std::nullopt;
}

RestoreOutcome restoreRegister(const QString& registerPath, const QString& path, const QDateTime& now)
{
    RestoreOutcome outcome;
    const BackupCheck check = checkBackup(path, registerPath);
    if (check.refusal != Refusal::None) {
        outcome.refusal = check.refusal;
        outcome.detail = check.detail;
        return outcome;
    }

    bool damaged = false;
    if (QFileInfo::exists(registerPath)) {
        outcome.safety = makeBackupOfFile(registerPath, Kind::BeforeRestore, now);
        if (!outcome.safety.made() && !registerReadable(registerPath)) {
            damaged = true;
            outcome.safety = setAsideDamaged(registerPath, now);
        }
        if (!outcome.safety.made()) {
            outcome.status = RestoreOutcome::Status::NotSafe;
            return outcome;
        }
    }

    try {
        if (damaged)
            replaceDamagedFile(path, registerPath);
        else
            replaceDatabaseContent(path, registerPath);
    } catch (const EngineError& e) {
        outcome.status = RestoreOutcome::Status::NotReplaced;
        outcome.detail = e.description();
        return outcome;
    }
    outcome.status = RestoreOutcome::Status::Restored;
    outcome.members = check.members;
    return outcome;
}

} // namespace zelk::backup
