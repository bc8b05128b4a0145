#pragma once
// What the reports cost on a large register: opening a selection of the reports window,
// the data export and the list report of every member, each beside the sqlite3 tool
// writing the same rows in the same order to a file of its own.
#include <QString>

namespace zelk::bench {

// Prints the table of report timings for the register at `path`. Errors are reported on
// standard error.
void printReportFigures(const QString& path);

} // namespace zelk::bench
