#pragma once
// One headless command of the program ("zelk-membership export-csv FILE"): its name, the
// arguments it takes, what it does, its options and the routine that runs it.
#include <QCommandLineParser>
#include <QString>
#include <QTextStream>
#include <functional>
#include <vector>

namespace zelk::cli {

// Where a command writes: its result on `out`, its messages on `err`.
struct CommandOutput {
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;
    QString arguments;     // as --help shows them, e.g. "[FILE]"
    QString description;   // one line
    std::function<void(QCommandLineParser&)> addOptions;
    // Returns the exit code: 0 on success; on failure the command has said why on `err`.
    std::function<int(const QCommandLineParser&, CommandOutput&)> run;
};

// Every command, in the order --help lists them.
const std::vector<Command>& commands();

} // namespace zelk::cli
