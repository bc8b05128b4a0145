#include "backup_commands.h"

#include "register_access.h"

#include "backup/backup_messages.h"
#include "backup/backup_restore.h"
#include "backup/register_backup.h"
#include "core/program_folder.h"

#include <QDir>
#include <QFileInfo>

namespace zelk::cli {

namespace {

int backUp(const QCommandLineParser& parser, CommandOutput& io)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        io.err << "backup takes at most the name of the file to write.\n";
        return 2;
    }
    auto state = openRegister(io.err);
    if (!state)
        return 1;
    const backup::Outcome outcome = files.isEmpty()
                                        ? backup::makeBackup(*state->dbZelk, backup::Kind::Everyday, QDateTime::currentDateTime())
                                        : backup::backUpTo(*state->dbZelk, files.first());
    if (!outcome.made()) {
        io.err << "The register was not backed up. " << backup::problemText(outcome) << '\n';
        return 1;
    }
    io.out << "Backed up the register to " << QDir::toNativeSeparators(outcome.path) << '\n';
    return 0;
}

int restore(const QCommandLineParser& parser, CommandOutput& io)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        io.err << "restore needs the name of the backup to restore, and nothing more.\n";
        return 2;
    }
    const QString registerPath = programFile(QStringLiteral("zelk2002.mdb"));
    const QString path = QFileInfo(files.first()).absoluteFilePath();
    const backup::RestoreOutcome outcome = backup::restoreRegister(registerPath, path, QDateTime::currentDateTime());
    if (!outcome.restored()) {
        io.err << backup::restoreOutcomeMessage(outcome, path).text << '\n';
        return 1;
    }
    io.out << "Restored the register " << QDir::toNativeSeparators(registerPath) << " from " << QDir::toNativeSeparators(path)
           << ": " << backup::membersText(outcome.members) << ".\n";
    if (!outcome.safety.path.isEmpty())
        io.out << "The register as it was is kept as " << QDir::toNativeSeparators(outcome.safety.path) << '\n';
    return 0;
}

} // namespace

Command backupCommand()
{
    Command c;
    c.name = QStringLiteral("backup");
    c.arguments = QStringLiteral("[FILE]");
    c.description = QStringLiteral("Backs up the register into the backups folder beside it, or as FILE.");
    c.addOptions = [](QCommandLineParser& parser) {
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("The file to write (a file already there is replaced once the new "
                                                    "copy is complete and checked). Without it, the backup goes into the "
                                                    "backups folder, named by the date and time."),
                                     QStringLiteral("[FILE]"));
    };
    c.run = backUp;
    return c;
}

Command restoreCommand()
{
    Command c;
    c.name = QStringLiteral("restore");
    c.arguments = QStringLiteral("FILE");
    c.description = QStringLiteral("Puts the backup FILE in place of the register, after backing the register up. Close Zelk Membership first.");
    c.addOptions = [](QCommandLineParser& parser) {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The backup to restore: a sound register."));
    };
    c.run = restore;
    return c;
}

} // namespace zelk::cli
