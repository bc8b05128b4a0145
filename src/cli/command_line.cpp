#include "command_line.h"

#include "command.h"

#include "core/program_info.h"

#include <QCoreApplication>
#include <cstdio>

namespace zelk::cli {

namespace {

const Command* findCommand(const QString& name)
{
    for (const auto& c : commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

QString usage()
{
    QString text = QStringLiteral("Usage: zelk-membership [COMMAND] [OPTIONS]\n\n"
                                  "%1 keeps the membership register of a club or society.\n"
                                  "Without a command it opens its windows (a desktop session is needed).\n"
                                  "The commands below work without a display, on the register in the program's folder.\n\n"
                                  "Commands:\n")
                       .arg(programTitle());
    for (const auto& c : commands())
        text += QStringLiteral("  %1 %2\n      %3\n").arg(c.name, c.arguments, c.description);
    text += QStringLiteral("\n  zelk-membership COMMAND --help   the options of a command\n"
                           "  zelk-membership --version        the program's version\n");
    return text;
}

bool isHelp(const QString& a)
{
    return a == QLatin1String("-h") || a == QLatin1String("--help") || a == QLatin1String("-?") || a == QLatin1String("help");
}

bool isVersion(const QString& a)
{
    return a == QLatin1String("-v") || a == QLatin1String("--version");
}

} // namespace

bool wantsCommandLine(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return false;
    const QString& first = arguments.at(1);
    return isHelp(first) || isVersion(first) || findCommand(first) != nullptr || !first.startsWith(u'-');
}

QString needsDesktopMessage()
{
    return QStringLiteral("Zelk Membership needs a desktop session to show its windows; "
                          "\"zelk-membership --help\" lists what it can do without one.");
}

int runCommandLine(const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString first = arguments.value(1);
    if (isHelp(first)) {
        out << usage();
        return 0;
    }
    if (isVersion(first)) {
        out << programTitle() << ' ' << programVersion() << '\n';
        return 0;
    }
    const Command* command = findCommand(first);
    if (!command) {
        err << "Unknown command \"" << first << "\".\n\n" << usage();
        return 2;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(command->description);
    parser.addHelpOption();
    if (command->addOptions)
        command->addOptions(parser);
    QStringList rest = arguments;
    rest.removeAt(1);   // the command's name: the parser sees the program and the options
    if (!parser.parse(rest)) {
        err << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << "Usage: zelk-membership " << command->name << " [OPTIONS] " << command->arguments << "\n\n"
            << parser.helpText().section(u'\n', 1);
        return 0;
    }
    CommandOutput io{out, err};
    return command->run(parser, io);
}

} // namespace zelk::cli
