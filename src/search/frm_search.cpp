#include "frm_search.h"

#include "core/app_state.h"
#include "data/sort_fields.h"
#include "ui/box_focus.h"
#include "ui/guarded.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"
#include "ui/validtxt.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

void refuseDoubleQuote(int& keyAscii)
{
    if (keyAscii == '"')
        keyAscii = 0;
}

} // namespace

frmSearch::frmSearch(AppState& state, MainView& main, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Zelk Membership Search"));
    buildControls();
    showSearchField();
}

void frmSearch::buildControls()
{
    menuBar = new QMenuBar(this);
    mnuSort = menuBar->addMenu(QStringLiteral("&Sort Order"));
    for (size_t i = 0; i < kSearchSortMenu.size(); ++i) {
        menuSort[i] = mnuSort->addAction(sortField(kSearchSortMenu[i]).caption);
        connect(menuSort[i], &QAction::triggered, this, [this, i] { menuSort_Click(int(i)); });
    }

    // Until a field is known the frame says only what it is for.
    FrameSearch = new QGroupBox(QStringLiteral("Search for:"));
    txtSearch = new QLineEdit;
    txtSearch->setMinimumWidth(260);
    auto* frameLayout = new QVBoxLayout(FrameSearch);
    frameLayout->addWidget(txtSearch);

    chkWildCard = new QCheckBox(QStringLiteral("Search anywhere"));
    chkWildCard->setToolTip(QStringLiteral("Tick to find the text anywhere in the field, not only at its start"));

    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(FrameSearch);
    layout->addWidget(chkWildCard);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    setTabChain({txtSearch, chkWildCard, cmdOK, cmdCancel});
    txtSearch->setFocus(Qt::OtherFocusReason);

    installKeyRule(txtSearch, refuseDoubleQuote);
    txtSearch->installEventFilter(this);
    connect(txtSearch, &QLineEdit::textChanged, this, &frmSearch::txtSearch_Change);
    connect(chkWildCard, &QCheckBox::clicked, this, &frmSearch::chkWildCard_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSearch::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSearch::cmdCancel_Click);
}

// The frame's caption and the "Search anywhere" box follow the field searched.
void frmSearch::showSearchField()
{
    if (const SortField* f = findSortField(m_state.SortOrder))
        FrameSearch->setTitle(f->searchCaption);
    chkWildCard->setEnabled(m_state.SortOrder != sortField(SortKey::Number).field);
}

bool frmSearch::anywhere() const
{
    return chkWildCard->isEnabled() && chkWildCard->isChecked();
}

bool frmSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtSearch && event->type() == QEvent::FocusIn)
        selectOnEntry(txtSearch, static_cast<QFocusEvent*>(event)->reason());
    return QDialog::eventFilter(watched, event);
}

void frmSearch::menuSort_Click(int Index)
{
    if (Index < 0 || Index >= int(kSearchSortMenu.size()))
        return;
    // The members are searched again in the new order at the next keystroke or OK.
    m_state.SortOrder = sortField(kSearchSortMenu[size_t(Index)]).field;
    showSearchField();
}

void frmSearch::refreshMain()
{
    m_main.RefreshData();
}

// Reopens the members on `sql` when it finds anyone. When it finds no-one, the members
// and the member on show stay as they were, so the member the main window shows is always
// the current one, the one a save amends.
bool frmSearch::narrowTo(const QString& sql)
{
    std::unique_ptr<Recordset> shown = std::move(m_state.rsZelk);
    const QString shownSql = m_state.SQLText;
    const auto putBack = [&] {
        m_state.rsZelk = std::move(shown);
        m_state.SQLText = shownSql;
    };
    try {
        m_state.reopen(m_state.rsZelk, sql);
    } catch (...) {
        putBack();
        throw;
    }
    if (m_state.rsZelk->recordCount() > 0)
        return true;
    putBack();
    return false;
}

void frmSearch::txtSearch_Change()
{
    const QString text = txtSearch->text();
    // A failing search changes nothing: the members and the member shown stay as they were.
    try {
        if (text.trimmed().isEmpty()) {
            m_state.reopen(m_state.rsZelk, membersInOrder(m_state.SortOrder));
            refreshMain();
            return;
        }
        const auto sql = query::narrowingQuery(m_state.SortOrder, text, anywhere());
        if (sql && narrowTo(*sql))
            refreshMain();
    } catch (const std::exception&) {
    }
}

void frmSearch::chkWildCard_Click()
{
    // What matches has changed with the box: search again for the text as it stands.
    if (!txtSearch->text().trimmed().isEmpty())
        txtSearch_Change();
}

void frmSearch::showWholeRegister()
{
    m_state.reopen(m_state.rsZelk, membersInOrder(m_state.SortOrder));
    if (m_state.rsZelk->recordCount() > 0)
        m_state.rsZelk->moveFirst();
    refreshMain();
}

void frmSearch::cmdOK_Click()
{
    guarded(QStringLiteral("cmdOK"), this, [this] {
        const QString text = txtSearch->text();
        if (text.trimmed().isEmpty()) {
            showWholeRegister();
            accept();
            return;
        }
        const auto criterion = query::findCriterion(m_state.SortOrder, text, anywhere());
        if (criterion) {
            Recordset& members = *m_state.rsZelk;
            members.findFirst(*criterion);
            if (!members.noMatch()) {
                // The member found need not be the first of the members typing left
                // (12 narrows to 15 upwards; OK finds 120): show the one now current.
                refreshMain();
                accept();
                return;
            }
        }
        const MsgAnswer again = MessageBox::show(
            QStringLiteral("I can't find any members to match your selection.\n\nDo you want to try again?"),
            QStringLiteral("Search by ") + m_state.SortOrder, MsgButtons::YesNo, MsgIcon::Exclamation, MsgAnswer::Yes,
            this);
        if (again == MsgAnswer::Yes) {
            txtSearch->setFocus(Qt::OtherFocusReason);
            showWholeRegister();
            return;
        }
        txtSearch->clear();
        showWholeRegister();
        accept();
    });
}

void frmSearch::cmdCancel_Click()
{
    // The members stay as the last keystroke left them.
    reject();
}

} // namespace zelk
