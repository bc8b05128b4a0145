#pragma once
// The lists of ready-made values the main window offers: the membership types and the
// lookup values shared by the six lookup boxes. The user picks a value for the box that
// was double-clicked, adds new values and deletes those no member holds any more.
#include "data/queries.h"

#include <QDialog>
#include <array>
#include <memory>

class QListWidget;
class QPushButton;

namespace zelk {

struct AppState;
class Recordset;

class frmLookups : public QDialog {
    Q_OBJECT
public:
    // `list` is the list shown; `boxValue` the value of the main window's box, which is
    // highlighted when the list holds it exactly. OK closes the window Accepted with the
    // value chosen in selectedValue(), for the opener to put into the box.
    frmLookups(AppState& state, query::ValueList list, const QString& boxValue, QWidget* parent = nullptr);

    // Fills List1 from the list's table and highlights the box's value.
    void FillList(query::ValueList list);

    void List1_Click();
    void List1_DblClick();
    void Command1_Click(int Index);   // 0 Cancel, 1 OK
    void cmdAdd_Click();
    void cmdDelete_Click();

    bool typeMode() const { return m_list == query::ValueList::MemberTypes; }
    // The value OK hands over; empty when nothing is selected.
    const QString& selectedValue() const { return m_selected; }

    QListWidget* List1 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    std::array<QPushButton*, 2> Command1{};

private:
    void showNothingSelected();
    void insertSorted(const QString& value);
    std::unique_ptr<Recordset>& listRecordset();

    AppState& m_state;
    query::ValueList m_list;
    QString m_boxValue;
    QString m_selected;
};

} // namespace zelk
