#include "sent_log.h"

#include <QIODevice>

namespace zelk::mail {

void SentLog::notSent(const QString& reason)
{
    if (!m_lines.isEmpty() && m_lines.last().failure.isEmpty())
        m_lines.last().failure = reason.isEmpty() ? QStringLiteral("unknown reason") : reason;
}

QByteArray SentLog::page() const
{
    QString text = QStringLiteral("<html><body><h3>Message sent to:</h3>");
    for (const Line& line : m_lines) {
        text += line.address.toHtmlEscaped();
        if (!line.failure.isEmpty())
            text += QStringLiteral(" - not sent: ") + line.failure.toHtmlEscaped();
        text += QStringLiteral("<br>\r\n");
    }
    text += QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool SentLog::write(QIODevice& out) const
{
    const QByteArray bytes = page();
    return out.write(bytes) == bytes.size();
}

} // namespace zelk::mail
