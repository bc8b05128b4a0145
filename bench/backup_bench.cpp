#include "backup_bench.h"

#include "timing.h"

#include "backup/backup_restore.h"
#include "backup/register_backup.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/online_backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace zelk::bench {

namespace {

void row(const char* operation, double ms, const QString& note)
{
    const QByteArray figure = ms < 0 ? QByteArray("-") : QByteArray::number(ms, 'f', 1);
    std::printf("%-44s %10s  %s\n", operation, figure.constData(), note.toUtf8().constData());
}

QString ratio(double ours, double theirs)
{
    return theirs > 0 ? QStringLiteral("%1x the sqlite3 tool").arg(ours / theirs, 0, 'f', 2) : QStringLiteral("no figure to compare");
}

// The sqlite3 tool run as a user would run it: one process for each backup, so its start
// is in the figure (about as long as the program's own start before a backup).
double sqliteToolBackupMs(const QString& tool, const QString& path, const QDir& scratch)
{
    int run = 0;
    bool ok = true;
    const double ms = medianMs([&] {
        const QString target = scratch.filePath(QStringLiteral("tool-%1.mdb").arg(++run));
        QProcess process;
        process.start(tool, {QStringLiteral("-readonly"), path, QStringLiteral(".backup '%1'").arg(target)});
        ok = ok && process.waitForFinished(120000) && process.exitCode() == 0 && QFileInfo(target).size() > 0;
    });
    return ok ? ms : -1;
}

} // namespace

void printRegisterBackup(const QString& path)
{
    QTemporaryDir temporary;
    if (!temporary.isValid()) {
        std::fprintf(stderr, "backup: cannot make a temporary folder\n");
        return;
    }
    const QDir scratch(temporary.path());
    const QString registerPath = scratch.filePath(QStringLiteral("zelk2002.mdb"));
    try {
        copyDatabaseFile(path, registerPath);
        auto db = Database::open(registerPath);
        const int members = backup::memberCount(registerPath);
        const double megabytes = double(QFileInfo(registerPath).size()) / 1e6;

        std::printf("\nBacking up the register: %d members, %.1f MB\n\n", members, megabytes);
        std::printf("%-44s %10s  %s\n", "operation", "ms", "note");
        std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");

        const QString tool = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        const double toolMs = tool.isEmpty() ? -1 : sqliteToolBackupMs(tool, registerPath, scratch);
        row("sqlite3 tool, .backup", toolMs,
            tool.isEmpty() ? QStringLiteral("no sqlite3 on PATH") : QStringLiteral("median of %1, a process each").arg(kRuns));

        int copies = 0;
        const double copyMs = medianMs([&] { copyDatabase(*db, scratch.filePath(QStringLiteral("copy-%1.mdb").arg(++copies))); });
        row("online copy alone", copyMs, QStringLiteral("median of %1; ").arg(kRuns) + ratio(copyMs, toolMs));

        const double checkMs = medianMs([&] { integrityProblems(registerPath); });
        row("PRAGMA integrity_check of the copy", checkMs, QStringLiteral("median of %1").arg(kRuns));
        // The lighter check SQLite offers (no index checked against its table), for comparison.
        const double quickMs = medianMs([&] { readOnlyValue(registerPath, QStringLiteral("PRAGMA quick_check")); });
        row("PRAGMA quick_check of the copy", quickMs,
            QStringLiteral("median of %1; copy and quick_check: ").arg(kRuns) + ratio(copyMs + quickMs, toolMs));

        // Each backup a day apart, so each is a new file and the rotation has work to do.
        QDateTime when = QDateTime::currentDateTime();
        bool allMade = true;
        const double backupMs = medianMs([&] {
            when = when.addDays(1);
            allMade = backup::makeBackup(*db, backup::Kind::Everyday, when).made() && allMade;
        });
        row("backup: copy, check, put in place, rotate", backupMs,
            QStringLiteral("median of %1; ").arg(kRuns) + ratio(backupMs, toolMs) + (allMade ? QString() : QStringLiteral(", A BACKUP FAILED")));

        for (int k = 0; k < backup::kEverydayKept; ++k) {
            when = when.addDays(1);
            backup::makeBackup(*db, backup::Kind::Everyday, when);
        }
        std::size_t listed = 0;
        const double listMs = medianMs([&] { listed = backup::listBackups(registerPath).size(); });
        row("list of backups, with members counted", listMs, QStringLiteral("median of %1, %2 backups").arg(kRuns).arg(listed));

        db.reset();
        const QString chosen = backup::backupFiles(registerPath).front().path;
        const double restoreMs = elapsedMs([&] { backup::restoreRegister(registerPath, chosen, when.addSecs(60)); });
        row("restore: check, back up the register, replace", restoreMs, QStringLiteral("one run"));
    } catch (const EngineError& e) {
        std::fprintf(stderr, "backup: engine error %d: %s\n", e.number(), qPrintable(e.description()));
    }
}

} // namespace zelk::bench
