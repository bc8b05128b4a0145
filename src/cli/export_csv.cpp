#include "report_commands.h"
#include "report_output.h"

#include "reports/data_export.h"

namespace zelk::cli {

Command exportCsvCommand()
{
    Command c;
    c.name = QStringLiteral("export-csv");
    c.arguments = QStringLiteral("[FILE]");
    c.description = QStringLiteral("Exports every member, in surname order, as comma-separated values.");
    c.addOptions = [](QCommandLineParser& parser) {
        addFileArgument(parser, QLatin1String(reports::kDataExportFile));
        parser.addOption({QStringLiteral("upper"), QStringLiteral("Writes the texts in upper case.")});
    };
    c.run = [](const QCommandLineParser& parser, CommandOutput& io) {
        const bool upper = parser.isSet(QStringLiteral("upper"));
        return writeWholeRegister(parser, io, QLatin1String(reports::kDataExportFile), QStringLiteral("Data exported to "),
                                  [&](Recordset& members, QIODevice& out) { return reports::PrintFile(members, upper, out); });
    };
    return c;
}

} // namespace zelk::cli
