#pragma once
// Why a Jet database could not be read, in a sentence that names the file.
#include <QString>
#include <exception>
#include <string>

namespace zelk::jet {

class JetError : public std::exception {
public:
    enum class Kind {
        CannotOpen,     // missing, unreadable, or not a file
        NotJet,         // some other kind of file
        Damaged,        // cut short or corrupt
        NoTable,        // a table the reader was asked for is not there
        NoField,        // a field a caller needs is not there
    };

    JetError(Kind kind, QString message)
        : m_kind(kind)
        , m_message(std::move(message))
        , m_what(m_message.toStdString())
    {
    }

    Kind kind() const noexcept { return m_kind; }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    Kind m_kind;
    QString m_message;
    std::string m_what;
};

} // namespace zelk::jet
