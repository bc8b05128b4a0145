#include "mail_server.h"

#include <QRegularExpression>

namespace zelk::mail {

QString securityText(Security security)
{
    switch (security) {
    case Security::None: return QStringLiteral("None");
    case Security::StartTls: return QStringLiteral("STARTTLS");
    case Security::SslTls: return QStringLiteral("SSL/TLS");
    }
    return QStringLiteral("None");
}

Security securityOf(const QString& text)
{
    if (text == QLatin1String("STARTTLS"))
        return Security::StartTls;
    if (text == QLatin1String("SSL/TLS"))
        return Security::SslTls;
    return Security::None;
}

QString ServerAddress::url() const
{
    const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
    return (implicitTls ? QStringLiteral("smtps://") : QStringLiteral("smtp://")) + shownHost + u':' + QString::number(port);
}

std::optional<ServerAddress> parseServer(const QString& text, Security security)
{
    // A name of letters (any script), digits, "-", "." and "_"; or an IPv6 address in brackets.
    static const QRegularExpression form(QStringLiteral(
        R"(^(?:(?<scheme>[A-Za-z][A-Za-z0-9+.-]*)://)?(?:\[(?<ipv6>[0-9A-Fa-f:.]+)\]|(?<host>[\w.-]+))(?::(?<port>\d{1,5}))?/?$)"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;

    ServerAddress server;
    const QString scheme = m.captured(u"scheme").toLower();
    if (!scheme.isEmpty() && scheme != QLatin1String("smtp") && scheme != QLatin1String("smtps"))
        return std::nullopt;
    server.implicitTls = scheme == QLatin1String("smtps") || security == Security::SslTls;
    server.host = m.hasCaptured(u"ipv6") && !m.captured(u"ipv6").isEmpty() ? m.captured(u"ipv6") : m.captured(u"host");
    if (server.host.isEmpty() || server.host.startsWith(u'.') || server.host.startsWith(u'-'))
        return std::nullopt;
    server.port = server.implicitTls ? 465 : 25;
    if (!m.captured(u"port").isEmpty()) {
        server.port = m.captured(u"port").toInt();
        if (server.port < 1 || server.port > 65535)
            return std::nullopt;
    }
    return server;
}

} // namespace zelk::mail
