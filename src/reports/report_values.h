#pragma once
// What the outputs share as they walk the selection: the fields of a member found once by
// name, the texts of values in the user's regional forms, and the text writer that feeds
// a file in large pieces and remembers whether every write went through.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <vector>

class QIODevice;

namespace zelk {
class Recordset;
}

namespace zelk::reports {

// Called every so often while an output walks a long selection, so the window can let
// pending events run. May be empty.
using KeepResponsive = std::function<void()>;

// The fields an output reads, looked up once in the record set: field k of the list given
// to the constructor is value(k).
class MemberFields {
public:
    MemberFields(const Recordset& members, std::initializer_list<const char*> names);
    QVariant value(int k) const;

private:
    const Recordset& m_members;
    std::vector<int> m_index;
};

// A value that is not Null and not only blanks.
bool isPresent(const QVariant& value);

// The text upper-cased when `upper` is set.
inline QString upperIf(bool upper, const QString& text)
{
    return upper ? text.toUpper() : text;
}

// Dates in the named format "Long Date" of the user's locale; the date of a stored date
// and time. Each day is formatted once per output: a register has far fewer days than
// members. The text stays valid until the next call.
class LongDates {
public:
    const QString& text(const QVariant& value);

private:
    std::vector<QString> m_byDay;   // the days of 1900 to 2099, by their distance from the first
    QString m_other;                // any other date, or a value that is not a date
};

// Writes text to a device as UTF-8, in pieces of a good size. A write the device refuses
// is remembered; nothing more is written after it.
class TextWriter {
public:
    explicit TextWriter(QIODevice& device);
    TextWriter& operator<<(const QString& text)
    {
        m_text += text;
        return *this;
    }
    TextWriter& operator<<(QStringView text)
    {
        m_text += text;
        return *this;
    }
    TextWriter& operator<<(QChar c)
    {
        m_text += c;
        return *this;
    }
    // Ends a line with CR LF.
    void endLine();
    void line(const QString& text)
    {
        m_text += text;
        endLine();
    }
    // Bytes as they are, after the text so far.
    void writeBytes(const QByteArray& bytes);
    // Writes what is held back; false when any write failed.
    bool finish();

private:
    void flush();

    QIODevice& m_device;
    QString m_text;
    bool m_ok = true;
};

} // namespace zelk::reports
