#pragma once
// The label sheets of the register: the user picks the default one, deletes one, or opens
// the edit window to add or amend one.
#include <QDialog>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace zelk {

struct AppState;
enum class LabelEdit;

class frmChangeDefaultLabel : public QDialog {
    Q_OBJECT
public:
    explicit frmChangeDefaultLabel(AppState& state, QWidget* parent = nullptr);

    // 0 OK, 1 Cancel, 2 add, 3 amend, 4 delete.
    void cmd1_Click(int Index);

    // The sheet OK made the default (the window is then accepted); empty until then.
    QString chosenLabel() const { return m_chosen; }

    // One entry per sheet: its name, two tabs, "3 wide, 7 high".
    void FillList();
    // The name of an entry: the text before its first tab, without blanks around it.
    static QString entryName(const QString& entry);

    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QPushButton*, 5> cmd1{};

private:
    void Form_Load();
    // The name of the highlighted entry; empty when none is highlighted.
    QString highlightedName() const;
    void openEditWindow(LabelEdit mode, const QString& name);
    void deleteLabel(const QString& name);

    AppState& m_state;
    QString m_chosen;
};

} // namespace zelk
