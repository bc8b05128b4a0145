#pragma once
// The mail server as the settings name it: "host", "host:port", "smtp://host[:port]" or
// "smtps://host[:port]", with the connection security chosen beside it.
#include <QString>
#include <optional>

namespace zelk::mail {

enum class Security {
    None,      // encrypted with STARTTLS whenever the server offers it
    StartTls,  // STARTTLS required: nothing is sent over a plain connection
    SslTls,    // encrypted from the first byte (usually port 465)
};

// The stored form of a security choice ("None", "STARTTLS", "SSL/TLS") and back; an
// unknown text is None.
QString securityText(Security security);
Security securityOf(const QString& text);

struct ServerAddress {
    QString host;        // a name or an address (IPv6 without its brackets)
    int port = 25;
    bool implicitTls = false;

    // The libcurl URL: "smtp://host:port" or "smtps://host:port".
    QString url() const;
};

// The server named by `text` (trimmed): an "smtps://" address, or the security SslTls,
// means an encrypted connection from the start, on port 465 unless a port is given;
// otherwise port 25 unless a port is given. Nothing when the text is not one of the
// forms (another scheme, a user name or path in it, a port that is not 1 to 65535, no host).
std::optional<ServerAddress> parseServer(const QString& text, Security security);

} // namespace zelk::mail
