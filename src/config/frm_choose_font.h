#pragma once
// Picks the font in which labels are printed, for the font box of the label-type window.
#include <QDialog>
#include <array>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelk {

struct AppState;

class frmChooseFont : public QDialog {
    Q_OBJECT
public:
    // `fontBox` is the label-type window's font box, which OK fills with the font chosen.
    frmChooseFont(AppState& state, QLineEdit* fontBox, QWidget* parent = nullptr);

    void Command1_Click(int Index);   // 0 Cancel, 1 OK

    // The fonts labels can be printed in, in the order the platform gives them.
    static QStringList printerFonts();

    QListWidget* List1 = nullptr;
    std::array<QPushButton*, 2> Command1{};

private:
    QLineEdit* m_fontBox;
};

} // namespace zelk
