#include "label_geometry.h"

namespace zelk {

namespace {

// A measure that differs from another by less than this is the same on paper.
constexpr double kTolerance = 0.001;

QString sheetName(const LabelLayout& layout)
{
    return layout.name.isEmpty() ? QStringLiteral("The built-in label sheet") : QStringLiteral("Label sheet ") + layout.name;
}

} // namespace

QRectF labelRect(const LabelLayout& layout, int row, int column)
{
    return QRectF(layout.leftMargin + (column - 1) * (layout.labelWidth + layout.horizGap),
                  layout.topMargin + (row - 1) * (layout.labelHeight + layout.vertGap), layout.labelWidth,
                  layout.labelHeight);
}

LabelPlace labelPlace(const LabelLayout& layout, int index, int startAt)
{
    const int perSheet = layout.labelsPerSheet();
    const int position = startAt - 1 + index;
    const int onSheet = position % perSheet;
    return {position / perSheet, onSheet / layout.labelsWide + 1, onSheet % layout.labelsWide + 1};
}

int sheetCount(const LabelLayout& layout, int labels, int startAt)
{
    if (labels <= 0)
        return 0;
    return labelPlace(layout, labels - 1, startAt).sheet + 1;
}

QString layoutProblem(const LabelLayout& layout, int startAt)
{
    if (layout.labelsWide < 1 || layout.labelsHigh < 1)
        return sheetName(layout)
               + QStringLiteral(" has no labels: it must be at least 1 label wide and 1 label high. "
                                "Please correct it with Change label type in the program defaults.");
    if (layout.labelWidth <= 0 || layout.labelHeight <= 0)
        return sheetName(layout)
               + QStringLiteral(" has labels with no width or no height. "
                                "Please correct it with Change label type in the program defaults.");
    if (startAt < 1 || startAt > layout.labelsPerSheet())
        return sheetName(layout)
               + QStringLiteral(" holds %1 labels, so the first label printed must be one of labels 1 to %1.")
                     .arg(layout.labelsPerSheet());
    return {};
}

QSizeF extentOfLabels(const LabelLayout& layout)
{
    return {layout.leftMargin + layout.labelsWide * layout.labelWidth + (layout.labelsWide - 1) * layout.horizGap,
            layout.topMargin + layout.labelsHigh * layout.labelHeight + (layout.labelsHigh - 1) * layout.vertGap};
}

QStringList overrunEdges(const LabelLayout& layout, const QSizeF& pageInches)
{
    QStringList edges;
    if (layout.labelsWide < 1 || layout.labelsHigh < 1)
        return edges;
    const QSizeF extent = extentOfLabels(layout);
    if (layout.leftMargin < -kTolerance)
        edges << QStringLiteral("left");
    if (layout.topMargin < -kTolerance)
        edges << QStringLiteral("top");
    if (extent.width() > pageInches.width() + kTolerance)
        edges << QStringLiteral("right");
    if (extent.height() > pageInches.height() + kTolerance)
        edges << QStringLiteral("bottom");
    return edges;
}

} // namespace zelk
