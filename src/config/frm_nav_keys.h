#pragma once
// Which way Ctrl+Page Up and Ctrl+Page Down move through the members.
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace zelk {

struct AppState;

class frmNavKeys : public QDialog {
    Q_OBJECT
public:
    explicit frmNavKeys(AppState& state, QWidget* parent = nullptr);

    void Command1_Click();   // OK

    QLabel* Label1 = nullptr;
    std::array<QRadioButton*, 2> optDir{};
    QPushButton* Command1 = nullptr;

private:
    AppState& m_state;
};

} // namespace zelk
