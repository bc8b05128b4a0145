#pragma once
// The on-screen text window: the user's own captions for the main window's field labels,
// its navigation frame and its Save, Undo, New and Delete buttons, kept in the Settings row.
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelk {

struct AppState;

class frmZelkScreenText : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCaptionCount = 27;

    explicit frmZelkScreenText(AppState& state, QWidget* parent = nullptr);

    // Stores every box in its caption field, an empty box as Null. Returns false when the
    // register refused the change; nothing is then stored.
    bool SaveChanges();
    // Puts the default captions into the boxes and stores them.
    bool RestoreDefaults();

    // 0 restore defaults, 1 save changes, 2 cancel. A save or restore closes the window
    // Accepted: the opener shows the new captions.
    void Command1_Click(int Index);
    // Esc and the title bar's close button ask as Cancel does.
    void reject() override;

    std::array<QLabel*, kCaptionCount> Label1{};
    std::array<QLineEdit*, kCaptionCount> Text1{};
    std::array<QPushButton*, 3> Command1{};

private:
    void buildControls();
    void Form_Load();

    AppState& m_state;
};

} // namespace zelk
