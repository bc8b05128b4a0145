#pragma once
// The member search: finds members by the field the register is sorted by, showing the
// first match in the main window at every keystroke, and leaves the shared member record
// set narrowed to the matching members so the main window then moves only among them.
#include <QDialog>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace zelk {

struct AppState;
class MainView;
class Recordset;

class frmSearch : public QDialog {
    Q_OBJECT
public:
    // `main` shows the member each keystroke finds.
    frmSearch(AppState& state, MainView& main, QWidget* parent = nullptr);

    // Handlers.
    void menuSort_Click(int Index);
    void txtSearch_Change();
    void chkWildCard_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // Controls, in tab order after the menu.
    QMenuBar* menuBar = nullptr;
    QMenu* mnuSort = nullptr;
    std::array<QAction*, 5> menuSort{};   // MemberType, Number, PostCode, RenewDate, Surname
    QGroupBox* FrameSearch = nullptr;
    QLineEdit* txtSearch = nullptr;
    QCheckBox* chkWildCard = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showSearchField();
    bool anywhere() const;
    bool narrowTo(const QString& sql);
    void showWholeRegister();
    void refreshMain();

    AppState& m_state;
    MainView& m_main;
};

} // namespace zelk
