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
#include <QVBoxLayout>

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

// A caption beside its box, right-aligned so the boxes line up.
QLabel* caption(const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text));
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

QFrame* panel()
{
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
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
        m_builtInCaptions << control->property(control->inherits("QGroupBox") ? "title" : "text").toString();
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
    }
    txtInfo[kNumberBox]->setMaximumWidth(110);
    for (int i : {1, 2, 3, 4})
        txtInfo[i]->setMaximumWidth(150);
    txtInfo[kPostCodeBox]->setMaximumWidth(150);

    // The navigation buttons in their frame, and the record buttons.
    Frame1 = new QGroupBox(QStringLiteral("Navigate:"));
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
        Command1[i] = new QPushButton(QString::fromLatin1(recordCaptions[i]));
        Command1[i]->setToolTip(QString::fromLatin1(recordTips[i]));
        Command1[i]->setMinimumWidth(84);
    }
    chkLapsed = new QCheckBox(QStringLiteral("Membership lapsed"));
    chkLapsed->setToolTip(QStringLiteral("Tick this box if membership has ceased"));
    Picture1 = new PictureBox;
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setToolTip(QStringLiteral("Double click to add photograph, right click to remove photograph"));

    // Top row: the number, the navigation, the record buttons.
    auto* top = new QHBoxLayout;
    top->addWidget(Label1[0]);
    top->addWidget(txtInfo[kNumberBox]);
    top->addSpacing(16);
    top->addWidget(Frame1);
    top->addStretch(1);
    auto* buttons = new QGridLayout;
    for (int i = 0; i < 4; ++i)
        buttons->addWidget(Command1[i], i / 2, i % 2);
    buttons->addWidget(Command1[4], 0, 2, 2, 1);
    Command1[4]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    top->addLayout(buttons);

    // Names and address.
    auto* names = panel();
    auto* nameGrid = new QGridLayout(names);
    nameGrid->addWidget(Label1[5], 0, 0);
    nameGrid->addWidget(txtInfo[5], 0, 1);
    nameGrid->addWidget(Label1[6], 1, 0);
    nameGrid->addWidget(txtInfo[6], 1, 1);
    nameGrid->addWidget(Label1[7], 2, 0);
    nameGrid->addWidget(txtInfo[7], 2, 1);
    nameGrid->addWidget(Label1[8], 3, 0);
    for (int i = 8; i <= 12; ++i)
        nameGrid->addWidget(txtInfo[i], 3 + i - 8, 1);
    nameGrid->addWidget(Label1[9], 8, 0);
    nameGrid->addWidget(txtInfo[kPostCodeBox], 8, 1, Qt::AlignLeft);
    nameGrid->setRowStretch(9, 1);

    // Dates, fee and telephones.
    auto* dates = panel();
    auto* dateGrid = new QGridLayout(dates);
    for (int i = 1; i <= 4; ++i) {
        dateGrid->addWidget(Label1[i], i - 1, 0);
        dateGrid->addWidget(txtInfo[i], i - 1, 1, Qt::AlignLeft);
    }
    for (int i = 14; i <= 17; ++i) {
        dateGrid->addWidget(Label1[i - 4], i - 10, 0);
        dateGrid->addWidget(txtInfo[i], i - 10, 1);
    }
    dateGrid->setRowStretch(8, 1);

    // E-mail and web addresses.
    auto* links = panel();
    auto* linkGrid = new QGridLayout(links);
    linkGrid->addWidget(Label1[14], 0, 0);
    linkGrid->addWidget(txtInfo[kEmailBox], 0, 1);
    linkGrid->addWidget(Label1[15], 0, 2);
    linkGrid->addWidget(txtInfo[kEmail2Box], 0, 3);
    linkGrid->addWidget(Label1[18], 1, 0);
    linkGrid->addWidget(txtInfo[27], 1, 1, 1, 3);

    // The membership type and the six lookups under their captions.
    auto* lists = panel();
    auto* listGrid = new QGridLayout(lists);
    listGrid->addWidget(Label1[16], 0, 0);
    listGrid->addWidget(txtInfo[kMemberTypeBox], 0, 1, 1, 3);
    listGrid->addWidget(Label1[17], 1, 0);
    for (int i = kFirstLookupBox; i <= kLastLookupBox; ++i)
        listGrid->addWidget(txtInfo[i], 1 + (i - kFirstLookupBox) / 3, 1 + (i - kFirstLookupBox) % 3);

    // Notes, the lapsed tick, and the photograph beside them.
    auto* notes = panel();
    auto* notesGrid = new QGridLayout(notes);
    Label1[19]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    notesGrid->addWidget(Label1[19], 0, 0);
    notesGrid->addWidget(txtNotes, 0, 1);
    notesGrid->addWidget(chkLapsed, 1, 1);
    auto* picture = panel();
    auto* pictureBox = new QVBoxLayout(picture);
    Label1[20]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pictureBox->addWidget(Label1[20]);
    pictureBox->addWidget(Picture1, 1);

    auto* body = new QWidget;
    auto* grid = new QGridLayout(body);
    grid->addLayout(top, 0, 0, 1, 3);
    grid->addWidget(names, 1, 0);
    grid->addWidget(dates, 1, 1);
    grid->addWidget(picture, 1, 2, 2, 1);
    grid->addWidget(links, 2, 0, 1, 2);
    grid->addWidget(lists, 3, 0, 1, 3);
    grid->addWidget(notes, 4, 0, 1, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(4, 1);
    setCentralWidget(body);
    resize(1000, 720);
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
    frmAbout about(this);
    runModal(about);
}

} // namespace zelk
