#include "import_commands.h"

#include "register_access.h"

#include "import/text_file.h"
#include "import/text_import.h"

namespace zelk::cli {

namespace {

using namespace zelk::import;

std::optional<QChar> separatorNamed(const QString& name)
{
    const QStringList names{QStringLiteral("tab"), QStringLiteral("comma"), QStringLiteral("semicolon")};
    const qsizetype option = names.indexOf(name.toLower());
    if (option < 0)
        return std::nullopt;
    return separatorOf(int(option));
}

// The targets of --map: one per column, empty for a column not imported; the field names
// in any case. Nothing, after saying why on `err`, when one is not a field.
std::optional<ColumnTargets> mapOption(const QString& map, QTextStream& err)
{
    const QStringList given = map.split(u',');
    if (given.size() > kTextColumns) {
        err << "--map names " << given.size() << " columns; at most " << kTextColumns << " can be imported.\n";
        return std::nullopt;
    }
    ColumnTargets targets;
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString name = given[i].trimmed();
        if (name.isEmpty())
            continue;
        const QStringList& fields = textImportTargets();
        const auto found = std::find_if(fields.begin() + 1, fields.end(),
                                        [&name](const QString& f) { return f.compare(name, Qt::CaseInsensitive) == 0; });
        if (found == fields.end()) {
            err << "\"" << name << "\" in --map is not a field a file can be imported into. The fields are: "
                << fields.mid(1).join(QStringLiteral(", ")) << ".\n";
            return std::nullopt;
        }
        targets[size_t(i)] = *found;
    }
    return targets;
}

int importText(const QCommandLineParser& parser, CommandOutput& io)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        io.err << "Name one text file to import: zelk-membership import-text FILE\n";
        return 2;
    }
    const auto separator = separatorNamed(parser.value(QStringLiteral("separator")));
    if (!separator) {
        io.err << "--separator is tab, comma or semicolon.\n";
        return 2;
    }
    std::optional<ColumnTargets> chosen;
    if (parser.isSet(QStringLiteral("map"))) {
        chosen = mapOption(parser.value(QStringLiteral("map")), io.err);
        if (!chosen)
            return 2;
    }
    const AskUser ask = messagesTo(io.err);
    const QString path = files.first();
    const TextFile file = readTextFile(path);
    if (file.problem != FileProblem::None) {
        ask(unreadableFileMessage(path, file));
        return 1;
    }
    if (file.text.isEmpty()) {
        ask(noDataMessage());
        return 1;
    }
    const FieldNames names = readFieldNames(file.text, *separator);
    if (names.tooMany)
        ask(tooManyFieldsMessage());
    TextImport request{path, *separator, chosen ? *chosen : automaticTargets(names.names)};
    if (mappedColumns(request.targets) == 0) {
        ask(nothingSelectedMessage());
        return 1;
    }
    auto state = openRegister(io.err, WhenMissing::Create);
    if (!state)
        return 1;
    const ImportResult result = importTextFile(*state, ImportMode::Store, request, {ask, {}});
    if (result.stopped())
        return 1;
    io.out << result.membersAdded << '\n';
    return 0;
}

} // namespace

AskUser messagesTo(QTextStream& err)
{
    return [&err](const MessageRequest& m) {
        err << m.text << "\n\n";
        err.flush();
        return m.defaultButton;
    };
}

Command importTextCommand()
{
    return {QStringLiteral("import-text"), QStringLiteral("FILE"),
            QStringLiteral("Adds the members of a text file whose first line names its columns to the register."),
            [](QCommandLineParser& parser) {
                parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the text file to import"));
                parser.addOption({QStringLiteral("separator"),
                                  QStringLiteral("how the values are separated: tab (the default), comma or semicolon"),
                                  QStringLiteral("tab|comma|semicolon"), QStringLiteral("tab")});
                parser.addOption({QStringLiteral("map"),
                                  QStringLiteral("the field each column goes into, in column order, empty for a column "
                                                 "not imported (Number,,Surname); without it, the columns named like a "
                                                 "field go into that field"),
                                  QStringLiteral("FIELD,FIELD,...")});
            },
            importText};
}

} // namespace zelk::cli
