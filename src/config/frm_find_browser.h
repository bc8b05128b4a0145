#pragma once
// Lets the user point the program at the web browser when start-up could not find it.
#include <QDialog>

class QLabel;
class QPushButton;

namespace zelk {

struct AppState;

class frmFindBrowser : public QDialog {
    Q_OBJECT
public:
    explicit frmFindBrowser(AppState& state, QWidget* parent = nullptr);

    void Command1_Click();   // Find browser
    void Command2_Click();   // Cancel

    // Where the file dialog starts and what it offers: the platform's programs.
    static QString programsFolder();
    static QString browserFilter();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    AppState& m_state;
};

} // namespace zelk
