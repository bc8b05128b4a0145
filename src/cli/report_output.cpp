#include "report_output.h"

#include "register_access.h"

#include "core/program_folder.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "reports/report_file.h"
#include "reports/selection_query.h"

#include <QFileInfo>

namespace zelk::cli {

void addFileArgument(QCommandLineParser& parser, const QString& defaultName)
{
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The file to write (default: %1 in the program's folder).").arg(defaultName),
                                 QStringLiteral("[FILE]"));
}

int writeWholeRegister(const QCommandLineParser& parser, CommandOutput& io, const QString& defaultName,
                       const QString& doneText, const std::function<bool(Recordset&, QIODevice&)>& write)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        io.err << "Give one file at most; " << files.size() << " were given.\n";
        return 2;
    }
    auto state = openRegister(io.err);
    if (!state)
        return 1;
    const QString path = files.isEmpty() ? programFile(defaultName) : QFileInfo(files.first()).absoluteFilePath();
    try {
        state->SelectionSQL = reports::BuildReportQuery(reports::ReportRanges{}).sql;
        state->reopen(state->rsZelk, state->SelectionSQL);
        const reports::ReadTransaction reading(*state->dbZelk);
        const QString problem = reports::saveReport(path, [&](QIODevice& out) { return write(*state->rsZelk, out); });
        if (!problem.isEmpty()) {
            io.err << "Could not write " << path << ": " << problem << "\n";
            return 1;
        }
    } catch (const EngineError& e) {
        io.err << "Could not read the members of " << state->DatabasePath << ": " << e.description() << " (error "
               << e.number() << ")\n";
        return 1;
    }
    io.out << doneText << path << '\n';
    return 0;
}

} // namespace zelk::cli
