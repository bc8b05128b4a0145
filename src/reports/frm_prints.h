#pragma once
// The reports window: which members go into a report (ranges, lapsed filter), in which
// order (up to five sort priorities), what kind of output is made and what it shows.
// Print Report builds the selection query, makes the output, and leaves the main window
// browsing the selection.
//
// The outputs are routines of this folder (list_report.h, data_export.h, and PrintLabels
// of frm_label_preview.h), handed the shared member record set opened on SelectionSQL
// and the options of content(), and the message window of mail/, which opens the
// selection itself once it sends. Command1_Click runs the output of the type chosen after
// BuildReportQuery; an output that opened the selection leaves the main window browsing it.
#include "report_options.h"
#include "report_values.h"

#include "ui/busy_cursor.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QGroupBox;
class QIODevice;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace zelk {

struct AppState;
class MainView;

class frmPrints : public QDialog {
    Q_OBJECT
public:
    frmPrints(AppState& state, MainView& main, QWidget* parent = nullptr);

    // What the window's boxes and buttons say, for the query and the outputs.
    reports::ReportType reportType() const;
    reports::ReportRanges ranges() const;
    reports::ReportContent content() const;
    // The first label's position on the first sheet: "Start at label:", 1 when left empty.
    int startAtLabel() const;

    // Builds SelectionSQL from the boxes and writes the corrected To boxes back.
    void BuildReportQuery();
    // The list report (shown in the browser) and the data export of SelectionSQL.
    void PrintReport();
    void PrintFile();

    // Handlers.
    void optReport_Click(int Index);
    void Command1_Click();
    void txtRange_LostFocus(int Index);
    void txtHeading_LostFocus();
    void mnuFile_Click();
    void menuDefaults_Click();
    void mnuHelp_Click(int Index);

    // Controls.
    QMenuBar* menuBar = nullptr;
    QMenu* menuFile = nullptr;
    QAction* mnuFile = nullptr;
    QAction* menuDefaults = nullptr;
    QMenu* menuHelp = nullptr;
    std::array<QAction*, 3> mnuHelp{};   // Index, a separator, About
    std::array<QGroupBox*, 5> Frame1{};
    QGroupBox* Frame2 = nullptr;
    std::array<QLabel*, 18> Label1{};
    std::array<QRadioButton*, 4> optReport{};
    std::array<QLineEdit*, reports::range::Count> txtRange{};
    std::array<QLineEdit*, reports::kSortKeys> txtPriority{};
    std::array<QCheckBox*, reports::kSortKeys> chkDesc{};
    std::array<QRadioButton*, 3> optLapsed{};
    std::array<QCheckBox*, reports::include::Count> chkInclude{};
    std::array<QRadioButton*, 2> optNameOrder{};
    QCheckBox* chkUpper = nullptr;
    QLineEdit* txtHeading = nullptr;
    QLabel* lblStartLabel = nullptr;   // "Start at label:", shown with the Labels type
    QLineEdit* txtStartLabel = nullptr;
    QPushButton* Command1 = nullptr;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void Form_Load();
    bool datesComplete();
    // Replaces the shared members by the selection; the engine's reason when it refuses
    // the query (the members then stay as they were), empty when done.
    QString openSelection();
    void showSelection();
    // A report being made: Print Report and the menus are off and the window stays open.
    void setWorking(bool working);
    // Opens the selection and writes the report file at `path` from it, whole or not at
    // all; true when written. A selection the register refuses and a file that cannot be
    // written are told to the user (the busy cursor gone first).
    bool writeOutput(std::optional<BusyCursor>& busy, const QString& path, const std::function<bool(QIODevice&)>& write);
    reports::KeepResponsive keepResponsive();

    AppState& m_state;
    MainView& m_main;
    bool m_working = false;    // a report is being made: the window stays open until it is done
    bool m_replaced = false;   // Print Report has replaced the shared members by the selection
};

} // namespace zelk
