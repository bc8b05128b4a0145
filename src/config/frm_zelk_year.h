#pragma once
// The membership year window: from which date new memberships start, how long they last,
// and whether the join and renewal dates are filled in automatically.
#include "core/membership_year.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelk {

struct AppState;

class frmZelkYear : public QDialog {
    Q_OBJECT
public:
    explicit frmZelkYear(AppState& state, QWidget* parent = nullptr);

    // Handlers. Command1: 0 save, 1 cancel.
    void optStartDate_Click(int Index);
    void optEndDate_Click(int Index);
    void txtStartDate_LostFocus(int Index);
    void txtEndDate_LostFocus(int Index);
    void Command1_Click(int Index);
    // Esc and the title bar's close button ask as Cancel does.
    void reject() override;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 3> optStartDate{};
    std::array<QLineEdit*, 2> txtStartDate{};
    std::array<QRadioButton*, 3> optEndDate{};
    std::array<QLineEdit*, 2> txtEndDate{};
    QCheckBox* chkDefault = nullptr;
    std::array<QPushButton*, 2> Command1{};
    // "OK" while the day and month in txtStartDate(1) have passed their check.
    QString txtStartDateTag;

private:
    void buildControls();
    void Form_Load();
    // The rules the options and their boxes stand for; nothing for a group with no option chosen.
    std::optional<YearStart> chosenStart() const;
    std::optional<YearEnd> chosenEnd() const;
    // Stores the rules chosen into the Settings row; throws EngineError, storing nothing.
    void saveRules();

    AppState& m_state;
};

} // namespace zelk
