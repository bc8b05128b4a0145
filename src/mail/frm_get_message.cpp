#include "frm_get_message.h"

#include "mail/mail_error.h"
#include "mail/mail_message.h"
#include "mail/mail_settings.h"
#include "mail/password_store.h"
#include "mail/run_aside.h"

#include "config/frm_zelk_defaults.h"

#include "ui/box_focus.h"
#include "ui/busy_cursor.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/tab_order.h"
#include "ui/user_dialogs.h"

#include "core/app_state.h"
#include "core/program_folder.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

#include <new>

namespace zelk {

namespace {

// A failure of the run itself (the log, the browser), numbered as such failures always were.
class RunError : public std::exception {
public:
    RunError(int number, QString description) : m_number(number), m_description(std::move(description)) {}
    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return "run error"; }

private:
    int m_number;
    QString m_description;
};

constexpr int kPathFileAccessError = 75;
constexpr int kFileNotFound = 53;
constexpr int kInvalidProcedureCall = 5;   // passed over: the run stops after the statement

struct Described {
    int number;
    QString description;
};

Described describe(const std::exception& e)
{
    if (const auto* m = dynamic_cast<const mail::MailError*>(&e))
        return {m->number(), m->description()};
    if (const auto* g = dynamic_cast<const EngineError*>(&e))
        return {g->number(), g->description()};
    if (const auto* r = dynamic_cast<const RunError*>(&e))
        return {r->number(), r->description()};
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return {7, QStringLiteral("Out of memory")};
    return {errorNumber(e), QString::fromLocal8Bit(e.what())};
}

// "Error # " + the number in capital hexadecimal + " " + the description.
QString errorText(const Described& d)
{
    return QStringLiteral("Error # ") + QString::number(d.number, 16).toUpper() + u' ' + d.description;
}

// Runs one statement of a routine that handles its own errors. Any error stops the run;
// error 5 goes on with the next statement unreported, any other is handed to `failed`, which
// says whether to go on. False: skip the rest of the routine.
template <typename Statement, typename Failed>
bool runStatement(int& sending, Statement&& statement, Failed&& failed)
{
    try {
        statement();
        return true;
    } catch (const std::exception& e) {
        const Described d = describe(e);
        sending = 0;
        return d.number == kInvalidProcedureCall || failed(d);
    }
}

bool hasAddress(const QVariant& email)
{
    return !email.isNull() && !email.toString().trimmed().isEmpty();
}

} // namespace

frmGetMessage::frmGetMessage(AppState& state, QWidget* parent, mail::ConnectionLimits limits)
    : QDialog(parent)
    , m_state(state)
    , m_limits(std::move(limits))
{
    setObjectName(QStringLiteral("frmGetMessage"));
    setWindowTitle(QStringLiteral("Message to send Zelk members"));
    // The flag may still be set by a multi-line box of the window beneath; in this window
    // only the message box sets it.
    m_multiLineFocusBefore = m_state.MultiLineFocus;
    m_state.MultiLineFocus = 0;
    buildControls();
    KeyPreviewOptions keys;
    keys.enterPassesThrough = [this] { return m_state.MultiLineFocus == -1; };
    installKeyPreview(this, keys);
    Form_Load();
}

frmGetMessage::~frmGetMessage()
{
    m_state.MultiLineFocus = m_multiLineFocusBefore;
}

void frmGetMessage::buildControls()
{
    menuBar = new QMenuBar(this);
    menuDefaults = menuBar->addAction(QStringLiteral("&Default settings"));
    connect(menuDefaults, &QAction::triggered, this, [this] { menuDefaults_Click(); });

    Label1 = new QLabel(QStringLiteral("Please type in the subject and message that you want to send to your members, then "
                                       "press the Send message button."));
    Label1->setWordWrap(true);
    Label2[0] = new QLabel(QStringLiteral("Subject:"));
    txtSubject = new QLineEdit;
    Label2[0]->setBuddy(txtSubject);
    txtMsg = new QPlainTextEdit;
    txtMsg->setTabChangesFocus(true);
    txtMsg->setMinimumHeight(180);
    onBoxFocus(txtMsg, [this] { m_state.MultiLineFocus = -1; }, [this] { m_state.MultiLineFocus = 0; });

    Label2[1] = new QLabel(QStringLiteral("Greeting:"));
    auto* greeting = new QHBoxLayout;
    greeting->addWidget(Label2[1]);
    const char* greetings[] = {"Formal", "Friendly", "None"};
    for (int i = 0; i < 3; ++i) {
        optGreeting[size_t(i)] = new QRadioButton(QString::fromLatin1(greetings[i]));
        greeting->addWidget(optGreeting[size_t(i)]);
    }
    greeting->addStretch();

    Label4 = new QLabel(QStringLiteral("Attachments"));
    lstAttachments = new QListWidget;
    lstAttachments->setMaximumHeight(90);
    cmdAdd = new QPushButton(QStringLiteral("Add..."));
    cmdAdd->setToolTip(QStringLiteral("Click here to add a file as an attachment"));
    cmdRemove = new QPushButton(QStringLiteral("Remove"));
    cmdRemove->setToolTip(QStringLiteral("Click here to remove the highlighted file from the attachments"));
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    auto* attachButtons = new QVBoxLayout;
    attachButtons->addWidget(cmdAdd);
    attachButtons->addWidget(cmdRemove);
    attachButtons->addStretch();
    auto* attachments = new QHBoxLayout;
    attachments->addWidget(lstAttachments, 1);
    attachments->addLayout(attachButtons);

    lblStatus = new QLabel;
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setWordWrap(true);
    lblCount = new QLabel;
    lblCount->setTextFormat(Qt::PlainText);
    lblCount->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto* status = new QHBoxLayout;
    status->addWidget(lblStatus, 1);
    status->addWidget(lblCount);
    prgMessage = new QProgressBar;
    prgMessage->setRange(0, 1000);
    prgMessage->setTextVisible(false);
    prgMessage->setMaximumHeight(8);
    prgMessage->setValue(0);

    cmdTest = new QPushButton(QStringLiteral("Send a test to me"));
    cmdTest->setToolTip(QStringLiteral("Click here to send this message only to your own address, with the greeting of the "
                                       "first member selected, to see it as your members will"));
    cmdTest->setAutoDefault(false);
    connect(cmdTest, &QPushButton::clicked, this, [this] { cmdTest_Click(); });
    const char* captions[] = {"Send message", "Cancel"};
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTest);
    buttons->addStretch();
    for (int i = 0; i < 2; ++i) {
        cmd1[size_t(i)] = new QPushButton(QString::fromLatin1(captions[i]));
        cmd1[size_t(i)]->setAutoDefault(false);
        buttons->addWidget(cmd1[size_t(i)]);
        connect(cmd1[size_t(i)], &QPushButton::clicked, this, [this, i] { cmd1_Click(i); });
    }

    auto* subject = new QHBoxLayout;
    subject->addWidget(Label2[0]);
    subject->addWidget(txtSubject, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(Label1);
    layout->addLayout(subject);
    layout->addWidget(txtMsg, 1);
    layout->addLayout(greeting);
    layout->addWidget(Label4);
    layout->addLayout(attachments);
    layout->addLayout(status);
    layout->addWidget(prgMessage);
    layout->addLayout(buttons);
    resize(600, 560);

    setTabChain({txtSubject, txtMsg, optGreeting[0], optGreeting[1], optGreeting[2], lstAttachments, cmdAdd, cmdRemove,
                 cmd1[0], cmd1[1], cmdTest});
    txtSubject->setFocus(Qt::OtherFocusReason);

    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, [this] { showProgress(); });
}

void frmGetMessage::Form_Load()
{
    switch (mail::readMailSettings().greeting) {
    case mail::Greeting::Friendly: optGreeting[1]->setChecked(true); break;
    case mail::Greeting::Formal: optGreeting[0]->setChecked(true); break;
    case mail::Greeting::None: optGreeting[2]->setChecked(true); break;
    }
}

mail::Greeting frmGetMessage::chosenGreeting() const
{
    if (optGreeting[1]->isChecked())
        return mail::Greeting::Friendly;
    if (optGreeting[0]->isChecked())
        return mail::Greeting::Formal;
    return mail::Greeting::None;
}

void frmGetMessage::cmdAdd_Click()
{
    const QString file = UserDialogs::openFile({QStringLiteral("Add an attachment"), QString(), QStringLiteral("All files (*.*)|*")}, this);
    if (file.isEmpty())
        return;
    lstAttachments->addItem(file);
    lstAttachments->setCurrentRow(lstAttachments->count() - 1);
}

void frmGetMessage::cmdRemove_Click()
{
    QListWidgetItem* item = lstAttachments->currentItem();
    if (item && item->isSelected())
        delete lstAttachments->takeItem(lstAttachments->row(item));
}

// Blank means nothing but white space: a message of line breaks alone is as blank as an
// empty one.
bool frmGetMessage::composeIsComplete()
{
    if (txtSubject->text().trimmed().isEmpty()) {
        MessageBox::show(QStringLiteral("You can't send a message with a blank subject."), QStringLiteral("No subject"),
                         MsgButtons::OK, MsgIcon::Information, this);
        return false;
    }
    if (txtMsg->toPlainText().trimmed().isEmpty()) {
        MessageBox::show(QStringLiteral("You can't send a blank message."), QStringLiteral("No message to send"),
                         MsgButtons::OK, MsgIcon::Information, this);
        return false;
    }
    return true;
}

// Every attachment is read before anything goes to anyone, so a moved file stops the run
// before its first message rather than in the middle.
bool frmGetMessage::attachmentsCanBeRead()
{
    for (int i = 0; i < lstAttachments->count(); ++i)
        if (const auto problem = mail::attachmentProblem(lstAttachments->item(i)->text())) {
            MessageBox::show(*problem + QStringLiteral("\n\nPlease put the file back, or remove it from the attachments, and "
                                                       "then send the message. Nothing has been sent."),
                             QStringLiteral("Attachment missing"), MsgButtons::OK, MsgIcon::Exclamation, this);
            lstAttachments->setCurrentRow(i);
            return false;
        }
    return true;
}

void frmGetMessage::cmd1_Click(int Index)
{
    if (Index == 1) {
        if (Sending != 0) {
            if (MessageBox::show(QStringLiteral("Are you sure you want to stop sending this message?"),
                                 QStringLiteral("Just checking"), MsgButtons::YesNo, MsgIcon::Question, this)
                == MsgAnswer::Yes)
                Sending = 0;
        } else if (MessageBox::show(QStringLiteral("Are you sure you want to cancel this message?"),
                                    QStringLiteral("Just checking"), MsgButtons::YesNo, MsgIcon::Question, this)
                   == MsgAnswer::Yes) {
            reject();
        }
        return;
    }
    if (!composeIsComplete() || Sending != 0 || !attachmentsCanBeRead())
        return;
    if (!guarded(QStringLiteral("cmd1_Click"), this, [this] { m_state.reopen(m_state.rsZelk, m_state.SelectionSQL); }))
        return;
    SendEmail();
}

bool frmGetMessage::readRunSettings(mail::ConnectionOptions& options)
{
    const mail::MailSettings settings = mail::readMailSettings();
    if (!settings.complete()) {
        MessageBox::show(QStringLiteral("Please set up the defaults for email sending using the Default settings menu."),
                         QStringLiteral("No sender set up"), MsgButtons::OK, MsgIcon::None, this);
        return false;
    }
    options.security = settings.security;
    options.userName = settings.userName;
    options.limits = m_limits;
    if (!settings.userName.isEmpty()) {
        std::optional<QString> password = mail::storedPassword(settings.userName, settings.server);
        if (!password) {
            password = UserDialogs::inputBox({QStringLiteral("Please type the password of %1 on the mail server %2:")
                                                  .arg(settings.userName, settings.server),
                                              QStringLiteral("Mail server password"), true},
                                             this);
            if (!password) {
                lblStatus->setText(QStringLiteral("Nothing was sent: the mail server needs your password."));
                return false;
            }
            mail::rememberPassword(settings.userName, settings.server, *password);
        }
        options.password = *password;
    }
    SenderAddress = settings.sender;
    SmtpServer = settings.server;
    m_userName = settings.userName;
    return true;
}

void frmGetMessage::SendEmail()
{
    // Every statement runs through this: an error is reported with Abort, Retry and Ignore.
    // Retry and Ignore stop the run after the statement; Abort ends it at once, with no log.
    const auto step = [this](auto&& statement) {
        return runStatement(Sending, statement, [this](const Described& d) {
            LastMailError = errorText(d);
            if (MessageBox::show(LastMailError, QStringLiteral("Error"), MsgButtons::AbortRetryIgnore, MsgIcon::None, this)
                == MsgAnswer::Abort) {
                lblStatus->setText(LastMailError);
                return false;
            }
            return true;
        });
    };

    SentLog.begin();
    mail::ConnectionOptions options;
    if (!readRunSettings(options))
        return;

    const BusyCursor busy;
    // The window goes back to composing however the run ends.
    struct RunEnds {
        frmGetMessage& w;
        ~RunEnds()
        {
            w.Sending = 0;
            w.MailSender.reset();   // closes the connection
            w.m_aside.reset();
            w.setRunning(false);
        }
    } runEnds{*this};
    if (!step([&] {
            MailSender = std::make_unique<mail::SmtpClient>(options);
            m_aside = std::make_unique<mail::AsideThread>();
        }))
        return;
    Sending = -1;
    setRunning(true);

    Recordset* members = m_state.rsZelk.get();
    int total = 0;
    int reached = 0;
    if (!step([&] {
            // The members with an address, for the count beside the status; then back to the first.
            for (; !members->eof(); members->moveNext())
                total += hasAddress(members->field(QStringLiteral("Email"))) ? 1 : 0;
            if (members->recordCount() > 0)
                members->moveFirst();
        }))
        return;
    showCount(0, total);

    while (Sending != 0) {
        bool atEnd = true;
        QVariant email;
        if (!step([&] {
                atEnd = members->eof();
                if (!atEnd)
                    email = members->field(QStringLiteral("Email"));
            }))
            return;
        if (atEnd)
            break;
        // An address of blanks alone is no address: the server would refuse it.
        if (Sending != 0 && hasAddress(email)) {
            lblStatus->setText(QStringLiteral("Sending Message to ") + email.toString());
            SentLog.reached(email.toString());
            showCount(++reached, total);
            SendActualMessage();
        }
        if (!step([&] { members->moveNext(); }))
            return;
        letEventsRun();   // where a click on Cancel is seen
    }

    lblStatus->setText(QStringLiteral("Finished sending"));
    Sending = 0;
    const QString logPath = programFile(QStringLiteral("messages.html"));
    if (!step([&] {
            QSaveFile log(logPath);
            if (!log.open(QIODevice::WriteOnly) || !SentLog.write(log) || !log.commit())
                throw RunError(kPathFileAccessError,
                               QStringLiteral("The list of addresses could not be written to \"%1\" (%2).").arg(logPath, log.errorString()));
        }))
        return;
    letEventsRun();
    step([&] {
        const QString browser = m_state.BrowserPath.trimmed();
        if (browser.isEmpty() || !QProcess::startDetached(browser, {logPath}))
            throw RunError(kFileNotFound, QStringLiteral("The web browser \"%1\" could not be started to show the list of "
                                                         "addresses, which is in \"%2\".")
                                              .arg(browser, logPath));
    });
}

void frmGetMessage::reportMailError(const QString& text)
{
    MessageBox::show(text, QStringLiteral("Error"), MsgButtons::OK, MsgIcon::None, this);
    LastMailError = text;
    lblStatus->setText(text);
}

void frmGetMessage::SendActualMessage()
{
    QString failure;
    // Every statement runs through this: any error is reported, stops the run and skips the
    // rest of this member's message.
    const auto step = [&](auto&& statement) {
        return runStatement(Sending, statement, [&](const Described& d) {
            failure = errorText(d);
            if (d.number == mail::mailerr::LoginRefused)
                mail::forgetPassword(m_userName, SmtpServer);
            reportMailError(failure);
            return false;
        });
    };
    Recordset& members = *m_state.rsZelk;
    const bool delivered = deliver(
        *MailSender, step, [&] { return members.field(QStringLiteral("Email")).toString(); },
        [&] {
            return Member{members.field(QStringLiteral("FirstName")), members.field(QStringLiteral("Title")),
                          members.field(QStringLiteral("Surname"))};
        });
    // The log never says a message went that did not.
    if (!delivered)
        SentLog.notSent(failure);
}

template <typename Step>
bool frmGetMessage::deliver(mail::SmtpClient& client, Step&& step, const std::function<QString()>& recipient,
                            const std::function<Member()>& member)
{
    mail::MailMessage message;   // holds part 1, an empty text body
    bool sent = false;
    const bool done = step([&] { message.Recipients().AddAddress(1, recipient()); })
        && step([&] { message.Originator().AddAddress(1, SenderAddress); })
        && step([&] { message.setSubject(txtSubject->text()); })
        && step([&] {
               const Member m = member();
               if (const auto line = mail::greetingLine(chosenGreeting(), m.firstName, m.title, m.surname))
                   message.Parts().Item(1).setText(*line);
           })
        && step([&] { message.Parts().Item(1).setText(message.Parts().Item(1).Text() + txtMsg->toPlainText()); })
        && [&] {
               for (int i = 0; i < lstAttachments->count(); ++i)
                   if (!step([&] { message.Parts().Add().AttachFile(lstAttachments->item(i)->text()); }))
                       return false;
               return true;
           }()
        && step([&] { client.Connect(SmtpServer, 0); })
        && step([&] {
               sendWhilePainting(client, message);
               sent = true;
           })
        && step([&] { client.Disconnect(); });
    return done && sent;
}

void frmGetMessage::sendWhilePainting(mail::SmtpClient& client, const mail::MailMessage& message)
{
    m_transferring = &client;
    prgMessage->setValue(0);
    m_progressTimer->start();
    const auto stop = qScopeGuard([this] {
        m_progressTimer->stop();
        showProgress();
        m_transferring = nullptr;
    });
    if (m_aside)
        m_aside->run([&] { client.Send(message); });
    else
        mail::runAside([&] { client.Send(message); });
}

void frmGetMessage::showProgress()
{
    if (!m_transferring)
        return;
    const qint64 total = m_transferring->bytesTotal();
    prgMessage->setValue(total > 0 ? int(std::min(m_transferring->bytesSent(), total) * 1000 / total) : 0);
}

void frmGetMessage::showCount(int reached, int total)
{
    lblCount->setText(QStringLiteral("%1 of %2").arg(reached).arg(total));
}

// While a run goes on, what it sends stays as it was when it started: the message, the
// greeting and the attachments cannot be changed, and the settings cannot be opened.
void frmGetMessage::setRunning(bool running)
{
    txtSubject->setReadOnly(running);
    txtMsg->setReadOnly(running);
    for (QRadioButton* option : optGreeting)
        option->setEnabled(!running);
    for (QWidget* control : std::initializer_list<QWidget*>{cmdAdd, cmdRemove, cmdTest, cmd1[0]})
        control->setEnabled(!running);
    menuDefaults->setEnabled(!running);
    if (running)
        cmd1[1]->setFocus(Qt::OtherFocusReason);   // the one button that works during a run
}

void frmGetMessage::cmdTest_Click()
{
    if (!composeIsComplete() || Sending != 0 || !attachmentsCanBeRead())
        return;
    mail::ConnectionOptions options;
    if (!readRunSettings(options))
        return;

    // The greeting of the first member of the selection who has an address.
    Member first;
    if (!guarded(QStringLiteral("cmdTest_Click"), this, [&] {
            auto selection = m_state.dbZelk->openRecordset(m_state.SelectionSQL);
            for (; !selection->eof(); selection->moveNext())
                if (hasAddress(selection->field(QStringLiteral("Email")))) {
                    first = Member{selection->field(QStringLiteral("FirstName")), selection->field(QStringLiteral("Title")),
                                   selection->field(QStringLiteral("Surname"))};
                    break;
                }
        }))
        return;

    const BusyCursor busy;
    setRunning(true);
    const auto done = qScopeGuard([this] { setRunning(false); });
    lblStatus->setText(QStringLiteral("Sending a test message to ") + SenderAddress);
    try {
        mail::SmtpClient client(options);
        deliver(client, [](auto&& statement) { statement(); return true; }, [this] { return SenderAddress; },
                [&] { return first; });
        lblStatus->setText(QStringLiteral("Test message sent to ") + SenderAddress);
    } catch (const std::exception& e) {
        const Described d = describe(e);
        if (d.number == mail::mailerr::LoginRefused)
            mail::forgetPassword(m_userName, SmtpServer);
        reportMailError(errorText(d));
    }
}

void frmGetMessage::menuDefaults_Click()
{
    frmZelkDefaults defaults(m_state, this);
    runModal(defaults);
}

void frmGetMessage::keyPressEvent(QKeyEvent* event)
{
    // Escape is the Cancel button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmd1_Click(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmGetMessage::closeEvent(QCloseEvent* event)
{
    // The window's close box is the Cancel button too; nothing closes it during a run.
    if (event->spontaneous() || Sending != 0) {
        event->ignore();
        if (event->spontaneous())
            cmd1_Click(1);
        return;
    }
    QDialog::closeEvent(event);
}

void frmGetMessage::done(int result)
{
    if (Sending != 0)
        return;
    QDialog::done(result);
}

void showMessageWindow(AppState& state, QWidget* parent)
{
    frmGetMessage window(state, parent);
    runModal(window);
}

} // namespace zelk
