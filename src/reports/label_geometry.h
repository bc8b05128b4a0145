#pragma once
// Where the labels of a sheet lie on the paper, and how a run of labels fills the sheets:
// across each row, then down; a full sheet ends its page; a run may start part-way into
// the first sheet, whose earlier labels were used before.
#include "label_layout.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>

namespace zelk {

// The label in `row` and `column` (both counted from 1), in inches from the paper's top
// left corner.
QRectF labelRect(const LabelLayout& layout, int row, int column);

// Where one label of a run goes: its sheet (from 0) and its row and column on it (from 1).
struct LabelPlace {
    int sheet = 0;
    int row = 1;
    int column = 1;
};

// The place of label `index` (from 0) of a run whose first label goes in position
// `startAt` (from 1) of the first sheet.
LabelPlace labelPlace(const LabelLayout& layout, int index, int startAt = 1);

// The sheets a run of `labels` labels fills: none for none, and never an empty one.
int sheetCount(const LabelLayout& layout, int labels, int startAt = 1);

// Why labels cannot be placed on this sheet, for a message; empty when they can. A sheet
// needs at least one label across and down, of a size greater than nothing, and
// `startAt` must be one of its positions.
QString layoutProblem(const LabelLayout& layout, int startAt = 1);

// The paper's edges the labels run past on a page of `pageInches`: "left", "top",
// "right", "bottom", in that order. Empty when every label lies on the page.
QStringList overrunEdges(const LabelLayout& layout, const QSizeF& pageInches);

// The width and height, in inches, that the labels take up from the paper's corner.
QSizeF extentOfLabels(const LabelLayout& layout);

} // namespace zelk
