#pragma once
// Choosing between the windows and the headless commands, and running a command.
#include <QStringList>

namespace zelk::cli {

// True when the arguments (the program's name first) ask for a command, --help or
// --version rather than the windows.
bool wantsCommandLine(const QStringList& arguments);

// Runs the command the arguments name and returns the program's exit code. Needs a
// QCoreApplication.
int runCommandLine(const QStringList& arguments);

// The one line said when the windows cannot be shown for want of a display.
QString needsDesktopMessage();

} // namespace zelk::cli
