#include "frm_zelk_main.h"

#include "picture_box.h"

#include "backup/backup_menu.h"
#include "config/frm_find_browser.h"
#include "config/frm_include_skip.h"
#include "config/frm_lookups.h"
#include "config/frm_nav_keys.h"
#include "config/frm_reset_auto_number.h"
#include "config/frm_zelk_defaults.h"
#include "config/frm_zelk_screen_text.h"
#include "config/frm_zelk_year.h"
#include "import/frm_get_text_file.h"
#include "import/frm_get_zelk_dos.h"
#include "import/frm_get_zelk_win.h"
#include "reports/frm_prints.h"
#include "search/frm_search.h"

#include "ui/captions.h"
#include "ui/frm_about.h"
#include "ui/tab_order.h"
#include "core/app_state.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "core/main_defaults.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/guarded.h"

#include "data/sort_fields.h"
#include "engine/engine_error.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace zelk {

namespace {

const char* const kLabelCaptions[21] = {
    "Number", "Join Date", "Renewal Date", "Fee Paid", "Birthday", "Title", "First Name", "Surname", "Address",
    "Post Code", "Home phone", "Work phone", "Fax", "Mobile", "E-mail", "Second e-mail", "Membership type",
    "Lookups", "http://", "Notes", "Picture"};

const char* const kBoxTips[kBoxCount] = {
    "This member's number within your club", "The date this member joined your club",
    "The date this member's membership is due for renewal", "Membership fee paid (if any)", "Member's birthday",
    "Member's title e.g. Dr, Miss, Mr, Mrs", "Member's first name", "Member's surname", "Member's address", "", "", "",
    "", "Member's post or zip code", "Member's home telephone number", "Member's work telephone number",
    "Member's fax number", "Member's mobile phone number", "Member's email address", "Second email address",
    "Membership type, double click to change",
    "Additional information group for this member, double click to change", "Double click to change",
    "Double click to change", "Double click to change", "Double click to change", "Double click to change",
    "URL associated with this member", "Additional notes"};

// The widest a caption may be: a longer one the user gives is cut short rather than
// widening the window.
constexpr int kWidestLabel = 120;
constexpr int kWidestLabelInARow = 100;   // a caption between two boxes of one row
constexpr int kWidestButton = 160;
constexpr int kWidestTick = 260;
constexpr int kWidestFrame = 180;

// A caption beside its box, right-aligned so the boxes line up.
QLabel* caption(const char* text)
{
    auto* label = plainLabel();
    setCaption(label, QString::fromLatin1(text), kWidestLabel);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// Opens one of the program's option windows modally over the main window; `whenAccepted`
// runs when the user confirmed it, so the main window takes up what it changed.
template <typename Window>
void openModal(AppState& state, QWidget* parent, const std::function<void()>& whenAccepted = {})
{
    guarded(QStringLiteral("mnuOptions"), parent, [&] {
        Window window(state, parent);
        if (runModal(window) == QDialog::Accepted && whenAccepted)
            whenAccepted();
    });
}

// Opens the reports window, which leaves the main window browsing the report's selection.
// While a change to the member shown is unsaved it stays closed: showing the selection
// would throw the typing away.
void openReports(AppState& state, frmZelkMain& main)
{
    if (main.hasUnsavedChange()) {
        MessageBox::show(QStringLiteral("You have changed this member but not saved the changes.\n\n"
                                        "Please save or undo them before making a report."),
                         QStringLiteral("Unsaved changes"), MsgButtons::OK, MsgIcon::Exclamation, &main);
        return;
    }
    guarded(QStringLiteral("Command1"), &main, [&] {
        frmPrints window(state, main, &main);
        runModal(window);
    });
}

} // namespace

frmZelkMain::frmZelkMain(AppState& state, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("frmZelkMain"));
    setWindowTitle(QStringLiteral("Bramwick Zelk Membership: Enter or Amend Members"));
    buildControls();
    for (QWidget* control : captionControls())
        m_builtInCaptions << captionOf(control);
    buildMenus();
    connectControls();
    installEntryRules();
    QList<QWidget*> order;
    for (int i = 0; i < kBoxCount; ++i)
        order << box(i);
    order << chkLapsed;
    for (auto* b : cmdNext)
        order << b;
    for (auto* b : Command1)
        order << b;
    setTabChain(order);
    KeyPreviewOptions keys;
    keys.enterPassesThrough = [this] { return m_state.MultiLineFocus == -1; };
    keys.windowKeys = [this](QKeyEvent& key) { return windowKeys(key); };
    installKeyPreview(this, keys);
    Form_Load();
}

frmZelkMain::~frmZelkMain() = default;

void frmZelkMain::buildControls()
{
    for (int i = 0; i < kBoxCount; ++i) {
        if (i == kNotesBox)
            continue;
        txtInfo[i] = new QLineEdit;
        txtInfo[i]->setObjectName(QStringLiteral("txtInfo%1").arg(i));
        txtInfo[i]->setToolTip(QString::fromLatin1(kBoxTips[i]));
        txtInfo[i]->installEventFilter(this);
    }
    txtNotes = new QPlainTextEdit;
    txtNotes->setObjectName(QStringLiteral("txtInfo28"));
    txtNotes->setToolTip(QString::fromLatin1(kBoxTips[kNotesBox]));
    txtNotes->setTabChangesFocus(true);
    txtNotes->installEventFilter(this);
    for (int i = 0; i < 21; ++i) {
        Label1[i] = caption(kLabelCaptions[i]);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        showCaption(Label1[i], QString::fromLatin1(kLabelCaptions[i]));
    }
    txtInfo[kNumberBox]->setMaximumWidth(110);
    for (int i : {1, 2, 3, 4})
        txtInfo[i]->setMaximumWidth(130);
    txtInfo[5]->setMaximumWidth(90);
    txtInfo[kPostCodeBox]->setMaximumWidth(150);

    // The navigation buttons in their frame, and the record buttons.
    Frame1 = new QGroupBox;
    setCaption(Frame1, QStringLiteral("Navigate:"), kWidestFrame);
    auto* nav = new QHBoxLayout(Frame1);
    const char* navCaptions[4] = {"|<", "<", ">", ">|"};
    const char* navTips[4] = {"Go to the first member in this sequence", "Go to the previous member in this sequence",
                              "Go to the next member in this sequence", "Go to the last member in this sequence"};
    for (int i = 0; i < 4; ++i) {
        cmdNext[i] = new QPushButton(QString::fromLatin1(navCaptions[i]));
        cmdNext[i]->setToolTip(QString::fromLatin1(navTips[i]));
        cmdNext[i]->setFixedWidth(44);
        nav->addWidget(cmdNext[i]);
    }
    const char* recordCaptions[5] = {"&Save", "&Undo", "&New", "&Delete", "&Reports"};
    const char* recordTips[5] = {"Save your changes", "Undo all changes", "Add a new member", "Delete this member", ""};
    for (int i = 0; i < 5; ++i) {
        Command1[i] = new QPushButton;
        Command1[i]->setToolTip(QString::fromLatin1(recordTips[i]));
        setCaption(Command1[i], QString::fromLatin1(recordCaptions[i]), kWidestButton);
        Command1[i]->setMinimumWidth(84);
    }
    chkLapsed = new QCheckBox;
    chkLapsed->setToolTip(QStringLiteral("Tick this box if membership has ceased"));
    setCaption(chkLapsed, QStringLiteral("Membership lapsed"), kWidestTick);
    Picture1 = new PictureBox;
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setToolTip(QStringLiteral("Double click to add photograph, right click to remove photograph"));

    // The boxes read left to right, top to bottom, in the order Tab takes them: the number
    // and the dates; the names, the address and the telephones beside the photograph; the
    // e-mail addresses, the lists, the web address and the notes; then the lapsed tick,
    // the navigation and the record buttons. The captions of the rows share one column.
    auto* grid = new QGridLayout;
    auto besideEachOther = [](std::initializer_list<std::pair<QWidget*, int>> row) {
        auto* line = new QHBoxLayout;
        for (const auto& [widget, stretch] : row)
            line->addWidget(widget, stretch);
        return line;
    };
    grid->addWidget(Label1[0], 0, 0);
    grid->addLayout(besideEachOther({{txtInfo[kNumberBox], 1}, {Label1[1], 0}, {txtInfo[kJoinDateBox], 1},
                                     {Label1[2], 0}, {txtInfo[kRenewDateBox], 1}, {Label1[3], 0}, {txtInfo[kFeeBox], 1},
                                     {Label1[4], 0}, {txtInfo[kBirthdayBox], 1}}),
                    0, 1, 1, 2);
    grid->addWidget(Label1[5], 1, 0);
    grid->addLayout(besideEachOther({{txtInfo[5], 0}, {Label1[6], 0}, {txtInfo[6], 2}, {Label1[7], 0}, {txtInfo[kSurnameBox], 3}}),
                    1, 1);
    grid->addWidget(Label1[8], 2, 0);
    for (int i = kAddress1Box; i <= 12; ++i)
        grid->addWidget(txtInfo[i], 2 + i - kAddress1Box, 1);
    grid->addWidget(Label1[9], 7, 0);
    grid->addWidget(txtInfo[kPostCodeBox], 7, 1, Qt::AlignLeft);
    // The four telephones two by two, the second of each pair under the other.
    auto* phones = new QGridLayout;
    phones->setContentsMargins(0, 0, 0, 0);
    for (int i = 14; i <= 17; ++i) {
        const int row = (i - 14) / 2;
        if ((i - 14) % 2 == 0) {
            grid->addWidget(Label1[i - 4], 8 + row, 0);
            phones->addWidget(txtInfo[i], row, 0);
        } else {
            phones->addWidget(Label1[i - 4], row, 1);
            phones->addWidget(txtInfo[i], row, 2);
        }
    }
    phones->setColumnStretch(0, 1);
    phones->setColumnStretch(2, 1);
    grid->addLayout(phones, 8, 1, 2, 1);

    auto* pictureColumn = new QVBoxLayout;
    Label1[20]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pictureColumn->addWidget(Label1[20]);
    pictureColumn->addWidget(Picture1, 1);
    grid->addLayout(pictureColumn, 1, 2, 9, 1);

    grid->addWidget(Label1[14], 10, 0);
    grid->addLayout(besideEachOther({{txtInfo[kEmailBox], 1}, {Label1[15], 0}, {txtInfo[kEmail2Box], 1}}), 10, 1, 1, 2);
    grid->addWidget(Label1[16], 11, 0);
    // The membership type and the lookups in three equal columns, three lookups to a row.
    auto* lists = new QGridLayout;
    lists->setContentsMargins(0, 0, 0, 0);
    lists->addWidget(txtInfo[kMemberTypeBox], 0, 0);
    for (int i = kFirstLookupBox; i <= kLastLookupBox; ++i)
        lists->addWidget(txtInfo[i], 1 + (i - kFirstLookupBox) / 3, (i - kFirstLookupBox) % 3);
    for (int c = 0; c < 3; ++c)
        lists->setColumnStretch(c, 1);
    grid->addLayout(lists, 11, 1, 3, 2);
    grid->addWidget(Label1[17], 12, 0);
    grid->addWidget(Label1[18], 14, 0);
    grid->addWidget(txtInfo[27], 14, 1, 1, 2);
    Label1[19]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(Label1[19], 15, 0);
    grid->addWidget(txtNotes, 15, 1, 1, 2);
    grid->addWidget(chkLapsed, 16, 1, 1, 2);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(15, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Frame1);
    buttons->addStretch(1);
    for (auto* b : Command1)
        buttons->addWidget(b, 0, Qt::AlignBottom);

    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->addLayout(grid, 1);
    column->addLayout(buttons);
    setCentralWidget(body);
    // Never larger than the screen it opens on.
    QSize size(1000, 720);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableSize());
    resize(size);
}

void frmZelkMain::showCaption(QWidget* control, const QString& text)
{
    static const QList<int> inARow{1, 2, 3, 4, 6, 7, 11, 13, 15};
    const int label = int(std::find(Label1.begin(), Label1.end(), control) - Label1.begin());
    const int widest = control == chkLapsed ? kWidestTick
                       : control == Frame1  ? kWidestFrame
                       : label < int(Label1.size()) ? (inARow.contains(label) ? kWidestLabelInARow : kWidestLabel)
                                                    : kWidestButton;
    setCaption(control, text, widest);
}

void frmZelkMain::buildMenus()
{
    menuFile = menuBar()->addMenu(QStringLiteral("&File"));
    menuImportData = menuFile->addMenu(QStringLiteral("&Import data"));
    mnuFile[0] = menuImportData->menuAction();
    const char* imports[3] = {"Data from Zelk - Windows", "Data from Zelk - DOS", "Text file"};
    for (int i = 0; i < 3; ++i)
        menuImport[i] = menuImportData->addAction(QString::fromLatin1(imports[i]));
    mnuFile[1] = menuFile->addSeparator();
    mnuFile[2] = menuFile->addAction(QStringLiteral("E&xit"));
    mnuFile[2]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    backup::addBackupMenuItems(menuFile, mnuFile[1], m_state, *this, this, [this] { return hasUnsavedChange(); });

    menuOptions = menuBar()->addMenu(QStringLiteral("O&ptions"));
    const char* options[7] = {"&Default Settings", "&Screen Text", "&Include/skip fields", "Reset Auto Number",
                              "Membership default dates", "&Navigation keys", "Find web browser"};
    for (int i = 0; i < 7; ++i)
        mnuOptions[i] = menuOptions->addAction(QString::fromLatin1(options[i]));

    menuSort = menuBar()->addMenu(QStringLiteral("S&ort Order"));
    for (size_t i = 0; i < kMainSortMenu.size(); ++i) {
        const SortField& sort = sortField(kMainSortMenu[i]);
        mnuSort[i] = menuSort->addAction(sort.caption);
        mnuSort[i]->setShortcut(QKeySequence(Qt::CTRL | sort.shortcut));
    }

    menuSearch = menuBar()->addMenu(QStringLiteral("Se&arch"));
    mnuSearch = menuSearch->addAction(QStringLiteral("Search for members"));
    mnuSearch->setShortcut(QKeySequence(Qt::Key_F4));

    // "Reports" has no items: choosing it opens the reports window at once.
    menuPrints = menuBar()->addAction(QStringLiteral("Reports"));

    menuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpIndex = menuHelp->addAction(QStringLiteral("&Index"));
    menuHelp->addSeparator();
    mnuHelpAbout = menuHelp->addAction(QStringLiteral("&About"));
}

void frmZelkMain::connectControls()
{
    for (int i = 0; i < kBoxCount; ++i) {
        if (i == kNotesBox)
            connect(txtNotes, &QPlainTextEdit::textChanged, this, &frmZelkMain::StopSave);
        else
            connect(txtInfo[i], &QLineEdit::textChanged, this, &frmZelkMain::StopSave);
    }
    connect(Picture1, &PictureBox::pictureChanged, this, &frmZelkMain::StopSave);
    // Ticking the lapsed box is a change to the member like any other: it must be saved or
    // undone before the window moves on.
    connect(chkLapsed, &QCheckBox::clicked, this, &frmZelkMain::StopSave);
    connect(Picture1, &PictureBox::doubleClicked, this, &frmZelkMain::Picture1_DblClick);
    connect(Picture1, &PictureBox::rightPressed, this, &frmZelkMain::Picture1_RightPressed);
    for (int i = 0; i < 4; ++i)
        connect(cmdNext[i], &QPushButton::clicked, this, [this, i] { cmdNext_Click(i); });
    for (int i = 0; i < 4; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    connect(Command1[4], &QPushButton::clicked, this, [this] { openReports(m_state, *this); });
    connect(menuPrints, &QAction::triggered, this, [this] { openReports(m_state, *this); });
    connect(mnuFile[2], &QAction::triggered, this, [this] { mnuFile_Click(2); });
    for (int i = 0; i < 5; ++i)
        connect(mnuSort[i], &QAction::triggered, this, [this, i] { mnuSort_Click(i); });
    connect(mnuSearch, &QAction::triggered, this, &frmZelkMain::openSearch);
    connect(mnuOptions[0], &QAction::triggered, this, [this] {
        guarded(QStringLiteral("mnuOptions"), this, [this] {
            // Its Save puts the members in the order chosen, showing the first of them.
            frmZelkDefaults window(m_state, this, [this] { return settleUnsavedChange(QStringLiteral("the members are put in the new order")); });
            if (runModal(window) == QDialog::Accepted)
                RefreshData();
        });
    });
    connect(mnuOptions[1], &QAction::triggered, this, [this] { openModal<frmZelkScreenText>(m_state, this, [this] { guarded(QStringLiteral("ApplyScreenText"), this, [this] { ApplyScreenText(); }); }); });
    connect(mnuOptions[2], &QAction::triggered, this, [this] { openModal<frmIncludeSkip>(m_state, this, [this] { guarded(QStringLiteral("ApplyIncludeSkip"), this, [this] { ApplyIncludeSkip(); }); }); });
    connect(mnuOptions[3], &QAction::triggered, this, [this] { openModal<frmResetAutoNumber>(m_state, this); });
    connect(mnuOptions[4], &QAction::triggered, this, [this] { openModal<frmZelkYear>(m_state, this); });
    connect(mnuOptions[5], &QAction::triggered, this, [this] { openModal<frmNavKeys>(m_state, this); });
    connect(mnuOptions[6], &QAction::triggered, this, [this] { openModal<frmFindBrowser>(m_state, this); });
    // The importers refresh this window themselves once they have reopened the members.
    connect(menuImport[1], &QAction::triggered, this, [this] {
        guarded(QStringLiteral("menuImport_Click"), this, [this] {
            frmGetZelkDos window(m_state, *this, this);
            runModal(window);
        });
    });
    connect(menuImport[2], &QAction::triggered, this, [this] {
        guarded(QStringLiteral("menuImport_Click"), this, [this] {
            frmGetTextFile window(m_state, *this, this);
            runModal(window);
        });
    });
    connect(mnuHelpAbout, &QAction::triggered, this, &frmZelkMain::openAbout);
    // There is no help file yet: Index says so, rather than doing nothing.
    connect(mnuHelpIndex, &QAction::triggered, this, [this] {
        MessageBox::show(QStringLiteral("Help file still to be created"), MessageBox::defaultTitle(), MsgButtons::OK,
                         MsgIcon::None, this);
    });
    connect(menuImport[0], &QAction::triggered, this, [this] {
        guarded(QStringLiteral("menuImport"), this, [this] {
            frmGetZelkWin window(m_state, *this, this);
            runModal(window);
        });
    });
}

void frmZelkMain::Form_Load()
{
    guarded(QStringLiteral("frmZelkMain"), this, [this] {
        if (m_state.rsZelk->recordCount() == 0)
            m_state.NewMember = -1;
        else
            RefreshData();
        ApplyIncludeSkip();
        ApplyScreenText();
        LoadMainDefaults(m_state);
    });
    EnableNavigation();
}

QWidget* frmZelkMain::box(int index) const
{
    return index == kNotesBox ? static_cast<QWidget*>(txtNotes) : txtInfo[index];
}

QString frmZelkMain::boxText(int index) const
{
    return index == kNotesBox ? txtNotes->toPlainText() : txtInfo[index]->text();
}

void frmZelkMain::setBoxText(int index, const QString& text)
{
    if (index == kNotesBox) {
        if (txtNotes->toPlainText() != text)
            txtNotes->setPlainText(text);
    } else {
        txtInfo[index]->setText(text);
    }
}

int frmZelkMain::boxIndexOf(const QObject* widget) const
{
    for (int i = 0; i < kBoxCount; ++i)
        if (box(i) == widget)
            return i;
    return -1;
}

bool frmZelkMain::windowKeys(QKeyEvent& key)
{
    // Ctrl alone with the page keys moves through the register, when moving is allowed;
    // the keypad's Page Up, Page Down, Home and End count as the main keys.
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    int button = -1;
    switch (key.key()) {
    case Qt::Key_PageUp: button = m_state.PageDir == 1 ? 1 : 2; break;
    case Qt::Key_PageDown: button = m_state.PageDir == 1 ? 2 : 1; break;
    case Qt::Key_Home: button = 0; break;
    case Qt::Key_End: button = 3; break;
    default: return false;
    }
    if (!m_unsaved)
        cmdNext_Click(button);
    return true;
}

void frmZelkMain::cmdNext_Click(int index)
{
    auto& rs = *m_state.rsZelk;
    try {
        switch (index) {
        case 0: rs.moveFirst(); break;
        case 1: rs.movePrevious(); break;
        case 2: rs.moveNext(); break;
        case 3: rs.moveLast(); break;
        }
    } catch (const EngineError&) {
        // Moving past either end is mended by RefreshData.
    }
    RefreshData();
}

void frmZelkMain::mnuSort_Click(int index)
{
    if (!settleUnsavedChange(QStringLiteral("the members are put in another order")))
        return;
    m_state.SortOrder = sortField(kMainSortMenu[size_t(index)]).field;
    const bool reopened = guarded(QStringLiteral("mnuSort"), this, [this] {
        m_state.reopen(m_state.rsZelk, membersInOrder(m_state.SortOrder));
        if (m_state.rsZelk->recordCount() > 0)
            m_state.rsZelk->moveFirst();
    });
    if (!reopened)
        return;
    RefreshData();
    openSearch();
}

void frmZelkMain::mnuFile_Click(int index)
{
    if (index != 2)
        return;
    // While a change is unsaved, Exit does nothing: Save or Undo first.
    if (m_unsaved)
        return;
    if (MessageBox::show(QStringLiteral("Are you sure you want to end the program?"), QStringLiteral("End program?"),
                         MsgButtons::YesNo, MsgIcon::Question, this)
        == MsgAnswer::Yes) {
        m_closing = true;
        close();
    }
}

void frmZelkMain::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (!m_unsaved) {
        if (MessageBox::show(QStringLiteral("Are you sure you want to end the program?"), QStringLiteral("End program?"),
                             MsgButtons::YesNo, MsgIcon::Question, this)
            == MsgAnswer::Yes) {
            m_closing = true;
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    // A change is unsaved: nothing is saved, or thrown away, without the user's word.
    if (!settleUnsavedChange(QStringLiteral("the program ends"))) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
}

bool frmZelkMain::settleUnsavedChange(const QString& beforeWhat)
{
    if (!m_unsaved)
        return true;
    const MsgAnswer answer = MessageBox::show(
        QStringLiteral("You have changed this member but not saved the changes.\n\nDo you want to save them before %1?").arg(beforeWhat),
        QStringLiteral("Unsaved changes"), MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::Yes, this);
    if (answer == MsgAnswer::Cancel)
        return false;
    return answer == MsgAnswer::No || SaveMember() == SaveResult::Saved;
}

void frmZelkMain::openSearch()
{
    guarded(QStringLiteral("mnuSearch"), this, [this] {
        frmSearch search(m_state, *this, this);
        runModal(search);
    });
}

void frmZelkMain::openLookups(int index)
{
    guarded(QStringLiteral("txtInfo_DblClick"), this, [this, index] {
        frmLookups lookups(m_state, index == kMemberTypeBox ? query::ValueList::MemberTypes : query::ValueList::Lookups,
                           boxText(index), this);
        if (runModal(lookups) == QDialog::Accepted)
            setBoxText(index, lookups.selectedValue());
    });
}

void frmZelkMain::openAbout()
{
    frmAbout about(m_state.DatabasePath, this);
    runModal(about);
}

} // namespace zelk
