#pragma once
// Numbered errors of the mail layer. Every operation that fails throws a MailError whose
// description says in plain words what happened and, where it helps, what to do; the
// number tells the kinds apart (the windows show it in hexadecimal, so each reads as
// "70xx").
#include <QString>
#include <exception>
#include <string>

namespace zelk::mail {

namespace mailerr {
constexpr int Other = 0x7000;                  // a failure with no kind of its own
constexpr int BadServerName = 0x7001;          // the server setting is not a form we take
constexpr int ServerNotFound = 0x7002;         // the name does not resolve
constexpr int CannotConnect = 0x7003;          // nothing answers at that address and port
constexpr int TimedOut = 0x7004;               // the server stopped answering
constexpr int NotEncrypted = 0x7005;           // encryption needed but not offered
constexpr int CertificateNotTrusted = 0x7006;  // the server's certificate cannot be verified
constexpr int SecureConnectionFailed = 0x7007; // the encrypted connection could not be made
constexpr int LoginRefused = 0x7008;           // wrong user name or password
constexpr int SenderRefused = 0x7009;
constexpr int RecipientRefused = 0x700A;
constexpr int MessageRefused = 0x700B;         // refused after the whole message was sent
constexpr int ConnectionLost = 0x700C;
constexpr int AttachmentUnreadable = 0x700D;
constexpr int HeaderInjection = 0x700E;        // a control character where a header takes text
constexpr int NoRecipient = 0x700F;
constexpr int NoSender = 0x7010;
constexpr int NotConnected = 0x7011;           // Send without Connect
constexpr int NoSuchPart = 0x7012;
constexpr int LoginNeeded = 0x7013;            // the server wants a user name and password
} // namespace mailerr

class MailError : public std::exception {
public:
    MailError(int number, QString description);

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_what;
};

// The text with each control character shown as a visible escape ("\n", "\x07"), for
// messages that quote a value that holds one.
QString visibleControls(const QString& text);

// True when the text holds a line break or any other control character (C0, DEL, C1, and
// the Unicode line and paragraph separators), which no header may carry.
bool hasControlCharacter(const QString& text);

} // namespace zelk::mail
