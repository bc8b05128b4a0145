#include "frm_get_zelk_win.h"

#include "earlier_windows_import.h"
#include "import_progress.h"

#include "core/app_state.h"
#include "ui/busy_cursor.h"
#include "ui/captions.h"
#include "ui/button_row.h"
#include "ui/guarded.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeView>
#include <QVBoxLayout>

namespace zelk {

frmGetZelkWin::frmGetZelkWin(AppState& state, MainView& main, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmGetZelkWin"));
    setWindowTitle(QStringLiteral("Get data from Zelk for Windows"));

    Label1 = new QLabel(QStringLiteral("Only use this if you want to import your data from Bramwick Zelk for Windows version 1."));
    Label1->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("Look in:"));

    // One list of folders stands for the old drive and folder lists.
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    Dir1 = new QTreeView;
    Dir1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->header()->hide();
    Dir1->setMinimumSize(420, 280);
    Label2->setBuddy(Dir1);
    lblFolder = plainLabel();
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFile = plainLabel();
    lblProgress = plainLabel();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addWidget(Label2);
    layout->addWidget(Dir1, 1);
    layout->addWidget(lblFolder);
    layout->addWidget(lblFile);
    layout->addWidget(lblProgress);
    layout->addLayout(buttonRow(Command1, {{1, "Get data"}, {0, "Cancel"}}, this, [this](int i) { Command1_Click(i); }));
    Command1[1]->setDefault(true);
    setTabChain({Dir1, Command1[1], Command1[0]});

    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { Dir1_Change(); });
    setFolder(import::earlierWindowsStartFolder());
    Dir1->setFocus(Qt::OtherFocusReason);
}

QString frmGetZelkWin::folder() const
{
    return m_folders->filePath(Dir1->currentIndex());
}

void frmGetZelkWin::setFolder(const QString& path)
{
    const QModelIndex index = m_folders->index(QDir::cleanPath(path));
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
    Dir1_Change();
}

void frmGetZelkWin::Dir1_Change()
{
    const QString chosen = folder();
    lblFolder->setText(QDir::toNativeSeparators(chosen));
    lblFile->setText(import::earlierWindowsFile(chosen).isEmpty() ? QStringLiteral("There is no zelk.mdb in this folder.")
                                                                   : QStringLiteral("zelk.mdb is in this folder."));
}

void frmGetZelkWin::Command1_Click(int Index)
{
    if (Index == 0) {
        reject();
        return;
    }
    guarded(QStringLiteral("Command1_Click"), this, [&] {
        const QString file = import::earlierWindowsFile(folder());
        if (file.isEmpty()) {
            MessageBox::show(import::fileNotThereMessage(folder()), this);
            return;
        }
        GetData(file);
    });
}

void frmGetZelkWin::GetData(const QString& file)
{
    import::ImportResult result;
    {
        BusyCursor busy;
        for (auto* button : Command1)
            button->setEnabled(false);
        const auto enable = qScopeGuard([this] {
            for (auto* button : Command1)
                button->setEnabled(true);
            lblProgress->clear();
        });
        const import::ImportCallbacks io{askFrom(this), showProgressIn(lblProgress, nullptr)};
        result = import::GetData(m_state, file, io);
    }
    // Whatever happened the shared record sets have been reopened: show the member now current.
    m_main.RefreshData();
    if (result.stopped())
        return;
    MessageBox::show(import::importedMessage(), this);
    accept();
}

} // namespace zelk
