#include "smtp_server.h"

#include "testlib/test_world.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zelk::test {

QString SmtpServer::fixtureScript()
{
    return QDir::cleanPath(testData(QStringLiteral("../mail/smtp_fixture.py")));
}

SmtpServer::SmtpServer(const QStringList& options)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{fixtureScript(), QStringLiteral("serve"), QStringLiteral("--save"), m_save.path()} + options);
    if (!m_process.waitForStarted(10000))
        return;
    while (m_process.state() == QProcess::Running && !m_process.canReadLine())
        m_process.waitForReadyRead(10000);
    const QByteArray line = m_process.readLine().trimmed();
    if (line.startsWith("READY "))
        m_port = line.mid(6).toInt();
}

SmtpServer::~SmtpServer()
{
    m_process.closeWriteChannel();   // the fixture ends when its input closes
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString SmtpServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

int SmtpServer::count() const
{
    return int(QDir(m_save.path()).entryList({QStringLiteral("*.eml")}, QDir::Files).size());
}

QString SmtpServer::rawMessage(int n) const
{
    QFile file(QDir(m_save.path()).filePath(QStringLiteral("%1.eml").arg(n, 4, 10, QLatin1Char('0'))));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QJsonObject SmtpServer::message(int n) const
{
    const QString base = QDir(m_save.path()).filePath(QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')));
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {fixtureScript(), QStringLiteral("read"), base + QStringLiteral(".eml")});
    if (!reader.waitForFinished(20000) || reader.exitCode() != 0)
        return {};
    QJsonObject parsed = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    QFile envelope(base + QStringLiteral(".json"));
    if (envelope.open(QIODevice::ReadOnly))
        parsed.insert(QStringLiteral("envelope"), QJsonDocument::fromJson(envelope.readAll()).object());
    return parsed;
}

QStringList SmtpServer::makeCertificate(const QString& folder)
{
    const QString cert = QDir(folder).filePath(QStringLiteral("server.pem"));
    const QString key = QDir(folder).filePath(QStringLiteral("server.key"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost")});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return {};
    return {cert, key};
}

int SmtpServer::closedPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t size = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) == 0)
        port = ntohs(a.sin_port);
    ::close(s);   // bound but never listening: the port stays closed
    return port;
}

} // namespace zelk::test
