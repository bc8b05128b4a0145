#pragma once
// Resets the counter of membership numbers: the next new member is proposed the number
// after the one typed here.
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelk {

struct AppState;

class frmResetAutoNumber : public QDialog {
    Q_OBJECT
public:
    explicit frmResetAutoNumber(AppState& state, QWidget* parent = nullptr);

    void Command1_Click(int Index);   // 0 Cancel, 1 Save
    void Text1_LostFocus();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<QPushButton*, 2> Command1{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void SaveLastNumber();

    AppState& m_state;
};

} // namespace zelk
