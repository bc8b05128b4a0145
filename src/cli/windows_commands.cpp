#include "windows_commands.h"

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
                                   "keeping the original beside it as FILE.windows");
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

} // namespace zelk::cli
