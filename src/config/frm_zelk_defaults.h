#pragma once
// The program defaults window: the user's own choices kept in the per-user settings (the
// start-up order of the members, the default order and kind of report, capitalisation,
// automatic dates, upper-case reports, the default label sheet and the e-mail settings).
#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelk {

struct AppState;

class frmZelkDefaults : public QDialog {
    Q_OBJECT
public:
    // `beforeReorder` is asked before a save puts the members in the chosen order; when it
    // answers false the window stays open and nothing is stored.
    explicit frmZelkDefaults(AppState& state, QWidget* parent = nullptr, std::function<bool()> beforeReorder = {});

    // Stores every choice of the window in the per-user settings and sets the shared
    // SortOrder, AutoCaps and AutoDates.
    void SaveDefaults();

    // 0 cancel, 1 save. A save reorders the members; the opener shows the first of them.
    void Command1_Click(int Index);
    // Esc and the title bar's close button ask as Cancel does.
    void reject() override;

    // Shows the default label sheet; the label-type window calls it when it stores a new one.
    void setDefaultLabel(const QString& name);

    std::array<QGroupBox*, 4> Frame1{};
    std::array<QRadioButton*, 5> optSortOrder{};
    std::array<QRadioButton*, 7> optPrintOrder{};
    std::array<QRadioButton*, 4> optReportType{};
    std::array<QRadioButton*, 3> optGreeting{};
    std::array<QCheckBox*, 3> chkDefault{};
    std::array<QLabel*, 3> Label2{};
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtSMTP = nullptr;
    // The mail server's login and connection security; the password goes to the keyring.
    QLabel* lblUser = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* lblPassword = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLabel* lblSecurity = nullptr;
    QComboBox* cmbSecurity = nullptr;   // None, STARTTLS, SSL/TLS
    QLabel* Label1 = nullptr;
    QPushButton* cmdChangeDefaultLabel = nullptr;
    std::array<QPushButton*, 2> Command1{};

private slots:
    void cmdChangeDefaultLabel_Click();

private:
    void buildControls();
    void chainTabOrder();
    void Form_Load();
    void buildMailLogin();
    void SaveMailLogin();
    // The sort order a save stores: the option chosen, or the one read on opening.
    QString chosenSortOrder() const;

    AppState& m_state;
    std::function<bool()> m_beforeReorder;
    QString m_sortOrder;   // the stored sort order, as read on opening
};

} // namespace zelk
