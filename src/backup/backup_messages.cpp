#include "backup_messages.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace zelk::backup {

namespace {

const QString kNotMade = QStringLiteral("Backup not made");
const QString kNotRestored = QStringLiteral("Backup not restored");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString whenMade(const QDateTime& made)
{
    const QLocale locale;
    return QStringLiteral("%1 at %2").arg(locale.toString(made.date(), QLocale::LongFormat),
                                          locale.toString(made.time(), QLocale::ShortFormat));
}

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString membersText(int members)
{
    return QStringLiteral("%1 %2").arg(QLocale().toString(members), members == 1 ? QStringLiteral("member") : QStringLiteral("members"));
}

QString problemText(const Outcome& outcome)
{
    const QString folder = shown(QFileInfo(outcome.path).absolutePath());
    switch (outcome.problem) {
    case Problem::None:
        return {};
    case Problem::FolderNotWritable:
        return QStringLiteral("The folder %1 cannot be written to. Check that the disk is there and that you may write "
                              "to that folder.")
            .arg(outcome.path.endsWith(QLatin1String("backups")) ? shown(outcome.path) : folder);
    case Problem::DiskFull:
        return QStringLiteral("The disk that holds %1 is full. Make some space on it, then back up again.").arg(folder);
    case Problem::RegisterInUse:
        return QStringLiteral("Another program is holding the register and would not let it be read. Close that "
                              "program, then back up again.");
    case Problem::RegisterDamaged:
        return QStringLiteral("The copy of the register failed its check (%1), which means the register itself is "
                              "damaged. Restore the newest good backup with \"Restore from a backup...\" on the File "
                              "menu.")
            .arg(outcome.detail);
    case Problem::Other:
        break;
    }
    return outcome.detail.isEmpty() ? QStringLiteral("The backup could not be written.") : outcome.detail;
}

MessageRequest backupFailedMessage(const Outcome& outcome)
{
    return {QStringLiteral("Zelk Membership could not back up your register.\n\n%1\n\n"
                           "Your register has not been changed, and every earlier backup has been kept.")
                .arg(problemText(outcome)),
            kNotMade, MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

MessageRequest importWithoutBackupQuestion(const Outcome& outcome)
{
    return {QStringLiteral("Zelk Membership could not back up your register before this import.\n\n%1\n\n"
                           "Do you want to import without a backup?")
                .arg(problemText(outcome)),
            kNotMade, MsgButtons::YesNo, MsgIcon::Exclamation, MsgAnswer::No};
}

MessageRequest backupMadeMessage(const Outcome& outcome)
{
    return {QStringLiteral("Your register has been backed up to\n\n%1").arg(shown(outcome.path)), QStringLiteral("Backup made"),
            MsgButtons::OK, MsgIcon::Information, MsgAnswer::OK};
}

QString refusalText(Refusal refusal, const QString& path, const QString& detail)
{
    const QString file = shown(path);
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::Missing:
        return QStringLiteral("The file %1 could not be read.").arg(file);
    case Refusal::NotADatabase:
        return QStringLiteral("The file %1 is not a backup of a register: it is not a database at all.").arg(file);
    case Refusal::Damaged:
        return QStringLiteral("The file %1 is damaged (%2), so it cannot be restored. Choose an older backup.").arg(file, detail);
    case Refusal::NotARegister:
        return QStringLiteral("The file %1 is a database of some other program, not a backup of a register.").arg(file);
    case Refusal::IsTheRegister:
        return QStringLiteral("The file %1 is your register itself, not a backup of it.").arg(file);
    }
    return {};
}

MessageRequest restoreQuestion(const BackupSummary& backup)
{
    return {QStringLiteral("Do you want to put the backup of %1 in place of your register? It holds %2.\n\n"
                           "Your register as it is now will be backed up first, so this can be undone.")
                .arg(whenMade(backup.file.made), membersText(backup.members)),
            QStringLiteral("Just checking"), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No};
}

MessageRequest restoreOutcomeMessage(const RestoreOutcome& outcome, const QString& path)
{
    switch (outcome.status) {
    case RestoreOutcome::Status::Restored:
        return {QStringLiteral("Your register has been restored from %1. It holds %2.\n\n"
                               "The register as it was before has been kept as %3.")
                    .arg(shown(path), membersText(outcome.members), shown(outcome.safety.path)),
                QStringLiteral("Register restored"), MsgButtons::OK, MsgIcon::Information, MsgAnswer::OK};
    case RestoreOutcome::Status::Refused:
        return {refusalText(outcome.refusal, path, outcome.detail) + QStringLiteral("\n\nYour register has not been changed."),
                kNotRestored, MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
    case RestoreOutcome::Status::NotSafe:
        return {QStringLiteral("Your register could not be backed up before the restore, so it has not been replaced.\n\n%1")
                    .arg(problemText(outcome.safety)),
                kNotRestored, MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
    case RestoreOutcome::Status::NotReplaced:
        break;
    }
    return {QStringLiteral("The backup could not be put in place of your register: %1\n\n"
                           "Your register is as it was. Close any other program that has it open, then try again.")
                .arg(outcome.detail),
            kNotRestored, MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

MessageRequest restoreDamagedQuestion(const QString& registerPath, const BackupSummary& backup)
{
    return {QStringLiteral("Your register %1 is damaged.\n\nThe newest good backup was made on %2 and holds %3. "
                           "Do you want to put it in place of the damaged register? The damaged register will be kept "
                           "in the backups folder as it is.")
                .arg(shown(registerPath), whenMade(backup.file.made), membersText(backup.members)),
            QStringLiteral("Register damaged"), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes};
}

} // namespace zelk::backup
