#include "label_painter.h"

#include "label_geometry.h"

#include "engine/regional.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIODevice>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace zelk {

namespace {

// A drawing of more labels than this would show nothing but lines.
constexpr int kMostDrawnAcross = 40;

// The number after the tab stands this many widths of "0" from the start of the line.
constexpr int kTabStopDigits = 10;

// The lines of a label from its top left corner down; a tab moves on to the next tab stop.
void drawLabelText(QPainter& painter, const QRectF& rect, const QString& text, const QFontMetricsF& metrics, double tabStop)
{
    double baseline = rect.top() + metrics.ascent();
    for (const QString& line : text.split(u'\n')) {
        double x = rect.left();
        const QStringList parts = line.split(u'\t');
        for (qsizetype p = 0; p < parts.size(); ++p) {
            if (p > 0)
                x = rect.left() + (std::floor((x - rect.left()) / tabStop) + 1) * tabStop;
            if (!parts[p].isEmpty()) {
                painter.drawText(QPointF(x, baseline), parts[p]);
                x += metrics.horizontalAdvance(parts[p]);
            }
        }
        baseline += metrics.lineSpacing();
        if (baseline - metrics.ascent() > rect.bottom())
            break;   // the rest would be cut off anyway
    }
}

} // namespace

QFont defaultLabelFont()
{
    QFont font = QGuiApplication::font();
    if (font.pointSizeF() <= 0)
        font.setPointSize(10);
    return font;
}

QFont labelFont(const LabelLayout& layout)
{
    QFont font = defaultLabelFont();
    if (layout.fontName && !layout.fontName->trimmed().isEmpty()) {
        const QString family = layout.fontName->trimmed();
        if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
        } else {
            font.setFamily(QStringLiteral("sans-serif"));
            font.setStyleHint(QFont::SansSerif);
        }
    }
    if (layout.fontSize && *layout.fontSize > 0)
        font.setPointSizeF(*layout.fontSize);
    return font;
}

int paintLabelSheets(QPagedPaintDevice& device, const LabelLayout& layout, const QStringList& labels, int startAt)
{
    if (labels.isEmpty())
        return 0;
    // The stored distances are measured from the paper's edges, not from the area a
    // printer can reach.
    QPageLayout page = device.pageLayout();
    page.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(page);

    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    painter.setFont(labelFont(layout));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), &device);
    const double tabStop = metrics.horizontalAdvance(u'0') * kTabStopDigits;

    int sheet = 0;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const LabelPlace place = labelPlace(layout, int(i), startAt);
        if (place.sheet != sheet) {
            if (!device.newPage()) {
                painter.end();
                return -1;
            }
            sheet = place.sheet;
        }
        const QRectF inches = labelRect(layout, place.row, place.column);
        const QRectF rect(inches.x() * dpiX, inches.y() * dpiY, inches.width() * dpiX, inches.height() * dpiY);
        // A long address is cut at the label's edge rather than printed on its neighbour.
        painter.setClipRect(rect);
        drawLabelText(painter, rect, labels.at(i), metrics, tabStop);
    }
    if (!painter.end())
        return -1;
    return sheet + 1;
}

QPageSize defaultLabelPaper()
{
    return QPageSize(regional::locale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QSizeF paperInches(const QPageSize& paper)
{
    return paper.size(QPageSize::Inch);
}

int writeLabelsPdf(QIODevice& out, const LabelLayout& layout, const QStringList& labels, int startAt,
                   const QPageSize& paper, QString* error)
{
    QPdfWriter writer(&out);
    writer.setCreator(QStringLiteral("Zelk Membership"));
    writer.setTitle(QStringLiteral("Labels"));
    writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Inch));
    const int pages = paintLabelSheets(writer, layout, labels, startAt);
    if (pages < 0 && error)
        *error = out.errorString().isEmpty() ? QStringLiteral("the PDF writer could not draw the labels") : out.errorString();
    return pages;
}

void drawSheetPicture(QPainter& painter, const QRectF& area, const LabelLayout& layout, const QSizeF& paperInches)
{
    if (paperInches.isEmpty() || area.isEmpty())
        return;
    // The paper and the labels both fit in the drawing, whichever reaches further.
    const QSizeF extent = extentOfLabels(layout);
    const double left = std::min(0.0, layout.leftMargin);
    const double top = std::min(0.0, layout.topMargin);
    const double right = std::max(paperInches.width(), layout.labelsWide > 0 ? extent.width() : 0.0);
    const double bottom = std::max(paperInches.height(), layout.labelsHigh > 0 ? extent.height() : 0.0);
    const double spanX = std::min(right - left, paperInches.width() * 3);
    const double spanY = std::min(bottom - top, paperInches.height() * 3);
    // One pixel in from the right and bottom, so the outlines drawn there stay inside.
    const QRectF inside = area.adjusted(0, 0, -1, -1);
    const double scale = std::min(inside.width() / spanX, inside.height() / spanY);
    const QPointF origin(inside.x() + (inside.width() - spanX * scale) / 2 - left * scale,
                         inside.y() + (inside.height() - spanY * scale) / 2 - top * scale);
    auto toArea = [&](const QRectF& inches) {
        return QRectF(origin.x() + inches.x() * scale, origin.y() + inches.y() * scale, inches.width() * scale,
                      inches.height() * scale);
    };

    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF paper = toArea(QRectF(QPointF(0, 0), paperInches));
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(paper);

    const int across = std::clamp(layout.labelsWide, 0, kMostDrawnAcross);
    const int down = std::clamp(layout.labelsHigh, 0, kMostDrawnAcross);
    if (layout.labelWidth > 0 && layout.labelHeight > 0) {
        const QRectF onPaper(QPointF(0, 0), paperInches);
        for (int row = 1; row <= down; ++row) {
            for (int column = 1; column <= across; ++column) {
                const QRectF label = labelRect(layout, row, column);
                const bool off = !onPaper.adjusted(-0.001, -0.001, 0.001, 0.001).contains(label);
                painter.setPen(QPen(off ? QColor(190, 30, 30) : QColor(40, 90, 160), 1));
                painter.setBrush(off ? QColor(250, 215, 215) : QColor(220, 232, 248));
                painter.drawRect(toArea(label));
            }
        }
    }
    painter.restore();
}

} // namespace zelk
