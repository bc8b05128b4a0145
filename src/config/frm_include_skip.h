#pragma once
// The include/skip window: which member fields take part in data entry on the main window,
// kept as the include flags of the Settings row.
#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zelk {

struct AppState;

class frmIncludeSkip : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFlagCount = 30;

    explicit frmIncludeSkip(AppState& state, QWidget* parent = nullptr);

    // Asks, then checks every box; nothing is stored until Save.
    void RestoreSkipDefaults();
    // Stores the boxes as the include flags and closes the window Accepted, so the opener
    // lets the main window take them up. Returns false when the register refused the
    // change; nothing is then stored.
    bool SaveSkipDefaults();

    // 0 cancel, 1 defaults, 2 save.
    void Command1_Click(int Index);
    // Esc and the title bar's close button ask as Cancel does.
    void reject() override;

    QLabel* Label1 = nullptr;
    std::array<QCheckBox*, kFlagCount> chkSkip{};
    std::array<QPushButton*, 3> Command1{};

private:
    void buildControls();
    void Form_Load();
    void chkSkip_Click(int Index);

    AppState& m_state;
};

} // namespace zelk
