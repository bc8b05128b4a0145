#pragma once
// One message as the mail window builds it: recipients, sender, subject and parts. A new
// message holds part 1, an empty text body; further parts carry attached files. Nothing
// that could break a header gets in: addresses and subject holding a line break or another
// control character are refused with a MailError, and so is a file that cannot be read.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace zelk::mail {

class MessagePart {
public:
    const QString& Text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    // The part then carries that file, sent as it is, byte for byte, under its own name.
    void AttachFile(const QString& path);

    bool isFile() const { return !m_file.isEmpty(); }
    const QString& file() const { return m_file; }
    const QString& mimeType() const { return m_mimeType; }

private:
    QString m_text;
    QString m_file;
    QString m_mimeType;
};

class MessageParts {
public:
    MessageParts();
    // Part `number`, counted from 1 (part 1 is the text body); NoSuchPart otherwise.
    MessagePart& Item(int number);
    const MessagePart& Item(int number) const;
    // A new part after the existing ones.
    MessagePart& Add();
    int Count() const { return int(m_parts.size()); }

private:
    std::deque<MessagePart> m_parts;   // a deque: parts handed out stay where they are
};

class AddressList {
public:
    enum class Role { Recipients, Originator };
    explicit AddressList(Role role) : m_role(role) {}

    // Kind 1 is an ordinary address, the only kind there is. The address is kept without
    // its surrounding blanks.
    void AddAddress(int kind, const QString& address);
    const QStringList& addresses() const { return m_addresses; }

private:
    Role m_role;
    QStringList m_addresses;
};

class MailMessage {
public:
    MessageParts& Parts() { return m_parts; }
    const MessageParts& Parts() const { return m_parts; }
    void setSubject(const QString& subject);
    const QString& Subject() const { return m_subject; }
    AddressList& Recipients() { return m_recipients; }
    const AddressList& Recipients() const { return m_recipients; }
    AddressList& Originator() { return m_originator; }
    const AddressList& Originator() const { return m_originator; }

private:
    MessageParts m_parts;
    QString m_subject;
    AddressList m_recipients{AddressList::Role::Recipients};
    AddressList m_originator{AddressList::Role::Originator};
};

// Why the file cannot be attached, as a sentence naming it; nothing when it can be read.
std::optional<QString> attachmentProblem(const QString& path);

} // namespace zelk::mail
