#include "labels_bench.h"

#include "timing.h"

#include "core/app_state.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "reports/frm_label_preview.h"
#include "reports/label_geometry.h"
#include "reports/label_layout.h"
#include "reports/label_lines.h"
#include "reports/label_painter.h"

#include <QPrintPreviewWidget>
#include <QFileInfo>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>

namespace zelk::bench {

namespace {

void printRow(const char* what, double ms, const QString& note)
{
    std::printf("%-44s %10.1f  %s\n", what, ms, note.toUtf8().constData());
}

} // namespace

void printLabelsToPdf(const QString& path, int members)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("labels.pdf"));
    AppState state;
    LabelLayout layout;
    QStringList labels;
    int pages = -1;
    double readMs = 0, writeMs = 0, previewMs = -1;
    int previewPages = 0;
    try {
        state.dbZelk = Database::open(path);
        state.reopen(state.rsLabels, query::labels());
        state.rsLabels->findFirst(QStringLiteral("LabelName = \"L7160\""));
        if (state.rsLabels->noMatch()) {
            std::fprintf(stderr, "labels: the register has no sheet L7160\n");
            return;
        }
        layout = layoutOfRecord(*state.rsLabels);
        state.SelectionSQL = QStringLiteral("SELECT * from Zelk WHERE Number >= 2 and Number <= %1  ORDER BY  Surname").arg(members + 1);
        readMs = medianMs([&] {
            state.reopen(state.rsZelk, state.SelectionSQL);
            labels = labelTexts(*state.rsZelk, {false, true});
        });
        writeMs = medianMs([&] {
            QSaveFile file(pdf);
            if (file.open(QIODevice::WriteOnly)) {
                pages = writeLabelsPdf(file, layout, labels, 1, QPageSize(QPageSize::A4));
                if (!file.commit())
                    pages = -1;
            }
        });
        // The preview draws every sheet before it shows the first.
        QPrinter printer(QPrinter::HighResolution);
        frmLabelPreview preview(printer, layout, labels, 1);
        previewMs = elapsedMs([&] { preview.show(); });
        previewPages = preview.findChild<QPrintPreviewWidget*>()->pageCount();
        preview.close();
    } catch (const EngineError& e) {
        std::fprintf(stderr, "labels: engine error %d: %s\n", e.number(), qPrintable(e.description()));
        return;
    }

    std::printf("\nAddress labels of %d members on L7160, with the number (median of %d runs; the preview once)\n\n", int(labels.size()), kRuns);
    std::printf("%-44s %10s  %s\n", "step", "ms", "note");
    std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");
    printRow("labels: open the selection, make the texts", readMs, QStringLiteral("%1 labels").arg(labels.size()));
    printRow("labels: write the PDF", writeMs,
             pages < 0 ? QStringLiteral("FAILED") : QStringLiteral("%1 pages, %2 MB").arg(pages).arg(double(QFileInfo(pdf).size()) / 1e6, 0, 'f', 1));
    printRow("labels: selection to PDF, in all", readMs + writeMs, QStringLiteral("what labels-pdf and Save as PDF do"));
    printRow("labels: print preview of every sheet", previewMs, QStringLiteral("%1 pages drawn before it shows").arg(previewPages));
}

} // namespace zelk::bench
