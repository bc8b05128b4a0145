#pragma once
// The data export: a comma-separated file with a header line and one line per member of
// the selection, every value in double quotes. A double quote inside a value is doubled,
// so every reader of such files gets back exactly what is stored. UTF-8 without a
// byte-order mark, lines ending in CR LF.
#include "report_values.h"

class QIODevice;

namespace zelk {
class Recordset;
}

namespace zelk::reports {

// The export file's name in the program's folder.
inline constexpr const char* kDataExportFile = "report.txt";

// The header line, with its line end.
void StartFile(TextWriter& out);

// The header and a line per member of `members`, from its current record to its end
// (which it is left at). `upperCase` is the upper-case tick. Returns false when the device
// refused a write; its errorString() says why.
bool PrintFile(Recordset& members, bool upperCase, QIODevice& out, const KeepResponsive& keepResponsive = {});

} // namespace zelk::reports
