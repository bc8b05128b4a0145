#pragma once
// The message window: the user writes one message (subject, text, greeting, attached
// files) and sends a copy to every member of the report selection who has an e-mail
// address, one member after another, with a log of the addresses reached shown in the
// browser at the end. The reports window opens it for its E-mail type, once it has left
// the selection's SQL text in the shared SelectionSQL.
#include "mail/greeting.h"
#include "mail/sent_log.h"
#include "mail/smtp_client.h"

#include <QDialog>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zelk {

struct AppState;
namespace mail {
class AsideThread;
class MailMessage;
} // namespace mail

class frmGetMessage : public QDialog {
    Q_OBJECT
public:
    // `limits`: what the connection trusts and how long it waits (tests shorten the waits
    // and trust their own server's certificate).
    explicit frmGetMessage(AppState& state, QWidget* parent = nullptr, mail::ConnectionLimits limits = {});
    ~frmGetMessage() override;

    // Handlers.
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmd1_Click(int Index);   // 0 Send message, 1 Cancel
    void cmdTest_Click();
    void menuDefaults_Click();

    // One run over the selection, and one message to the member where rsZelk stands.
    void SendEmail();
    void SendActualMessage();

    // Controls, in tab order after the menu.
    QMenuBar* menuBar = nullptr;
    QAction* menuDefaults = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> Label2{};
    QLineEdit* txtSubject = nullptr;
    QPlainTextEdit* txtMsg = nullptr;
    std::array<QRadioButton*, 3> optGreeting{};   // Formal, Friendly, None
    QLabel* Label4 = nullptr;
    QListWidget* lstAttachments = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdTest = nullptr;
    std::array<QPushButton*, 2> cmd1{};
    QLabel* lblStatus = nullptr;
    QLabel* lblCount = nullptr;        // "12 of 340"
    QProgressBar* prgMessage = nullptr; // how far the message on its way has gone

    // The window's state.
    int Sending = 0;   // -1 while a run is in progress
    QString SenderAddress;
    QString SmtpServer;
    mail::SentLog SentLog;
    QString LastMailError;
    // The SMTP client of the run in progress (made anew for each run).
    std::unique_ptr<mail::SmtpClient> MailSender;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    void done(int result) override;

private:
    struct Member {
        QVariant firstName, title, surname;
    };

    void buildControls();
    void Form_Load();
    bool composeIsComplete();
    bool attachmentsCanBeRead();
    // The sender, server and connection of a run from the settings, with the password when
    // the server wants a login; false when the user must first set them up or gave no password.
    bool readRunSettings(mail::ConnectionOptions& options);
    mail::Greeting chosenGreeting() const;
    // The message to `recipient` with the greeting for `member`, built and sent through
    // `client` in the order of calls the mail component expects; true when it was sent.
    // Each call runs through `step`, which says whether to go on after it.
    template <typename Step>
    bool deliver(mail::SmtpClient& client, Step&& step, const std::function<QString()>& recipient,
                 const std::function<Member()>& member);
    void sendWhilePainting(mail::SmtpClient& client, const mail::MailMessage& message);
    void setRunning(bool running);
    void showProgress();
    void showCount(int reached, int total);
    void reportMailError(const QString& text);

    AppState& m_state;
    mail::ConnectionLimits m_limits;
    QString m_userName;              // the login of the run in progress
    int m_multiLineFocusBefore = 0;  // the shared flag as the window found it
    mail::SmtpClient* m_transferring = nullptr;
    std::unique_ptr<mail::AsideThread> m_aside;   // where a run's transfers go on
    QTimer* m_progressTimer = nullptr;
};

// Opens the message window modally over `parent` for the members of state.SelectionSQL;
// the reports window calls it for its E-mail type.
void showMessageWindow(AppState& state, QWidget* parent);

} // namespace zelk
