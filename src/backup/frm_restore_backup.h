#pragma once
// File > "Restore from a backup...": the register's backups with the date each was made,
// its size and the members it holds; the one chosen (or another file) is checked, the
// register is backed up, then replaced, and the main window shows its first member.
#include "backup_restore.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zelk {

struct AppState;
class MainView;

class frmRestoreBackup : public QDialog {
    Q_OBJECT
public:
    frmRestoreBackup(AppState& state, MainView& view, QWidget* parent = nullptr);

    void FillList();
    void cmdRestore_Click();
    void cmdOtherFile_Click();

    QLabel* lblFolder = nullptr;
    QTreeWidget* lstBackups = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdOtherFile = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    // Asks, then restores `backup`; closes the window when the register was replaced.
    void restore(const backup::BackupSummary& backup);
    // Opens the register and every shared record set again, and shows the first member.
    void reopenRegister();

    AppState& m_state;
    MainView& m_view;
    std::vector<backup::BackupSummary> m_backups;
};

} // namespace zelk
