#pragma once
// The conversion from the DOS edition: the user chooses the DOS member file, the
// conversion programs turn the DOS files into text, and the members, membership types and
// lookups are read into the register, optionally with the renewal date taken as the
// birthday and the names and addresses put into mixed case.
#include "dos_import.h"
#include "import_progress.h"


class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zelk {

struct AppState;
class MainView;

class frmGetZelkDos : public ImportDialog {
    Q_OBJECT
public:
    frmGetZelkDos(AppState& state, MainView& view, QWidget* parent = nullptr);

    // Handlers.
    void Command2_Click();
    void Command3_Click();

    // Named routines.
    void CheckClarionFilesPresent();
    void ConvertDOSFiles();

    // Controls.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QCheckBox* chkBirthday = nullptr;
    QCheckBox* chkProper = nullptr;
    QPushButton* Command2 = nullptr;   // Convert files
    QPushButton* Command3 = nullptr;   // Cancel
    QLabel* Label3 = nullptr;          // progress
    QProgressBar* prgConvert = nullptr;

    // Window state.
    QString DosFolder;      // the folder of the DOS member file, ending in a separator
    int FilesMissing = 0;   // -1 when the conversion programs are not there

protected:
    void showRunning(bool running) override;

private:
    void buildControls();
    import::dos::DosOptions options() const;

    AppState& m_state;
    MainView& m_view;
};

} // namespace zelk
