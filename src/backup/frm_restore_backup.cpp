#include "frm_restore_backup.h"

#include "backup_messages.h"

#include "core/app_state.h"
#include "core/error_number.h"
#include "ui/busy_cursor.h"
#include "ui/captions.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"
#include "ui/unexpected_error.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelk {

namespace {

QString kindText(backup::Kind kind)
{
    switch (kind) {
    case backup::Kind::BeforeImport: return QStringLiteral("Before an import");
    case backup::Kind::BeforeRestore: return QStringLiteral("Before a restore");
    case backup::Kind::Damaged: return QStringLiteral("Damaged register");
    case backup::Kind::Everyday: break;
    }
    return QStringLiteral("Everyday backup");
}

} // namespace

frmRestoreBackup::frmRestoreBackup(AppState& state, MainView& view, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_view(view)
{
    setObjectName(QStringLiteral("frmRestoreBackup"));
    setWindowTitle(QStringLiteral("Restore from a backup"));

    lblFolder = plainLabel(QString(), this);
    lblFolder->setWordWrap(true);
    lstBackups = new QTreeWidget(this);
    lstBackups->setObjectName(QStringLiteral("lstBackups"));
    lstBackups->setRootIsDecorated(false);
    lstBackups->setUniformRowHeights(true);
    lstBackups->setAllColumnsShowFocus(true);
    lstBackups->setHeaderLabels({QStringLiteral("Made"), QStringLiteral("Size"), QStringLiteral("Members"), QStringLiteral("Kind")});
    lstBackups->header()->setStretchLastSection(false);
    lstBackups->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        lstBackups->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    auto* note = new QLabel(QStringLiteral("Your register as it is now is backed up before a backup takes its place."), this);
    note->setWordWrap(true);

    cmdRestore = new QPushButton(QStringLiteral("&Restore"), this);
    cmdOtherFile = new QPushButton(QStringLiteral("&Other file..."), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdRestore->setToolTip(QStringLiteral("Put the chosen backup in place of your register"));
    cmdOtherFile->setToolTip(QStringLiteral("Restore a backup kept somewhere else, such as a memory stick"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOtherFile);
    buttons->addStretch();
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFolder);
    layout->addWidget(lstBackups, 1);
    layout->addWidget(note);
    layout->addLayout(buttons);
    setTabChain({lstBackups, cmdRestore, cmdOtherFile, cmdCancel});

    connect(cmdRestore, &QPushButton::clicked, this, &frmRestoreBackup::cmdRestore_Click);
    connect(cmdOtherFile, &QPushButton::clicked, this, &frmRestoreBackup::cmdOtherFile_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstBackups, &QTreeWidget::itemDoubleClicked, this, &frmRestoreBackup::cmdRestore_Click);
    connect(lstBackups, &QTreeWidget::currentItemChanged, this, [this] { cmdRestore->setEnabled(lstBackups->currentItem()); });

    FillList();
    resize(640, 380);
}

void frmRestoreBackup::FillList()
{
    BusyCursor busy;
    m_backups = backup::listBackups(m_state.DatabasePath);
    lblFolder->setText(m_backups.empty()
                           ? QStringLiteral("There are no backups in %1 yet. A backup kept somewhere else can be restored with Other file.")
                                 .arg(QDir::toNativeSeparators(backup::backupsFolder(m_state.DatabasePath)))
                           : QStringLiteral("The backups in %1, newest first:").arg(QDir::toNativeSeparators(backup::backupsFolder(m_state.DatabasePath))));
    lstBackups->clear();
    for (const backup::BackupSummary& b : m_backups) {
        auto* item = new QTreeWidgetItem(lstBackups);
        item->setText(0, backup::whenMade(b.file.made));
        item->setText(1, backup::sizeText(b.size));
        item->setText(2, b.members < 0 ? QStringLiteral("unreadable") : QLocale().toString(b.members));
        item->setText(3, kindText(b.file.kind));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(0, QDir::toNativeSeparators(b.file.path));
    }
    if (lstBackups->topLevelItemCount() > 0)
        lstBackups->setCurrentItem(lstBackups->topLevelItem(0));
    cmdRestore->setEnabled(lstBackups->currentItem());
}

void frmRestoreBackup::cmdRestore_Click()
{
    const int row = lstBackups->indexOfTopLevelItem(lstBackups->currentItem());
    if (row >= 0 && row < int(m_backups.size()))
        restore(m_backups[size_t(row)]);
}

void frmRestoreBackup::cmdOtherFile_Click()
{
    const QString path = UserDialogs::openFile({QStringLiteral("Restore from a backup"), backup::backupsFolder(m_state.DatabasePath),
                                                QStringLiteral("Registers (*.mdb)|*.mdb|All files (*)|*")},
                                               this);
    if (path.isEmpty())
        return;
    backup::BackupSummary chosen;
    chosen.file.path = path;
    chosen.file.made = QFileInfo(path).lastModified();
    chosen.size = QFileInfo(path).size();
    backup::BackupCheck check;
    {
        BusyCursor busy;
        check = backup::checkBackup(path, m_state.DatabasePath);
    }
    if (check.refusal != backup::Refusal::None) {
        backup::RestoreOutcome refused;
        refused.refusal = check.refusal;
        refused.detail = check.detail;
        MessageBox::show(backup::restoreOutcomeMessage(refused, path), this);
        return;
    }
    chosen.members = check.members;
    restore(chosen);
}

void frmRestoreBackup::restore(const backup::BackupSummary& chosen)
{
    if (MessageBox::show(backup::restoreQuestion(chosen), this) != MsgAnswer::Yes)
        return;
    backup::RestoreOutcome outcome;
    {
        BusyCursor busy;
        // Nothing of this program may hold the register while it is replaced.
        m_state.rsInUse.reset();
        m_state.rsLabels.reset();
        m_state.rsLookups.reset();
        m_state.rsMemberTypes.reset();
        m_state.rsSettings.reset();
        m_state.rsZelk.reset();
        m_state.dbZelk.reset();
        outcome = backup::restoreRegister(m_state.DatabasePath, chosen.file.path, QDateTime::currentDateTime());
        reopenRegister();
    }
    MessageBox::show(backup::restoreOutcomeMessage(outcome, chosen.file.path), this);
    if (outcome.restored())
        accept();
    else
        FillList();
}

void frmRestoreBackup::reopenRegister()
{
    try {
        // A backup of a register from an earlier release is brought up to date as it opens.
        m_state.openRegister(membersInOrder(m_state.SortOrder));
        m_state.NewMember = m_state.rsZelk->recordCount() == 0 ? -1 : 0;
        if (m_state.rsZelk->recordCount() > 0)
            m_state.rsZelk->moveFirst();
        m_view.ApplyIncludeSkip();
        m_view.ApplyScreenText();
        m_view.RefreshData();
    } catch (const std::exception& e) {
        showUnexpectedError(errorNumber(e), QStringLiteral("frmRestoreBackup"), this);
    }
}

} // namespace zelk
