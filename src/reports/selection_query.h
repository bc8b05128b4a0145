#pragma once
// The selection query of the reports window: which members a report takes, in which
// order, built from the window's boxes. The window also corrects some boxes as the user
// leaves them or as the query is built; those rules live here too, so every one of them
// is tested without a window.
#include "report_options.h"

#include <QMap>
#include <QString>
#include <optional>

namespace zelk::reports {

struct SelectionQuery {
    QString sql;                  // the SelectionSQL text, in the program's dialect
    QMap<int, QString> corrected; // To boxes of an inverted range, by box, with their new text
};

// The query for the boxes as they stand. Text typed into a range box goes into the
// query's quotes with any double quote doubled; number and date boxes go in as their
// digits only, so no typed or pasted text can end a value early or add to the query.
SelectionQuery BuildReportQuery(const ReportRanges& ranges);

// A box's text read as a number: its leading digits after any blanks; no digits gives 0.
double boxValue(const QString& text);

// What leaving a date box (txtRange(10) to txtRange(21)) does to its text: a day is kept
// between 1 and 31, a month between 1 and 12, a year between 1 and 2200; a year of 1 or 3
// characters is reported to the user and kept; an empty box is left alone.
struct DateBoxCheck {
    enum class Kind { Keep, Replace, YearWrong } kind = Kind::Keep;
    QString text;   // the new text, for Replace
};
DateBoxCheck checkDateBox(int box, const QString& text);

// A birthday or renewal date whose boxes are partly filled, or filled with a day that no
// month has, cannot be read as a date: the message that says which, and the box to
// correct first. Nothing when every date is whole or empty.
struct DateRangeProblem {
    QString text;
    QString title;
    int box = 0;
};
std::optional<DateRangeProblem> dateRangeProblem(const ReportRanges& ranges);

} // namespace zelk::reports
