#pragma once
// What printing address labels costs: a selection of members read and turned into label
// texts, the sheets written as a PDF file on L7160, and the print preview of every sheet.
#include <QString>

namespace zelk::bench {

// Labels for the first `members` members by number (numbers 2 to members + 1, the
// selection a number range in the reports window gives) of the register at `path`, in
// surname order, on sheet L7160; prints the timings. Errors are reported on standard error.
void printLabelsToPdf(const QString& path, int members = 10000);

} // namespace zelk::bench
