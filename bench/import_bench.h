#pragma once
// What the imports cost at scale: the text import of a file of `members` generated
// members, and the reading of a DOS edition's ZELK.DAT of as many, each beside the sqlite3
// tool's .import of the same file, all in one run.
#include <QString>

namespace zelk::bench {

// Prints a table of the timings; the files and registers are made in `folder`. Errors
// are reported on standard error.
void printImports(const QString& folder, int members);

} // namespace zelk::bench
