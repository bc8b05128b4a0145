#include "import_commands.h"

#include "register_access.h"

#include "core/program_folder.h"
#include "import/dos_import.h"
#include "import/dos_programs.h"

#include <QDir>
#include <QFileInfo>

namespace zelk::cli {

namespace {

using namespace zelk::import;

int importDos(const QCommandLineParser& parser, CommandOutput& io)
{
    const QStringList folders = parser.positionalArguments();
    if (folders.size() != 1) {
        io.err << "Name the folder of the DOS edition's files: zelk-membership import-dos FOLDER\n";
        return 2;
    }
    if (!QFileInfo(folders.first()).isDir()) {
        io.err << "There is no folder " << folders.first() << ".\n";
        return 1;
    }
    const QString dosFolder = QDir(folders.first()).absolutePath() + QDir::separator();
    const AskUser ask = messagesTo(io.err);
    if (dos::CheckClarionFilesPresent(programFolder())) {
        ask(dos::conversionFilesMissingMessage());
        return 1;
    }
    auto state = openRegister(io.err, WhenMissing::Create);
    if (!state)
        return 1;
    if (!dos::runConversionPrograms(programFolder(), dosFolder, ask, {}))
        return 1;
    const dos::DosOptions options{parser.isSet(QStringLiteral("birthday")), parser.isSet(QStringLiteral("mixed-case"))};
    const ImportResult result = dos::importDosFiles(*state, ImportMode::Store, dosFolder, options, {ask, {}});
    if (result.stopped())
        return 1;
    io.out << result.membersAdded << '\n';
    return 0;
}

} // namespace

Command importDosCommand()
{
    return {QStringLiteral("import-dos"), QStringLiteral("FOLDER"),
            QStringLiteral("Converts the DOS edition's files in FOLDER and adds their members, types and lookups to the register."),
            [](QCommandLineParser& parser) {
                parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("the folder holding ZELK2.DAT"));
                parser.addOption({QStringLiteral("birthday"), QStringLiteral("the DOS renewal date holds the birthday")});
                parser.addOption({QStringLiteral("mixed-case"),
                                  QStringLiteral("names, addresses, types, lookups and notes to mixed case")});
            },
            importDos};
}

} // namespace zelk::cli
