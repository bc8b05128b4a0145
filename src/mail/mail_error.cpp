#include "mail_error.h"

namespace zelk::mail {

MailError::MailError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(QStringLiteral("Mail error %1: %2").arg(number, 0, 16).arg(m_description).toStdString())
{
}

namespace {
bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}
} // namespace

bool hasControlCharacter(const QString& text)
{
    for (QChar c : text)
        if (isControl(c.unicode()))
            return true;
    return false;
}

QString visibleControls(const QString& text)
{
    QString out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            out += QStringLiteral("\\n");
        else if (u == u'\r')
            out += QStringLiteral("\\r");
        else if (u == u'\t')
            out += QStringLiteral("\\t");
        else if (isControl(u))
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace zelk::mail
