#include "frm_label_preview.h"

#include "label_geometry.h"
#include "label_lines.h"
#include "label_painter.h"

#include "core/app_state.h"
#include "engine/engine_error.h"
#include "ui/busy_cursor.h"
#include "ui/guarded.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QToolBar>

namespace zelk {

namespace {

QString sheetName(const LabelLayout& layout)
{
    return layout.name.isEmpty() ? QStringLiteral("the built-in sheet") : layout.name;
}

QString counted(qsizetype n, const char* one, const char* many)
{
    return QString::number(n) + u' ' + QLatin1String(n == 1 ? one : many);
}

} // namespace

frmLabelPreview::frmLabelPreview(QPrinter& printer, const LabelLayout& layout, const QStringList& labels, int startAt, QWidget* parent)
    : QPrintPreviewDialog(&printer, parent), m_printer(printer), m_layout(layout), m_labels(labels), m_startAt(startAt)
{
    setObjectName(QStringLiteral("frmLabelPreview"));
    setWindowTitle(QStringLiteral("Print labels - %1 on %2 of %3")
                       .arg(counted(labels.size(), "label", "labels"), counted(sheetCount(layout, int(labels.size()), startAt), "sheet", "sheets"),
                            sheetName(layout)));
    connect(this, &QPrintPreviewDialog::paintRequested, this, &frmLabelPreview::paintSheets);

    // Most home computers have no printer set up: a PDF file is what is taken to one.
    cmdSavePdf = new QAction(QStringLiteral("Save as PDF..."), this);
    cmdSavePdf->setToolTip(QStringLiteral("Save the sheets of labels as a PDF file, to print elsewhere"));
    connect(cmdSavePdf, &QAction::triggered, this, [this] { guarded(QStringLiteral("cmdSavePdf_Click"), this, [this] { cmdSavePdf_Click(); }); });
    if (auto* toolBar = findChild<QToolBar*>()) {
        toolBar->addSeparator();
        toolBar->addAction(cmdSavePdf);
    } else {
        addAction(cmdSavePdf);
    }
    resize(900, 760);
}

void frmLabelPreview::paintSheets(QPrinter* printer)
{
    printer->setFullPage(true);
    if (paintLabelSheets(*printer, m_layout, m_labels, m_startAt) < 0 || printer->printerState() == QPrinter::Error)
        m_printFailed = true;
}

void frmLabelPreview::cmdSavePdf_Click()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString path = UserDialogs::saveFile({QStringLiteral("Save the labels as a PDF file"), QDir(folder).filePath(QStringLiteral("labels.pdf")),
                                          QStringLiteral("PDF files (*.pdf)|*.pdf")},
                                         this);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");

    QSaveFile file(path);
    QString error;
    int pages = -1;
    {
        BusyCursor busy;
        if (file.open(QIODevice::WriteOnly))
            pages = writeLabelsPdf(file, m_layout, m_labels, m_startAt, m_printer.pageLayout().pageSize(), &error);
        else
            error = file.errorString();
        if (pages >= 0 && !file.commit())
            error = file.errorString();
    }
    if (!error.isEmpty() || pages < 0) {
        MessageBox::show(QStringLiteral("The labels could not be saved as %1 (%2). Please choose another folder or file name.")
                             .arg(QDir::toNativeSeparators(path), error),
                         QStringLiteral("Labels not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    accept();
}

bool PrintLabels(AppState& state, const LabelPrintOptions& options, QWidget* parent)
{
    const QString shownSql = state.SQLText;
    try {
        BusyCursor busy;
        state.reopen(state.rsZelk, state.SelectionSQL);
    } catch (const EngineError& e) {
        state.SQLText = shownSql;
        MessageBox::show(QStringLiteral("Zelk could not select the members for the labels:\n") + e.description()
                             + QStringLiteral("\n\nNothing has been printed, and the main window still shows the members it had."),
                         QStringLiteral("Labels not printed"), MsgButtons::OK, MsgIcon::Exclamation, parent);
        return false;
    }
    LabelLayout layout;
    QStringList labels;
    const bool read = guarded(QStringLiteral("PrintLabels"), parent, [&] {
        BusyCursor busy;
        layout = GetLabelLayout(state);
        labels = labelTexts(*state.rsZelk, {options.upperCase, options.number});
    });
    if (!read)
        return true;
    if (const QString problem = layoutProblem(layout, options.startAt); !problem.isEmpty()) {
        MessageBox::show(problem, QStringLiteral("Labels not printed"), MsgButtons::OK, MsgIcon::Exclamation, parent);
        return true;
    }
    if (labels.isEmpty()) {
        MessageBox::show(QStringLiteral("There are no members in this selection, so there are no labels to print."),
                         QStringLiteral("No labels to print"), MsgButtons::OK, MsgIcon::Information, parent);
        return true;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Labels"));
    frmLabelPreview preview(printer, layout, labels, options.startAt, parent);
    runModal(preview);
    if (preview.printFailed()) {
        const QString where = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
                                  ? QDir::toNativeSeparators(printer.outputFileName())
                                  : printer.printerName();
        MessageBox::show(QStringLiteral("The labels could not be printed on %1. Please check that the printer is switched on and ready, "
                                        "or save the labels as a PDF file from the preview and print that.")
                             .arg(where.isEmpty() ? QStringLiteral("the printer") : where),
                         QStringLiteral("Printing failed"), MsgButtons::OK, MsgIcon::Exclamation, parent);
    }
    return true;
}

} // namespace zelk
