#include "frm_get_text_file.h"

#include "import_progress.h"
#include "text_file.h"

#include "core/app_state.h"
#include "ui/busy_cursor.h"
#include "ui/guarded.h"
#include "ui/main_view.h"
#include "ui/tab_order.h"
#include "ui/user_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>


namespace zelk {

namespace {

constexpr int kRowsPerSide = import::kTextColumns / 2;

// The file dialogs of Linux desktops match patterns with regard to case: the upper-case
// forms find the files that Windows and DOS named in capitals.
const QString& fileFilter()
{
    static const QString filter = QStringLiteral("Text Files (*.prn, *.txt, *.csv)|*.prn;*.txt;*.csv;*.PRN;*.TXT;*.CSV");
    return filter;
}

// Names and values come from the user's file: shown as they are, never as markup.
QLabel* fileTextLabel(int width)
{
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setFixedWidth(width);
    return label;
}

void showFileText(QLabel* label, const QString& text)
{
    QString oneLine = text;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    label->setText(oneLine);
    label->setToolTip(oneLine);
}

} // namespace

frmGetTextFile::frmGetTextFile(AppState& state, MainView& view, QWidget* parent)
    : ImportDialog(parent)
    , m_state(state)
    , m_view(view)
{
    setObjectName(QStringLiteral("frmGetTextFile"));
    setWindowTitle(QStringLiteral("Get data from a text file"));
    buildControls();
    FillCombos();
}

void frmGetTextFile::buildControls()
{
    Label1 = new QLabel(QStringLiteral(
        "Please check the appropriate button to let me know how the information in your text file is separated. Then "
        "click the Import File button. Note: the first line of your file MUST contain field names."));
    Label1->setWordWrap(true);

    fraSep = new QGroupBox;
    auto* sepLayout = new QHBoxLayout(fraSep);
    const char* separators[3] = {"Tab", "Comma", "Semicolon"};
    for (int i = 0; i < 3; ++i) {
        optSep[size_t(i)] = new QRadioButton(QString::fromLatin1(separators[i]));
        sepLayout->addWidget(optSep[size_t(i)]);
        connect(optSep[size_t(i)], &QRadioButton::clicked, this, [this, i] { optSep_Click(i); });
    }
    optSep[0]->setChecked(true);
    sepLayout->addStretch();
    Command1 = new QPushButton(QStringLiteral("&Get File"));
    Command1->setAutoDefault(false);
    sepLayout->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("Command1_Click"), this, [this] { Command1_Click(); }); });

    lblFile = new QLabel;
    lblFile->setTextFormat(Qt::PlainText);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const char* headings[4] = {"Your field names:", "Import into this field:", "Import into this field:", "Your field names:"};
    for (int i = 0; i < 4; ++i) {
        Label2[size_t(i)] = new QLabel(QString::fromLatin1(headings[i]));
        QFont bold = Label2[size_t(i)]->font();
        bold.setBold(true);
        Label2[size_t(i)]->setFont(bold);
    }
    // Left: the names and targets of columns 1 to 15; right: 16 to 30.
    grid->addWidget(Label2[0], 0, 0, 1, 2);
    grid->addWidget(Label2[1], 0, 2);
    grid->addWidget(Label2[3], 0, 4, 1, 2);
    grid->addWidget(Label2[2], 0, 6);
    grid->setColumnMinimumWidth(3, 24);
    for (int i = 0; i < import::kTextColumns; ++i) {
        const int row = 1 + i % kRowsPerSide;
        const int column = i < kRowsPerSide ? 0 : 4;
        lblFieldName[size_t(i)] = fileTextLabel(140);
        lblFirstValue[size_t(i)] = fileTextLabel(130);
        lblFirstValue[size_t(i)]->setEnabled(false);   // drawn grey: an example, not a name
        cmbWhereTo[size_t(i)] = new QComboBox;
        cmbWhereTo[size_t(i)]->setMinimumContentsLength(12);
        cmbWhereTo[size_t(i)]->installEventFilter(this);
        grid->addWidget(lblFieldName[size_t(i)], row, column);
        grid->addWidget(lblFirstValue[size_t(i)], row, column + 1);
        grid->addWidget(cmbWhereTo[size_t(i)], row, column + 2);
        connect(cmbWhereTo[size_t(i)], &QComboBox::currentTextChanged, this, [this, i] { cmbWhereTo_LostFocus(i); });
    }

    prgImport = new QProgressBar;
    prgImport->setVisible(false);

    Command2[0] = new QPushButton(QStringLiteral("&Import file"));
    Command2[0]->setEnabled(false);
    cmdCheck = new QPushButton(QStringLiteral("Chec&k file"));
    cmdCheck->setToolTip(QStringLiteral("Runs the whole import without keeping it, and says how many members would be added or what is wrong"));
    cmdCheck->setEnabled(false);
    Command2[1] = new QPushButton(QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prgImport, 1);
    buttons->addStretch();
    for (QPushButton* b : {Command2[0], cmdCheck, Command2[1]}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    connect(Command2[0], &QPushButton::clicked, this, [this] { Command2_Click(0); });
    connect(Command2[1], &QPushButton::clicked, this, [this] { Command2_Click(1); });
    connect(cmdCheck, &QPushButton::clicked, this, [this] { cmdCheck_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(fraSep);
    layout->addWidget(lblFile);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    QList<QWidget*> order{optSep[0], optSep[1], optSep[2], Command1};
    for (QComboBox* c : cmbWhereTo)
        order << c;
    order << Command2[0] << cmdCheck << Command2[1];
    setTabChain(order);
}

void frmGetTextFile::FillCombos()
{
    for (QComboBox* combo : cmbWhereTo)
        combo->addItems(import::textImportTargets());
}

QChar frmGetTextFile::separator() const
{
    for (int i = 0; i < 3; ++i)
        if (optSep[size_t(i)]->isChecked())
            return import::separatorOf(i);
    return import::separatorOf(2);
}

bool frmGetTextFile::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        for (int i = 0; i < import::kTextColumns; ++i)
            if (watched == cmbWhereTo[size_t(i)])
                cmbWhereTo_LostFocus(i);
    return ImportDialog::eventFilter(watched, event);
}

void frmGetTextFile::cmbWhereTo_LostFocus(int Index)
{
    m_whereToTag[size_t(Index)] = cmbWhereTo[size_t(Index)]->currentText();
}

// Another separator takes the file read apart anew: its names are read again.
void frmGetTextFile::optSep_Click(int)
{
    if (!m_filePath.isEmpty())
        guarded(QStringLiteral("optSep_Click"), this, [this] { readFile(m_filePath, false); });
}

void frmGetTextFile::Command1_Click()
{
    const QString folder = m_dialogFileName.isEmpty() ? QDir::homePath() : QFileInfo(m_dialogFileName).path();
    QString chosen = UserDialogs::openFile({QStringLiteral("Open"), folder, fileFilter()}, this);
    // The dialog keeps the file name of an earlier choice: cancelling it reads that file again.
    if (chosen.isEmpty())
        chosen = m_dialogFileName;
    if (chosen.isEmpty())
        return;
    m_dialogFileName = chosen;
    readFile(chosen, chosen == m_filePath);
}

void frmGetTextFile::readFile(const QString& path, bool keepChoices)
{
    const AskUser ask = askFrom(this);
    import::TextFile file;
    {
        BusyCursor busy;
        file = import::readTextFile(path);
    }
    if (file.problem != import::FileProblem::None) {
        ask(import::unreadableFileMessage(path, file));
        return;
    }
    if (file.text.isEmpty()) {
        ask(import::noDataMessage());
        return;
    }
    const QChar sep = separator();
    const import::FieldNames names = import::readFieldNames(file.text, sep);
    if (names.tooMany)
        ask(import::tooManyFieldsMessage());
    const QStringList values = import::firstValues(file.text, sep);
    // Columns beyond the names found show nothing, whatever an earlier file named there.
    for (int i = 0; i < import::kTextColumns; ++i) {
        showFileText(lblFieldName[size_t(i)], names.names.value(i));
        showFileText(lblFirstValue[size_t(i)], i < names.names.size() ? values.value(i) : QString());
    }
    if (!keepChoices) {
        const import::ColumnTargets targets = import::automaticTargets(names.names);
        for (int i = 0; i < import::kTextColumns; ++i) {
            const QString& target = targets[size_t(i)];
            cmbWhereTo[size_t(i)]->setCurrentText(target.isEmpty() ? QStringLiteral(" ") : target);
            m_whereToTag[size_t(i)] = cmbWhereTo[size_t(i)]->currentText();
        }
    }
    m_filePath = path;
    showFileText(lblFile, QStringLiteral("File: ") + QDir::toNativeSeparators(path));
    Command2[0]->setEnabled(true);
    cmdCheck->setEnabled(true);
}

// Counts the mapped columns and numbers them in the tags of their names; false, after
// saying so, when there is none.
bool frmGetTextFile::countMappedColumns()
{
    m_mappedCount = 0;
    for (int i = 0; i < import::kTextColumns; ++i) {
        if (!m_whereToTag[size_t(i)].trimmed().isEmpty()) {
            ++m_mappedCount;
            m_nameTag[size_t(i)] = QString::number(m_mappedCount);
        } else {
            m_nameTag[size_t(i)].clear();
        }
    }
    if (m_mappedCount > 0)
        return true;
    askFrom(this)(import::nothingSelectedMessage());
    return false;
}

void frmGetTextFile::Command2_Click(int Index)
{
    if (Index == 1) {
        reject();
        return;
    }
    guarded(QStringLiteral("Command2_Click"), this, [this] {
        if (countMappedColumns())
            runImport(import::ImportMode::Store);
    });
}

void frmGetTextFile::cmdCheck_Click()
{
    guarded(QStringLiteral("cmdCheck_Click"), this, [this] {
        if (countMappedColumns())
            runImport(import::ImportMode::Check);
    });
}

void frmGetTextFile::runImport(import::ImportMode mode)
{
    import::TextImport request{m_filePath, separator(), {}};
    for (int i = 0; i < import::kTextColumns; ++i)
        if (!m_nameTag[size_t(i)].isEmpty())
            request.targets[size_t(i)] = m_whereToTag[size_t(i)];
    import::ImportResult result;
    {
        BusyCursor busy;
        Running running(*this);
        result = import::importTextFile(m_state, mode, request, {askFrom(this), showProgressIn(nullptr, prgImport)});
        // The members are reopened whatever happened: the main window shows the current one.
        m_view.RefreshData();
    }
    if (result.stopped())
        return;
    if (mode == import::ImportMode::Check) {
        askFrom(this)(import::checkedMessage(result.membersAdded));
        return;
    }
    askFrom(this)(import::importedMessage());
    accept();
}

void frmGetTextFile::showRunning(bool running)
{
    prgImport->setValue(0);
    prgImport->setVisible(running);
    for (QWidget* w : QList<QWidget*>{optSep[0], optSep[1], optSep[2], Command1, Command2[1]})
        w->setEnabled(!running);
    for (QComboBox* c : cmbWhereTo)
        c->setEnabled(!running);
    Command2[0]->setEnabled(!running && !m_filePath.isEmpty());
    cmdCheck->setEnabled(!running && !m_filePath.isEmpty());
}

} // namespace zelk
