#pragma once
// Printing address labels: every member of the report selection on the default label
// sheet, shown in a print preview of one page per sheet, from which the user prints on
// any installed printer or saves a PDF file.
#include "label_layout.h"

#include <QPrintPreviewDialog>
#include <QStringList>

class QAction;
class QPrinter;

namespace zelk {

struct AppState;

struct LabelPrintOptions {
    bool upperCase = false;   // "All UPPER case"
    bool number = false;      // the Number tick of "Include:"
    int startAt = 1;          // "Start at label:": the first label's position on the first sheet
};

// The labels of the report, for the reports window's Print Report after BuildReportQuery:
// replaces the shared member record set by the selection (SelectionSQL), reads the
// default sheet, and shows every label in the print preview. Returns when the preview
// closes, with rsZelk past its last member. Every problem (a selection the register
// refuses, no members, a sheet labels cannot be placed on, a printer or a file that fails)
// is told to the user; a cancelled preview returns quietly. Nothing is thrown.
// Returns true when the members were replaced by the selection (the main window must then
// show its current member), false when the selection could not be opened and the members
// are as they were.
bool PrintLabels(AppState& state, const LabelPrintOptions& options, QWidget* parent = nullptr);

class frmLabelPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // `printer` must outlive the window.
    frmLabelPreview(QPrinter& printer, const LabelLayout& layout, const QStringList& labels, int startAt, QWidget* parent = nullptr);

    // Saves the sheets as a PDF file the user names, and closes the preview.
    void cmdSavePdf_Click();

    // True when painting the sheets on the printer failed.
    bool printFailed() const { return m_printFailed; }

    QAction* cmdSavePdf = nullptr;

private:
    void paintSheets(QPrinter* printer);

    QPrinter& m_printer;
    LabelLayout m_layout;
    QStringList m_labels;
    int m_startAt;
    bool m_printFailed = false;
};

} // namespace zelk
