#pragma once
// The layout of a sheet of address labels, as table Labels keeps it: margins, label size
// and gaps in inches, labels across and down, and the font the labels are printed in.
#include <QString>
#include <optional>

namespace zelk {

struct AppState;
class Recordset;

struct LabelLayout {
    QString name;            // the sheet's LabelName; empty for the built-in layout
    double topMargin = 0;    // paper's top edge to the top of the first row
    double leftMargin = 0;   // paper's left edge to the first column
    double labelHeight = 0;
    double labelWidth = 0;
    double vertGap = 0;      // bottom of one label to the top of the next one down
    double horizGap = 0;     // right side of one label to the left side of the next across
    int labelsWide = 0;
    int labelsHigh = 0;
    std::optional<QString> fontName;   // Null: the program's default font
    std::optional<double> fontSize;    // Null: the program's default size

    int labelsPerSheet() const { return labelsWide * labelsHigh; }
};

// The layout used when the chosen sheet is not in the register: 3 by 7 labels of 2.5 by
// 1.5 inches, margins 0.63 top and 0.35 left, a gap of 0.1 across and none down.
LabelLayout builtInLabelLayout();

// The sheet of the current row of a record set over Labels. Fields are read in stored
// order and reading stops at the first one that is Null or cannot be read: the fields
// after it keep the built-in layout's values.
LabelLayout layoutOfRecord(const Recordset& labels);

// The default sheet of the per-user setting LabelSize, looked up in the shared record set
// rsLabels. When no sheet has that name the default sheets are added to the register
// again (CreateLabelsTable), rsLabels is reopened so the label windows list them, and
// the built-in layout is used.
LabelLayout GetLabelLayout(AppState& state);

// A measure or size typed into a label box: a number in the user's form ("0,63" in
// Germany) or with a point ("0.63" anywhere). Nothing when the text is not a number.
std::optional<double> readLabelNumber(const QString& text);

// A measure as the label boxes show it: the user's decimal separator, no grouping, and
// no more digits than the stored single-precision value holds ("0.63", not 0.6299999).
QString labelNumberText(double value);

} // namespace zelk
