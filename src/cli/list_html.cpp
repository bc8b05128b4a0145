#include "report_commands.h"
#include "report_output.h"

#include "reports/list_report.h"

namespace zelk::cli {

namespace {

// The names --include takes, in the order of the include ticks.
const char* const kIncludeNames[reports::include::Count] = {"phone", "type", "renewal", "lookups", "number", "birthday", "email"};

QString includeNames()
{
    QStringList names;
    for (const char* n : kIncludeNames)
        names << QLatin1String(n);
    return names.join(u',');
}

} // namespace

Command listHtmlCommand()
{
    Command c;
    c.name = QStringLiteral("list-html");
    c.arguments = QStringLiteral("[FILE]");
    c.description = QStringLiteral("Writes the list report of every member, in surname order, as an HTML page.");
    c.addOptions = [](QCommandLineParser& parser) {
        addFileArgument(parser, QLatin1String(reports::kListReportFile));
        parser.addOption({QStringLiteral("heading"), QStringLiteral("The heading above the list."), QStringLiteral("TEXT")});
        parser.addOption({QStringLiteral("upper"), QStringLiteral("Writes the texts in upper case.")});
        parser.addOption({QStringLiteral("surname-first"), QStringLiteral("Writes each name surname first.")});
        parser.addOption({QStringLiteral("include"), QStringLiteral("The columns beside the name and address, any of: %1.").arg(includeNames()),
                          QStringLiteral("LIST")});
    };
    c.run = [](const QCommandLineParser& parser, CommandOutput& io) {
        reports::ReportContent content;
        content.heading = parser.value(QStringLiteral("heading"));
        content.upperCase = parser.isSet(QStringLiteral("upper"));
        content.surnameFirst = parser.isSet(QStringLiteral("surname-first"));
        for (const QString& value : parser.values(QStringLiteral("include"))) {
            for (const QString& name : value.split(u',', Qt::SkipEmptyParts)) {
                int found = -1;
                for (int i = 0; i < reports::include::Count; ++i)
                    if (name.trimmed() == QLatin1String(kIncludeNames[i]))
                        found = i;
                if (found < 0) {
                    io.err << "--include does not know \"" << name << "\"; it takes " << includeNames() << ".\n";
                    return 2;
                }
                content.chkInclude[size_t(found)] = true;
            }
        }
        return writeWholeRegister(parser, io, QLatin1String(reports::kListReportFile), QStringLiteral("List report written to "),
                                  [&](Recordset& members, QIODevice& out) { return reports::PrintReport(members, content, out); });
    };
    return c;
}

} // namespace zelk::cli
