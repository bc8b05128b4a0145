#pragma once
// Draws sheets of address labels on any paged device (a printer, the print preview, a
// PDF file), one page per sheet, each label at the layout's distances from the paper's
// edges whatever margin the device keeps, and each label's text kept inside its label.
#include "label_layout.h"

#include <QFont>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace zelk {

// The font labels are printed in: the layout's font and size where they are not Null,
// otherwise the program's default font and size. A font the system does not have is
// replaced by a sans-serif font of the same size.
QFont labelFont(const LabelLayout& layout);

// The program's default font for labels, when a sheet names none.
QFont defaultLabelFont();

// Draws `labels` (texts as labelText gives them) on `device`, the first at position
// `startAt` of the first sheet. The device is switched to full-page painting, so its
// origin is the paper's corner. Returns the number of pages drawn, or -1 when the device
// could not be painted on or refused a new page. No labels draw nothing at all.
int paintLabelSheets(QPagedPaintDevice& device, const LabelLayout& layout, const QStringList& labels, int startAt = 1);

// The paper labels are written on when no printer says otherwise: Letter where the
// user's measurement system is the American one, A4 elsewhere.
QPageSize defaultLabelPaper();

// The paper's width and height in inches.
QSizeF paperInches(const QPageSize& paper);

// Writes the labels as a PDF document, one page of `paper` per sheet. Returns the number
// of pages, or -1, with the reason in `error`, when the document could not be written.
int writeLabelsPdf(QIODevice& out, const LabelLayout& layout, const QStringList& labels, int startAt,
                   const QPageSize& paper, QString* error = nullptr);

// A small drawing of the sheet in `area`: the paper's outline and each label's rectangle
// to scale, those that run off the paper in another colour.
void drawSheetPicture(QPainter& painter, const QRectF& area, const LabelLayout& layout, const QSizeF& paperInches);

} // namespace zelk
