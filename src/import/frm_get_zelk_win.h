#pragma once
// The import from the first Windows edition: the user picks the folder that holds its
// zelk.mdb, and Get data adds its members, membership types and lookups to the register.
#include <QDialog>
#include <array>

class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace zelk {

struct AppState;
class MainView;

class frmGetZelkWin : public QDialog {
    Q_OBJECT
public:
    frmGetZelkWin(AppState& state, MainView& main, QWidget* parent = nullptr);

    // The folder chosen, and choosing one (it is shown and its file looked for).
    QString folder() const;
    void setFolder(const QString& path);

    // Handlers: Command1[0] Cancel, Command1[1] Get data.
    void Command1_Click(int Index);

    // Controls, in tab order.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTreeView* Dir1 = nullptr;          // the folders; the file is looked for in the one chosen
    QLabel* lblFolder = nullptr;        // the folder chosen
    QLabel* lblFile = nullptr;          // whether zelk.mdb is in it
    std::array<QPushButton*, 2> Command1{};
    QLabel* lblProgress = nullptr;      // what the import is doing

private:
    void Dir1_Change();
    void GetData(const QString& file);

    AppState& m_state;
    MainView& m_main;
    QFileSystemModel* m_folders = nullptr;
};

} // namespace zelk
