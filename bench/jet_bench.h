#pragma once
// What reading the Windows editions' Jet files costs: the import of the first edition's
// zelk.mdb and the conversion of the newer program's zelk2002.mdb, each repeated on the
// shared test files, with mdb-export reading the same tables in the same run.
#include <QString>

namespace zelk::bench {

// Prints the figures; `jetFolder` holds zelk.mdb and zelk2002.mdb. Problems are reported on
// standard error.
void printJetFigures(const QString& jetFolder, int repeats = 50);

} // namespace zelk::bench
