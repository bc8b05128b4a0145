#pragma once
// A real SMTP server for a test: tests/mail/smtp_fixture.py on aiosmtpd, run by
// /usr/bin/python3 on a free loopback port for as long as the object lives, saving each
// message it takes. The messages are read back through Python's email package.
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace zelk::test {

class SmtpServer {
public:
    // `options` as the fixture's serve command takes them ("--refuse", "x@example.org", ...).
    explicit SmtpServer(const QStringList& options = {});
    ~SmtpServer();
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    bool started() const { return m_port > 0; }
    int port() const { return m_port; }
    // "127.0.0.1:port", as the settings name a server.
    QString address() const;

    // How many messages the server has taken so far.
    int count() const;
    // Message n (from 1) as the fixture's reader gives it: headers, parts, defects, line checks;
    // with "envelope" added: from, to, login, tls.
    QJsonObject message(int n) const;
    QString rawMessage(int n) const;

    // A self-signed certificate for 127.0.0.1 made by openssl in `folder`: {certificate, key}.
    static QStringList makeCertificate(const QString& folder);
    // A loopback port nothing listens on.
    static int closedPort();
    static QString fixtureScript();

private:
    QTemporaryDir m_save;
    QProcess m_process;
    int m_port = 0;
};

} // namespace zelk::test
