#pragma once
// The SMTP client over libcurl. Connect names the server, Send hands one message to it and
// returns when the server has taken it (or throws a MailError saying why not), Disconnect
// ends the exchange for that message. Within the life of one client the connection is kept
// open from one message to the next when the server allows it; after any error the next
// message opens a fresh one. Certificates are always verified; every wait has a limit.
#include "mail_error.h"
#include "mail_server.h"

#include <QString>
#include <atomic>
#include <memory>
#include <optional>

namespace zelk::mail {

class MailMessage;

// What a connection trusts and how long it waits.
struct ConnectionLimits {
    QString caFile;          // certificates to trust besides the system's
    int connectSeconds = 30; // to make the connection
    int stallSeconds = 60;   // for any answer, or any progress of a transfer
};

struct ConnectionOptions {
    Security security = Security::None;
    QString userName;        // empty: no login
    QString password;
    ConnectionLimits limits;
};

class SmtpClient {
public:
    explicit SmtpClient(ConnectionOptions options = {});
    ~SmtpClient();
    SmtpClient(const SmtpClient&) = delete;
    SmtpClient& operator=(const SmtpClient&) = delete;

    // `server` in any form parseServer takes; `flags` must be 0. BadServerName when the
    // name is not one of the forms.
    void Connect(const QString& server, int flags);
    // Sends the message to its recipients through the server named by Connect. May run on
    // another thread than the one that built the message (not two at once).
    void Send(const MailMessage& message);
    void Disconnect();

    // The bytes of the message on its way that have gone so far, and in all (0 when not
    // known yet); readable from any thread while Send runs.
    qint64 bytesSent() const { return m_sent.load(); }
    qint64 bytesTotal() const { return m_total.load(); }

private:
    struct Transfer;
    // Sends over the handle; the error, when the server or the connection failed.
    std::optional<MailError> transfer(const MailMessage& message, void* handle);
    void dropConnection();

    ConnectionOptions m_options;
    std::optional<ServerAddress> m_server;
    QString m_serverText;
    void* m_curl = nullptr;   // the easy handle that keeps the connection
    std::atomic<qint64> m_sent{0};
    std::atomic<qint64> m_total{0};
};

} // namespace zelk::mail
