#pragma once
// The list report: one HTML page, a centred heading over a table with one row per member
// of the selection, the columns chosen by the include ticks. Every value is written with
// the characters that mean something in HTML escaped, so a member's text always shows as
// typed and can never add markup to the page. The page is UTF-8 and begins with a
// byte-order mark, which every browser reads as the page's encoding.
#include "report_options.h"
#include "report_values.h"

class QIODevice;

namespace zelk {
class Recordset;
}

namespace zelk::reports {

// The report file's name in the program's folder.
inline constexpr const char* kListReportFile = "report.htm";

// The head of the page: the byte-order mark and the four opening lines.
void StartReport(TextWriter& out);

// The whole page for the members of `members`, from its current record to its end (which
// it is left at): the head, the heading, a row per member and the closing line. Returns
// false when the device refused a write; its errorString() says why.
bool PrintReport(Recordset& members, const ReportContent& content, QIODevice& out, const KeepResponsive& keepResponsive = {});

// A text with "&", "<", ">" and '"' written as HTML entities.
QString htmlEscaped(const QString& text);

} // namespace zelk::reports
