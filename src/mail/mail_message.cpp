#include "mail_message.h"

#include "mail_error.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

namespace zelk::mail {

std::optional<QString> attachmentProblem(const QString& path)
{
    const QFileInfo info(path);
    QString reason;
    if (!info.exists())
        reason = QStringLiteral("it is not there any more");
    else if (!info.isFile())
        reason = QStringLiteral("it is not a file");
    else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return std::nullopt;
        reason = file.errorString();
    }
    return QStringLiteral("The attachment \"%1\" cannot be read (%2).").arg(path, reason);
}

void MessagePart::AttachFile(const QString& path)
{
    if (const auto problem = attachmentProblem(path))
        throw MailError(mailerr::AttachmentUnreadable, *problem + QStringLiteral(" The message was not sent."));
    m_file = QFileInfo(path).absoluteFilePath();
    m_mimeType = QMimeDatabase().mimeTypeForFile(m_file).name();
}

MessageParts::MessageParts()
{
    m_parts.emplace_back();
}

MessagePart& MessageParts::Item(int number)
{
    return const_cast<MessagePart&>(std::as_const(*this).Item(number));
}

const MessagePart& MessageParts::Item(int number) const
{
    if (number < 1 || number > Count())
        throw MailError(mailerr::NoSuchPart, QStringLiteral("The message has no part %1; it has %2.").arg(number).arg(Count()));
    return m_parts[size_t(number - 1)];
}

MessagePart& MessageParts::Add()
{
    return m_parts.emplace_back();
}

void AddressList::AddAddress(int kind, const QString& address)
{
    const bool recipient = m_role == Role::Recipients;
    if (kind != 1)
        throw MailError(mailerr::Other, QStringLiteral("Address kind %1 is not known; the only kind is 1.").arg(kind));
    if (hasControlCharacter(address))
        throw MailError(mailerr::HeaderInjection,
                        QStringLiteral("The %1 address \"%2\" holds a line break or another control character, so it cannot "
                                       "go into the message's header. The message was not sent.")
                            .arg(recipient ? QStringLiteral("recipient's") : QStringLiteral("sender's"), visibleControls(address)));
    const QString kept = address.trimmed();
    if (kept.isEmpty())
        throw MailError(recipient ? mailerr::NoRecipient : mailerr::NoSender,
                        recipient ? QStringLiteral("The recipient's address is empty. The message was not sent.")
                                  : QStringLiteral("The sender's address is empty. The message was not sent."));
    m_addresses << kept;
}

void MailMessage::setSubject(const QString& subject)
{
    if (hasControlCharacter(subject))
        throw MailError(mailerr::HeaderInjection,
                        QStringLiteral("The subject \"%1\" holds a line break or another control character, so it cannot go "
                                       "into the message's header. The message was not sent.")
                            .arg(visibleControls(subject)));
    m_subject = subject;
}

} // namespace zelk::mail
