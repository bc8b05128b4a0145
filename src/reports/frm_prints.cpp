#include "frm_prints.h"

#include "data_export.h"
#include "frm_label_preview.h"
#include "list_report.h"
#include "report_file.h"
#include "selection_query.h"

#include "config/frm_zelk_defaults.h"
#include "mail/frm_get_message.h"

#include "ui/busy_cursor.h"
#include "ui/box_focus.h"
#include "ui/find_browser.h"
#include "ui/frm_about.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/tab_order.h"
#include "ui/validtxt.h"

#include "core/app_state.h"
#include "core/program_folder.h"
#include "core/settings_store.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <optional>

namespace zelk {

using namespace reports;

namespace {

const char* const kRangeTips[10] = {
    "Enter the first surname in the range to print, if desired",
    "Enter the final surname in the range to print, if desired",
    "Enter the first membership type in the range to print, if desired",
    "Enter the final mebership type in the range to print, if desired",
    "Enter the first number in the range to print, if desired",
    "Enter the final number in the range to print, if desired",
    "Enter the first post code in the range to print, if desired",
    "Enter the final post code in the range to print, if desired",
    "Enter the first lookup in the range to print, if desired",
    "Enter the final lookup in the range to print, if desired"};

const char* const kDescTips[kSortKeys] = {
    "Tick to print in reverse surname order", "Tick to print in reverse membership type order",
    "Tick to print in reverse number order", "Tick to print in reverse post code order",
    "Tick to print in reverse lookup order"};

const char* const kIncludeCaptions[include::Count] = {"Phone",  "Membership type", "Renewal date",  "Lookups",
                                                      "Number", "Birthday",        "E-mail address"};

const char* const kRowCaptions[7] = {"Surname:", "Membership type:", "Number:", "Post code:",
                                     "Lookups:", "Birthday:",        "Renewal date:"};

// The sort priorities take 1 to 5 and Backspace.
void PriorityKey(int& keyAscii)
{
    if (keyAscii != 8 && (keyAscii < '1' || keyAscii > '5'))
        keyAscii = 0;
}

QLabel* label(const char* text)
{
    return new QLabel(QString::fromLatin1(text));
}

} // namespace

frmPrints::frmPrints(AppState& state, MainView& main, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmPrints"));
    buildControls();
    buildMenus();
    connectControls();
    installKeyPreview(this);
    Form_Load();
}

void frmPrints::buildControls()
{
    // Report type.
    Frame1[0] = new QGroupBox(QStringLiteral("Report type:"));
    auto* typeLayout = new QVBoxLayout(Frame1[0]);
    const char* types[4] = {"&Labels", "L&ist", "&File", "&E-mail"};
    for (int i = 0; i < 4; ++i) {
        optReport[i] = new QRadioButton(QString::fromLatin1(types[i]));
        typeLayout->addWidget(optReport[i]);
    }

    // Ranges, priorities and reverse ticks. The grid's columns: the row's caption, the
    // From day, month and year, the To day, month and year, the priority and the tick.
    // A text range box spans its three date columns.
    Frame1[2] = new QGroupBox(QStringLiteral("Select range to print:"));
    auto* grid = new QGridLayout(Frame1[2]);
    Label1[1] = label("From:");
    Label1[2] = label("To:");
    Label1[0] = label("Priority:");
    Label1[17] = label("Rev. Sort:");
    grid->addWidget(Label1[1], 0, 1, 1, 3);
    grid->addWidget(Label1[2], 0, 4, 1, 3);
    grid->addWidget(Label1[0], 0, 7);
    grid->addWidget(Label1[17], 0, 8);
    for (int i = 0; i < 7; ++i) {
        Label1[3 + i] = label(kRowCaptions[i]);
        grid->addWidget(Label1[3 + i], i < 5 ? 1 + i : 2 + i, 0);
    }
    for (int i = 0; i < range::Count; ++i) {
        txtRange[i] = new QLineEdit;
        txtRange[i]->setObjectName(QStringLiteral("txtRange%1").arg(i));
    }
    for (int r = 0; r < 5; ++r) {
        for (int k = 0; k < 2; ++k) {
            QLineEdit* box = txtRange[2 * r + k];
            box->setMaxLength(100);
            box->setToolTip(QString::fromLatin1(kRangeTips[2 * r + k]));
            box->setMinimumWidth(150);
            grid->addWidget(box, 1 + r, 1 + 3 * k, 1, 3);
        }
        txtPriority[r] = new QLineEdit;
        txtPriority[r]->setObjectName(QStringLiteral("txtPriority%1").arg(r));
        txtPriority[r]->setMaxLength(1);
        txtPriority[r]->setFixedWidth(32);
        txtPriority[r]->setAlignment(Qt::AlignCenter);
        txtPriority[r]->setToolTip(QStringLiteral("Set the priority order you want to print from 1 to 5, or leave blank"));
        grid->addWidget(txtPriority[r], 1 + r, 7, Qt::AlignHCenter);
        chkDesc[r] = new QCheckBox;
        chkDesc[r]->setToolTip(QString::fromLatin1(kDescTips[r]));
        grid->addWidget(chkDesc[r], 1 + r, 8, Qt::AlignHCenter);
    }
    const char* parts[3] = {"Day:", "Month:", "Year:"};
    for (int k = 0; k < 6; ++k) {
        Label1[10 + k] = label(parts[k % 3]);
        grid->addWidget(Label1[10 + k], 6, 1 + k);
    }
    for (int i = range::BirthdayFrom; i < range::Count; ++i) {
        const int part = (i - range::BirthdayFrom) % 3;
        const int date = (i - range::BirthdayFrom) / 3;   // birthday From, To, renewal From, To
        txtRange[i]->setMaxLength(part == 2 ? 4 : 2);
        txtRange[i]->setFixedWidth(part == 2 ? 56 : 40);
        grid->addWidget(txtRange[i], 7 + date / 2, 1 + 3 * (date % 2) + part);
    }
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(6, 1);
    grid->setRowStretch(9, 1);   // the rows keep together at the top when the frame is taller

    // Lapsed members.
    Frame1[3] = new QGroupBox(QStringLiteral("Lapsed members:"));
    auto* lapsedLayout = new QVBoxLayout(Frame1[3]);
    const char* lapsed[3] = {"Include", "Exclude", "Only lapsed"};
    for (int i = 0; i < 3; ++i) {
        optLapsed[i] = new QRadioButton(QString::fromLatin1(lapsed[i]));
        lapsedLayout->addWidget(optLapsed[i]);
    }

    // Content of list reports and labels.
    Frame1[4] = new QGroupBox;
    auto* includeGrid = new QGridLayout(Frame1[4]);
    Label1[16] = label("Include:");
    includeGrid->addWidget(Label1[16], 0, 0);
    for (int i = 0; i < include::Count; ++i) {
        chkInclude[i] = new QCheckBox(QString::fromLatin1(kIncludeCaptions[i]));
        includeGrid->addWidget(chkInclude[i], i / 4, 1 + i % 4);
    }
    optNameOrder[0] = new QRadioButton(QStringLiteral("Title 1st"));
    optNameOrder[1] = new QRadioButton(QStringLiteral("Surname 1st"));
    includeGrid->addWidget(optNameOrder[0], 0, 5);
    includeGrid->addWidget(optNameOrder[1], 1, 5);
    // A sheet with some labels already used can be fed again from its first free label.
    lblStartLabel = label("Start at label:");
    txtStartLabel = new QLineEdit(QStringLiteral("1"));
    txtStartLabel->setObjectName(QStringLiteral("txtStartLabel"));
    txtStartLabel->setMaxLength(3);
    txtStartLabel->setFixedWidth(48);
    txtStartLabel->setToolTip(QStringLiteral("The position on the first sheet of the first label to print, counting across and then down"));
    includeGrid->addWidget(lblStartLabel, 0, 6);
    includeGrid->addWidget(txtStartLabel, 0, 7);
    lblStartLabel->hide();   // until Labels is chosen
    txtStartLabel->hide();
    includeGrid->setColumnStretch(4, 1);

    Frame1[1] = new QGroupBox(QStringLiteral("Other options:"));
    chkUpper = new QCheckBox(QStringLiteral("All UPPER case"));
    (new QVBoxLayout(Frame1[1]))->addWidget(chkUpper);

    Frame2 = new QGroupBox(QStringLiteral("Report heading:"));
    txtHeading = new QLineEdit;
    txtHeading->setToolTip(QStringLiteral("This will appear at the top of any List style reports"));
    (new QVBoxLayout(Frame2))->addWidget(txtHeading);

    Command1 = new QPushButton(QStringLiteral("&Print Report"));
    Command1->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(Frame1[0]);
    left->addWidget(Frame1[3]);
    left->addWidget(Frame1[1]);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(Frame1[2], 1);
    auto* foot = new QHBoxLayout;
    foot->addWidget(Frame2, 1);
    foot->addWidget(Command1, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Frame1[4]);
    layout->addLayout(foot);

    QList<QWidget*> order;
    for (auto* b : optReport)
        order << b;
    for (auto* b : txtRange)
        order << b;
    for (auto* b : txtPriority)
        order << b;
    for (auto* b : chkDesc)
        order << b;
    for (auto* b : optLapsed)
        order << b;
    for (auto* b : chkInclude)
        order << b;
    for (auto* b : optNameOrder)
        order << b;
    order << txtStartLabel << chkUpper << txtHeading << Command1;
    setTabChain(order);
}

void frmPrints::buildMenus()
{
    menuBar = new QMenuBar(this);
    menuFile = menuBar->addMenu(QStringLiteral("&File"));
    mnuFile = menuFile->addAction(QStringLiteral("E&xit"));
    // "Default Settings" has no items: choosing it opens the defaults window at once.
    menuDefaults = menuBar->addAction(QStringLiteral("Default Settings"));
    menuHelp = menuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp[0] = menuHelp->addAction(QStringLiteral("&Index"));
    mnuHelp[1] = menuHelp->addSeparator();
    mnuHelp[2] = menuHelp->addAction(QStringLiteral("&About"));
    layout()->setMenuBar(menuBar);
}

void frmPrints::connectControls()
{
    for (int i = 0; i < 4; ++i)
        connect(optReport[i], &QRadioButton::clicked, this, [this, i] { optReport_Click(i); });
    for (int i = 0; i < range::Count; ++i) {
        if (range::takesDigitsOnly(i))
            installKeyRule(txtRange[i], DigitsOnlyKey);
        if (range::isDateBox(i))
            onBoxFocus(txtRange[i], {}, [this, i] { txtRange_LostFocus(i); });
        txtRange[i]->installEventFilter(this);
    }
    for (auto* box : txtPriority) {
        installKeyRule(box, PriorityKey);
        box->installEventFilter(this);
    }
    installKeyRule(txtStartLabel, DigitsOnlyKey);
    txtStartLabel->installEventFilter(this);
    onBoxFocus(txtHeading, {}, [this] { txtHeading_LostFocus(); });
    connect(Command1, &QPushButton::clicked, this, &frmPrints::Command1_Click);
    connect(mnuFile, &QAction::triggered, this, &frmPrints::mnuFile_Click);
    connect(menuDefaults, &QAction::triggered, this, &frmPrints::menuDefaults_Click);
    connect(mnuHelp[0], &QAction::triggered, this, [this] { mnuHelp_Click(0); });
    connect(mnuHelp[2], &QAction::triggered, this, [this] { mnuHelp_Click(2); });
}

void frmPrints::Form_Load()
{
    setWindowTitle(QStringLiteral("Zelk Membership Reports"));
    const ReportType type = reportTypeFromSetting(readSetting(setting::ReportType));
    if (type != ReportType::None) {
        optReport[int(type)]->setChecked(true);
        optReport_Click(int(type));
    }
    chkUpper->setChecked(settingFlagIsOn(setting::UpperCase));
}

bool frmPrints::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && box != txtHeading) {
            // A click places the cursor after the focus arrives: select once it has.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, [box] { SelectAllText(box); });
            else
                SelectAllText(box);
        }
    }
    return QDialog::eventFilter(watched, event);
}

ReportType frmPrints::reportType() const
{
    for (int i = 0; i < 4; ++i)
        if (optReport[i]->isChecked())
            return ReportType(i);
    return ReportType::None;
}

ReportRanges frmPrints::ranges() const
{
    ReportRanges r;
    for (int i = 0; i < range::Count; ++i)
        r.txtRange[i] = txtRange[i]->text();
    for (int i = 0; i < kSortKeys; ++i) {
        r.txtPriority[i] = txtPriority[i]->text();
        r.chkDesc[i] = chkDesc[i]->isChecked();
    }
    for (int i = 0; i < 3; ++i)
        if (optLapsed[i]->isChecked())
            r.lapsed = LapsedFilter(i);
    return r;
}

ReportContent frmPrints::content() const
{
    ReportContent c;
    for (int i = 0; i < include::Count; ++i)
        c.chkInclude[i] = chkInclude[i]->isChecked();
    c.surnameFirst = optNameOrder[1]->isChecked();
    c.upperCase = chkUpper->isChecked();
    c.heading = txtHeading->text();
    return c;
}

int frmPrints::startAtLabel() const
{
    return txtStartLabel->text().isEmpty() ? 1 : int(std::min(boxValue(txtStartLabel->text()), 999.0));
}

void frmPrints::optReport_Click(int Index)
{
    const bool labels = Index == int(ReportType::Labels);
    const bool list = Index == int(ReportType::List);
    Label1[16]->setVisible(labels || list);
    for (int i = 0; i < include::Count; ++i)
        chkInclude[i]->setVisible(list || (labels && i == include::Number));
    for (auto* b : optNameOrder)
        b->setVisible(list);
    lblStartLabel->setVisible(labels);
    txtStartLabel->setVisible(labels);
}

void frmPrints::txtRange_LostFocus(int Index)
{
    const DateBoxCheck check = checkDateBox(Index, txtRange[Index]->text());
    if (check.kind == DateBoxCheck::Kind::Replace)
        txtRange[Index]->setText(check.text);
    else if (check.kind == DateBoxCheck::Kind::YearWrong)
        MessageBox::show(QStringLiteral("Zelk needs the year to be either 2 or 4 digits long to be able to produce correct reports."),
                         QStringLiteral("Year wrong"), MsgButtons::OK, MsgIcon::Information, this);
}

void frmPrints::txtHeading_LostFocus()
{
    trimBox(txtHeading);
}

void frmPrints::BuildReportQuery()
{
    const SelectionQuery query = reports::BuildReportQuery(ranges());
    for (auto it = query.corrected.begin(); it != query.corrected.end(); ++it)
        txtRange[it.key()]->setText(it.value());
    m_state.SelectionSQL = query.sql;
}

void frmPrints::Command1_Click()
{
    if (m_working)
        return;
    m_replaced = false;
    guarded(QStringLiteral("Command1 on Prints"), this, [this] {
        if (m_state.BrowserPath.trimmed().isEmpty())
            FindBrowser(m_state);
        if (!datesComplete())
            return;
        BuildReportQuery();
        switch (reportType()) {
        case ReportType::Labels:
            m_replaced = PrintLabels(m_state, {chkUpper->isChecked(), chkInclude[include::Number]->isChecked(), startAtLabel()}, this);
            break;
        case ReportType::List:
            PrintReport();
            break;
        case ReportType::File:
            PrintFile();
            break;
        default: {   // E-mail, or no type chosen
            // The message window replaces the members by the selection once it sends.
            const Recordset* shown = m_state.rsZelk.get();
            frmGetMessage message(m_state, this);
            runModal(message);
            m_replaced = m_state.rsZelk.get() != shown;
            break;
        }
        }
    });
    // Once the members were replaced by the selection, the main window must show its
    // current member, whatever became of the output: what it shows is what a save amends.
    if (m_replaced)
        guarded(QStringLiteral("Command1 on Prints"), this, [this] { showSelection(); });
}

bool frmPrints::datesComplete()
{
    const auto problem = dateRangeProblem(ranges());
    if (!problem)
        return true;
    MessageBox::show(problem->text, problem->title, MsgButtons::OK, MsgIcon::Exclamation, this);
    txtRange[problem->box]->setFocus(Qt::OtherFocusReason);
    SelectAllText(txtRange[problem->box]);
    return false;
}

QString frmPrints::openSelection()
{
    const QString shownSql = m_state.SQLText;
    try {
        m_state.reopen(m_state.rsZelk, m_state.SelectionSQL);
    } catch (const EngineError& e) {
        // The members shown stay as they were.
        m_state.SQLText = shownSql;
        return e.description();
    }
    m_replaced = true;
    return {};
}

void frmPrints::showSelection()
{
    // An empty selection has no first member: the main window then shows none, and the
    // next save adds one.
    if (m_state.rsZelk->recordCount() > 0)
        m_state.rsZelk->moveFirst();
    m_main.RefreshData();
}

KeepResponsive frmPrints::keepResponsive()
{
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    return [since] {
        if (since->elapsed() >= 100) {
            letEventsRun();
            since->restart();
        }
    };
}

void frmPrints::setWorking(bool working)
{
    m_working = working;
    Command1->setEnabled(!working);
    menuBar->setEnabled(!working);
}

bool frmPrints::writeOutput(std::optional<BusyCursor>& busy, const QString& path, const std::function<bool(QIODevice&)>& write)
{
    if (const QString refused = openSelection(); !refused.isEmpty()) {
        busy.reset();
        MessageBox::show(QStringLiteral("Zelk could not select the members for this report:\n") + refused
                             + QStringLiteral("\n\nNothing has been made, and the main window still shows the members it had."),
                         QStringLiteral("Report not made"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return false;
    }
    const QString problem = [&] {
        const ReadTransaction reading(*m_state.dbZelk);
        return saveReport(path, write);
    }();
    if (problem.isEmpty())
        return true;
    busy.reset();
    MessageBox::show(QStringLiteral("Zelk could not write the report file ") + path + QStringLiteral(":\n") + problem
                         + QStringLiteral("\n\nPlease check that the folder can be written to and that the disk is not full, then try again."),
                     QStringLiteral("Report not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
    return false;
}

void frmPrints::PrintReport()
{
    setWorking(true);
    const auto done = qScopeGuard([this] { setWorking(false); });
    std::optional<BusyCursor> busy(std::in_place);
    const QString path = programFile(QLatin1String(kListReportFile));
    const ReportContent options = content();
    if (!writeOutput(busy, path, [&](QIODevice& out) { return reports::PrintReport(*m_state.rsZelk, options, out, keepResponsive()); }))
        return;
    // The page is complete on disk; a moment for the window to catch up before the browser comes.
    QEventLoop pause;
    QTimer::singleShot(1000, &pause, &QEventLoop::quit);
    pause.exec();
    busy.reset();
    if (!startBrowser(m_state.BrowserPath, path)) {
        const QString browser = m_state.BrowserPath.trimmed();
        MessageBox::show((browser.isEmpty() ? QStringLiteral("Zelk does not know which web browser to use, so it cannot show the report.")
                                            : QStringLiteral("Zelk could not start your web browser, ") + browser
                                                  + QStringLiteral(", to show the report."))
                             + QStringLiteral("\n\nThe report has been saved as ") + path
                             + QStringLiteral(". You can open it in your browser yourself, or choose your browser with "
                                              "\"Find web browser\" on the Options menu of the main window."),
                         QStringLiteral("Browser not started"), MsgButtons::OK, MsgIcon::Exclamation, this);
    }
}

void frmPrints::PrintFile()
{
    setWorking(true);
    const auto done = qScopeGuard([this] { setWorking(false); });
    std::optional<BusyCursor> busy(std::in_place);
    const QString path = programFile(QLatin1String(kDataExportFile));
    const bool upper = chkUpper->isChecked();
    if (!writeOutput(busy, path, [&](QIODevice& out) { return reports::PrintFile(*m_state.rsZelk, upper, out, keepResponsive()); }))
        return;
    busy.reset();
    MessageBox::show(QStringLiteral("Data exported to ") + path, QStringLiteral("All done"), MsgButtons::OK,
                     MsgIcon::Information, this);
}

void frmPrints::reject()
{
    if (!m_working)
        QDialog::reject();
}

void frmPrints::closeEvent(QCloseEvent* event)
{
    if (m_working)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void frmPrints::mnuFile_Click()
{
    close();
}

void frmPrints::menuDefaults_Click()
{
    guarded(QStringLiteral("menuDefaults"), this, [this] {
        // A save reorders the members: the main window shows the first of them.
        frmZelkDefaults defaults(m_state, this);
        if (runModal(defaults) == QDialog::Accepted)
            m_main.RefreshData();
    });
}

void frmPrints::mnuHelp_Click(int Index)
{
    if (Index == 0) {
        MessageBox::show(QStringLiteral("Help file still to be created"), MessageBox::defaultTitle(), MsgButtons::OK,
                         MsgIcon::None, this);
    } else if (Index == 2) {
        frmAbout about(m_state.DatabasePath, this);
        runModal(about);
    }
}

} // namespace zelk
