#pragma once
// The lists of ready-made values the main window offers: the membership types and the
// lookup values shared by the six lookup boxes. The user picks a value for the box that
// was double-clicked, adds new values and deletes those no member holds any more.
#include <QDialog>
#include <array>

class QListWidget;
class QPushButton;

namespace zelk {

struct AppState;

class frmLookups : public QDialog {
    Q_OBJECT
public:
    // The mode comes from state.WorkString ("Type" for the membership types, anything
    // else for the lookups), the box to fill from state.LookupField.
    explicit frmLookups(AppState& state, QWidget* parent = nullptr);

    // Fills List1 from "Type" or "Lookups" and highlights the main window's value.
    void FillList(const QString& listName);

    void List1_Click();
    void List1_DblClick();
    void Command1_Click(int Index);   // 0 Cancel, 1 OK
    void cmdAdd_Click();
    void cmdDelete_Click();

    bool typeMode() const { return m_typeMode; }
    // The value OK would put into the main window; empty when nothing is selected.
    const QString& selectedValue() const { return m_selected; }

    QListWidget* List1 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    std::array<QPushButton*, 2> Command1{};

private:
    void showNothingSelected();
    void insertSorted(const QString& value);

    AppState& m_state;
    bool m_typeMode = false;
    QString m_selected;
};

} // namespace zelk
