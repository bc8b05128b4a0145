#pragma once
// What the report commands share: the register opened, every member selected in surname
// order (the selection of a reports window with no box filled), and the report file
// written whole or not at all.
#include "command.h"

#include <QIODevice>
#include <functional>

namespace zelk {
class Recordset;
}

namespace zelk::cli {

// Writes the report of every member to the FILE argument, or to `defaultName` in the
// program's folder, through `write`; says where it went on `out`, or what went wrong on
// `err`. Returns the exit code.
int writeWholeRegister(const QCommandLineParser& parser, CommandOutput& io, const QString& defaultName,
                       const QString& doneText, const std::function<bool(Recordset&, QIODevice&)>& write);

// The FILE argument of a report command.
void addFileArgument(QCommandLineParser& parser, const QString& defaultName);

} // namespace zelk::cli
