#include "windows_commands.h"

#include "register_access.h"

#include "import/earlier_windows_import.h"
#include "import/windows_register.h"

#include <QDir>
#include <QFileInfo>

namespace zelk::cli {

Command convertWindowsRegisterCommand()
{
    Command c;
    c.name = QStringLiteral("convert-windows-register");
    c.arguments = QStringLiteral("FILE");
    c.description = QStringLiteral("Turns the Windows program's register FILE (zelk2002.mdb) into a register of this program, "
                                   "keeping the original beside it as FILE.windows.");
    c.run = [](const QCommandLineParser& parser, CommandOutput& io) {
        const QStringList files = parser.positionalArguments();
        if (files.size() != 1) {
            io.err << "Name the one file to convert: zelk-membership convert-windows-register FILE\n";
            return 2;
        }
        const QString path = files.first();
        try {
            const auto report = import::convertWindowsRegister(path);
            io.out << "Converted " << QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) << ": " << report.members
                   << " members, " << report.memberTypes << " membership types, " << report.lookups << " lookups and "
                   << report.labelSheets << " label sheets.\nThe Windows program's file is kept as "
                   << QDir::toNativeSeparators(QFileInfo(report.keptAs).absoluteFilePath()) << ".\n";
            return 0;
        } catch (const import::ConversionFailed& e) {
            io.err << e.message() << '\n';
            return 1;
        }
    };
    return c;
}

Command importWindowsCommand()
{
    Command c;
    c.name = QStringLiteral("import-windows");
    c.arguments = QStringLiteral("FOLDER");
    c.description = QStringLiteral("Adds the members, membership types and lookups of the first Windows edition's zelk.mdb "
                                   "in FOLDER to the register.");
    c.run = [](const QCommandLineParser& parser, CommandOutput& io) {
        const QStringList folders = parser.positionalArguments();
        if (folders.size() != 1) {
            io.err << "Name the one folder that holds zelk.mdb: zelk-membership import-windows FOLDER\n";
            return 2;
        }
        const QString folder = folders.first();
        const QString file = import::earlierWindowsFile(folder);
        if (file.isEmpty()) {
            io.err << import::fileNotThereMessage(QFileInfo(folder).absoluteFilePath()).text << '\n';
            return 1;
        }
        auto state = openRegister(io.err, WhenMissing::Create);
        if (!state)
            return 1;
        // Every message is said on standard error; each question takes its default answer.
        const import::ImportCallbacks callbacks{[&](const MessageRequest& m) {
                                                    io.err << m.text << '\n';
                                                    return m.defaultButton;
                                                },
                                                {}};
        const auto result = import::GetData(*state, file, callbacks);
        if (result.stopped())
            return 1;
        io.out << import::importedMessage().text << ' ' << result.membersAdded << " members were added from "
               << QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()) << ".\n";
        return 0;
    };
    return c;
}

} // namespace zelk::cli
