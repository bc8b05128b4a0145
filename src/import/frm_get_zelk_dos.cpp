#include "frm_get_zelk_dos.h"

#include "dos_programs.h"
#include "import_progress.h"

#include "core/app_state.h"
#include "core/program_folder.h"
#include "ui/busy_cursor.h"
#include "ui/guarded.h"
#include "ui/main_view.h"
#include "ui/tab_order.h"
#include "ui/user_dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>


namespace zelk {

namespace {

MessageRequest information(const QString& text, const char* title, MsgIcon icon = MsgIcon::Information)
{
    return {text, QString::fromLatin1(title), MsgButtons::OK, icon, MsgAnswer::OK};
}

// Where the DOS edition kept its files, when the user has copied them into a folder of
// that name; otherwise the user's home folder.
QString startFolder()
{
    const QDir home = QDir::home();
    return home.exists(QStringLiteral("zelk")) ? home.filePath(QStringLiteral("zelk")) : home.path();
}

} // namespace

frmGetZelkDos::frmGetZelkDos(AppState& state, MainView& view, QWidget* parent)
    : ImportDialog(parent)
    , m_state(state)
    , m_view(view)
{
    setObjectName(QStringLiteral("frmGetZelkDos"));
    setWindowTitle(QStringLiteral("Get data from Zelk for DOS"));
    buildControls();
}

void frmGetZelkDos::buildControls()
{
    Label1 = new QLabel(QStringLiteral("Only use option this if you want to import your data from Bramwick Zelk - DOS version."));
    Label1->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral(
        "To convert your data from the DOS version of Zelk you will need to run the DOS conversion program. Please "
        "ensure that all your files are backed up before you start the conversion."));
    Label2->setWordWrap(true);

    Frame1 = new QGroupBox(QStringLiteral("Conversion options:"));
    chkBirthday = new QCheckBox(QStringLiteral("Change renewal date to birthday"));
    chkBirthday->setToolTip(QStringLiteral("For those clubs that used the renewal field for birthdays"));
    chkProper = new QCheckBox(QStringLiteral("Change data to mixed case"));
    chkProper->setToolTip(QStringLiteral("Useful if all your data was entered in UPPER CASE"));
    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(chkBirthday);
    options->addWidget(chkProper);

    Label3 = new QLabel;
    Label3->setTextFormat(Qt::PlainText);   // members' names, shown as they are
    Label3->setWordWrap(true);
    Label3->setVisible(false);
    prgConvert = new QProgressBar;
    prgConvert->setVisible(false);

    Command2 = new QPushButton(QStringLiteral("Convert files"));
    Command3 = new QPushButton(QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {Command2, Command3}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    connect(Command2, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("Command2_Click"), this, [this] { Command2_Click(); }); });
    connect(Command3, &QPushButton::clicked, this, &frmGetZelkDos::Command3_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Frame1);
    layout->addWidget(Label3);
    layout->addWidget(prgConvert);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(460);

    setTabChain({chkBirthday, chkProper, Command2, Command3});
}

import::dos::DosOptions frmGetZelkDos::options() const
{
    return {chkBirthday->isChecked(), chkProper->isChecked()};
}

void frmGetZelkDos::Command3_Click()
{
    reject();
}

void frmGetZelkDos::CheckClarionFilesPresent()
{
    if (!import::dos::CheckClarionFilesPresent(programFolder()))
        return;
    askFrom(this)(import::dos::conversionFilesMissingMessage());
    FilesMissing = -1;
}

void frmGetZelkDos::Command2_Click()
{
    FilesMissing = 0;
    CheckClarionFilesPresent();
    if (FilesMissing)
        return;
    // The file dialogs of Linux desktops match with regard to case; DOS named its files in capitals.
    const QString chosen = UserDialogs::openFile(
        {QStringLiteral("Open"), startFolder(), QStringLiteral("DOS Files (zelk2.dat)|zelk2.dat;ZELK2.DAT")}, this);
    if (chosen.isEmpty())
        return;
    DosFolder = QFileInfo(chosen).absolutePath() + QDir::separator();
    if (!DosFolder.isEmpty())
        ConvertDOSFiles();
}

void frmGetZelkDos::ConvertDOSFiles()
{
    const AskUser ask = askFrom(this);
    ask(information(QStringLiteral("Your current files will need to be converted to a format that I can read in.\n\n"
                                   "A number of screens will appear during the process - they should close themselves "
                                   "when everything is done.\n\nThis may take a while - please don't interrupt the process."),
                    "File Conversion"));
    Running running(*this);
    Label3->setVisible(true);
    Label3->setText(QStringLiteral("Converting DOS files.\nPlease don't interrupt the process."));
    letEventsRun();
    {
        BusyCursor busy;
        if (!import::dos::runConversionPrograms(programFolder(), DosFolder, ask, letEventsRun))
            return;
    }
    ask(information(QStringLiteral("Once all the new screens have disappeared, please press OK. Thanks!"), "Press once all done",
                    MsgIcon::Exclamation));
    Label3->setText(QStringLiteral("Entering your members into the Windows database - please wait"));
    prgConvert->setVisible(true);
    letEventsRun();
    import::ImportResult result;
    {
        BusyCursor busy;
        result = import::dos::importDosFiles(m_state, import::ImportMode::Store, DosFolder, options(),
                                             {ask, showProgressIn(Label3, prgConvert)});
        m_view.RefreshData();
    }
    if (result.stopped())
        return;
    ask(import::importedMessage());
    accept();
}

void frmGetZelkDos::showRunning(bool running)
{
    for (QWidget* w : QList<QWidget*>{Frame1, Command2, Command3})
        w->setEnabled(!running);
    if (!running) {
        Label3->setVisible(false);
        prgConvert->setVisible(false);
        prgConvert->setValue(0);
    }
}

} // namespace zelk
