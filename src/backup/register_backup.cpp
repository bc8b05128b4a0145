#include "register_backup.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/online_backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

namespace zelk::backup {

namespace {

const QString kStamp = QStringLiteral("yyyy-MM-dd-HHmm");
const QString kPart = QStringLiteral(".part");

QString kindSuffix(Kind kind)
{
    switch (kind) {
    case Kind::Everyday: return {};
    case Kind::BeforeImport: return QStringLiteral("-before-import");
    case Kind::BeforeRestore: return QStringLiteral("-before-restore");
    case Kind::Damaged: return QStringLiteral("-damaged");
    }
    return {};
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

bool folderWritable(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".zelk-write-test-XXXXXX")));
    return probe.open();
}

// A name in the backups folder that no file has yet: the second of the same minute and
// kind gets "-2", and so on.
QString freeBackupPath(const QString& registerPath, const QDateTime& when, Kind kind)
{
    const QDir folder(backupsFolder(registerPath));
    const QString name = backupName(registerPath, when, kind);
    const QString stem = QFileInfo(name).completeBaseName();
    const QString suffix = QFileInfo(name).suffix();
    QString path = folder.filePath(name);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(path + kPart); ++n)
        path = folder.filePath(QStringLiteral("%1-%2.%3").arg(stem).arg(n).arg(suffix));
    return path;
}

// A copy left half-made by a backup that was stopped (the program killed, the machine
// switched off) is never a backup. One younger than an hour may be another copy of the
// program at work.
void removeUnfinishedCopies(const QString& registerPath, const QDateTime& now)
{
    const QDir folder(backupsFolder(registerPath));
    const QString pattern = QFileInfo(registerPath).completeBaseName() + QStringLiteral("-*") + kPart;
    for (const QFileInfo& part : folder.entryInfoList({pattern}, QDir::Files))
        if (part.lastModified().secsTo(now) > 3600)
            QFile::remove(part.absoluteFilePath());
}

Problem problemOf(const EngineError& e)
{
    switch (e.number()) {
    case err::DiskFull: return Problem::DiskFull;
    case err::ReadOnly:
    case err::CannotOpenFile: return Problem::FolderNotWritable;
    case err::RecordLocked:
    case err::LockedExclusively:
    case err::TableLockedByUser:
    case err::FileInUse: return Problem::RegisterInUse;
    case err::NotAnSqliteFile: return Problem::RegisterDamaged;
    default: return Problem::Other;
    }
}

// Copies the register into `part`, checks the copy and moves it to `path`. Whatever
// fails, nothing is left at `part` and `path` is as it was.
Outcome copyCheckAndPlace(const std::function<void(const QString&)>& copy, const QString& path)
{
    const QString part = path + kPart;
    Outcome outcome;
    outcome.path = path;
    if (!folderWritable(folderOf(path))) {
        outcome.problem = Problem::FolderNotWritable;
        return outcome;
    }
    try {
        QFile::remove(part);
        copy(part);
        const QStringList problems = integrityProblems(part);
        if (!problems.isEmpty()) {
            outcome.problem = Problem::RegisterDamaged;
            outcome.detail = problems.first();
        }
    } catch (const EngineError& e) {
        outcome.problem = problemOf(e);
        outcome.detail = e.description();
    }
    if (outcome.made()) {
        // Replaces a file at `path` in one step: it is the old file or the new, never half.
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(part).toStdString(), QFile::encodeName(path).toStdString(), error);
        if (error) {
            outcome.problem = Problem::Other;
            outcome.detail = QString::fromLocal8Bit(error.message().c_str());
        }
    }
    if (!outcome.made())
        QFile::remove(part);
    return outcome;
}

Outcome backUpInto(const QString& registerPath, Kind kind, const QDateTime& now,
                   const std::function<void(const QString&)>& copy)
{
    const QString folder = backupsFolder(registerPath);
    if (!QDir().mkpath(folder))
        return {Problem::FolderNotWritable, folder, {}};
    removeUnfinishedCopies(registerPath, now);
    const Outcome outcome = copyCheckAndPlace(copy, freeBackupPath(registerPath, now, kind));
    if (outcome.made())
        for (const BackupFile& old : backupsPastKeeping(backupFiles(registerPath), now)) {
            QFile::remove(old.path);
            QFile::remove(old.path + QStringLiteral("-journal"));   // beside a damaged register set aside
        }
    return outcome;
}

} // namespace

QString backupsFolder(const QString& registerPath)
{
    return QDir(folderOf(registerPath)).filePath(QStringLiteral("backups"));
}

QString backupName(const QString& registerPath, const QDateTime& when, Kind kind)
{
    const QFileInfo info(registerPath);
    return QStringLiteral("%1-%2%3.%4").arg(info.completeBaseName(), when.toString(kStamp), kindSuffix(kind), info.suffix());
}

std::optional<BackupFile> readBackupName(const QString& registerPath, const QString& fileName)
{
    const QFileInfo info(registerPath);
    const QRegularExpression form(QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2}-\\d{4})(-before-import|-before-restore|-damaged)?(?:-(\\d{1,3}))?\\.%2$")
                                      .arg(QRegularExpression::escape(info.completeBaseName()), QRegularExpression::escape(info.suffix())));
    const QRegularExpressionMatch m = form.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    BackupFile file;
    file.made = QDateTime::fromString(m.captured(1), kStamp);
    if (!file.made.isValid())
        return std::nullopt;
    const QString kind = m.captured(2);
    file.kind = kind.isEmpty() ? Kind::Everyday
                : kind == kindSuffix(Kind::BeforeImport) ? Kind::BeforeImport
                : kind == kindSuffix(Kind::BeforeRestore) ? Kind::BeforeRestore
                                                          : Kind::Damaged;
    file.sequence = m.captured(3).isEmpty() ? 1 : m.captured(3).toInt();
    file.path = QDir(backupsFolder(registerPath)).filePath(fileName);
    file.written = QFileInfo(file.path).lastModified();
    return file;
}

std::vector<BackupFile> backupFiles(const QString& registerPath)
{
    std::vector<BackupFile> files;
    const QDir folder(backupsFolder(registerPath));
    for (const QString& name : folder.entryList(QDir::Files))
        if (auto file = readBackupName(registerPath, name))
            files.push_back(*file);
    std::sort(files.begin(), files.end(), [](const BackupFile& a, const BackupFile& b) {
        if (a.made != b.made)
            return a.made > b.made;
        if (a.written != b.written)
            return a.written > b.written;
        return a.sequence != b.sequence ? a.sequence > b.sequence : a.path > b.path;
    });
    return files;
}

bool backupDue(const QString& registerPath, const QDateTime& now)
{
    const QDateTime dayBefore = now.addDays(-1);
    for (const BackupFile& file : backupFiles(registerPath))
        if (file.made > dayBefore && file.made <= now)
            return false;
    return true;
}

std::vector<BackupFile> backupsPastKeeping(const std::vector<BackupFile>& files, const QDateTime& now)
{
    std::vector<BackupFile> past;
    int everyday = 0;
    const QDateTime oldestKept = now.addDays(-kDaysKept);
    for (const BackupFile& file : files) {
        if (file.kind == Kind::Everyday) {
            if (++everyday > kEverydayKept)
                past.push_back(file);
        } else if (file.made < oldestKept) {
            past.push_back(file);
        }
    }
    return past;
}

Outcome makeBackup(Database& db, Kind kind, const QDateTime& now)
{
    return backUpInto(db.path(), kind, now, [&db](const QString& to) { copyDatabase(db, to); });
}

Outcome makeBackupOfFile(const QString& registerPath, Kind kind, const QDateTime& now)
{
    return backUpInto(registerPath, kind, now, [&registerPath](const QString& to) { copyDatabaseFile(registerPath, to); });
}

Outcome backUpTo(Database& db, const QString& path)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(db.path()).canonicalFilePath())
        return {Problem::Other, target, QStringLiteral("That is the register itself; choose another name for the backup.")};
    if (!QFileInfo(folderOf(target)).isDir())
        return {Problem::FolderNotWritable, target, QStringLiteral("There is no folder %1.").arg(folderOf(target))};
    return copyCheckAndPlace([&db](const QString& to) { copyDatabase(db, to); }, target);
}

Outcome setAsideDamaged(const QString& registerPath, const QDateTime& now)
{
    const QString folder = backupsFolder(registerPath);
    if (!QDir().mkpath(folder) || !folderWritable(folder))
        return {Problem::FolderNotWritable, folder, {}};
    const QString path = freeBackupPath(registerPath, now, Kind::Damaged);
    const QString journal = registerPath + QStringLiteral("-journal");
    QFile source(registerPath);
    bool copied = source.copy(path);
    QString detail = source.errorString();
    if (copied && QFileInfo::exists(journal)) {
        QFile sourceJournal(journal);
        copied = sourceJournal.copy(path + QStringLiteral("-journal"));
        detail = sourceJournal.errorString();
    }
    if (!copied) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        return {Problem::Other, path, detail};
    }
    return {Problem::None, path, {}};
}

} // namespace zelk::backup
