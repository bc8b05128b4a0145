#pragma once
// The text-file import: the user says how the file's values are separated, chooses the
// file, sees the names of its columns (with the first member's value beside each) and
// the field each goes into, changes any choice, and imports, or first checks the file.
#include "import_progress.h"
#include "text_import.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace zelk {

struct AppState;
class MainView;

class frmGetTextFile : public ImportDialog {
    Q_OBJECT
public:
    frmGetTextFile(AppState& state, MainView& view, QWidget* parent = nullptr);

    // Handlers.
    void optSep_Click(int Index);
    void Command1_Click();
    void cmbWhereTo_LostFocus(int Index);
    void Command2_Click(int Index);
    void cmdCheck_Click();

    // Named routines.
    void FillCombos();

    // Controls.
    QLabel* Label1 = nullptr;
    QGroupBox* fraSep = nullptr;
    std::array<QRadioButton*, 3> optSep{};   // Tab, Comma, Semicolon
    QPushButton* Command1 = nullptr;          // Get File
    QLabel* lblFile = nullptr;                // the file read
    std::array<QLabel*, 4> Label2{};
    std::array<QLabel*, import::kTextColumns> lblFieldName{};
    std::array<QLabel*, import::kTextColumns> lblFirstValue{};
    std::array<QComboBox*, import::kTextColumns> cmbWhereTo{};
    QProgressBar* prgImport = nullptr;
    std::array<QPushButton*, 2> Command2{};   // Import file, Cancel
    QPushButton* cmdCheck = nullptr;

    // The tags of the Part's controls: a mapped column's position among the mapped
    // columns, and the target chosen for each column.
    const std::array<QString, import::kTextColumns>& fieldNameTags() const { return m_nameTag; }
    const std::array<QString, import::kTextColumns>& whereToTags() const { return m_whereToTag; }
    const QString& filePath() const { return m_filePath; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showRunning(bool running) override;

private:
    void buildControls();
    QChar separator() const;
    void readFile(const QString& path, bool keepChoices);
    bool countMappedColumns();
    void runImport(import::ImportMode mode);

    AppState& m_state;
    MainView& m_view;
    QString m_filePath;         // the file read
    QString m_dialogFileName;   // what the file dialog last gave
    int m_mappedCount = 0;
    std::array<QString, import::kTextColumns> m_nameTag;
    std::array<QString, import::kTextColumns> m_whereToTag;
};

} // namespace zelk
