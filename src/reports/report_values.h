#pragma once
// What the outputs share as they walk the selection: the fields of a member found once by
// name, the texts of values in the user's regional forms, and the text writer that feeds
// a file in large pieces and remembers whether every write went through.
#include <QByteArray>
#include <QDate>
#include <QHash>
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
// members.
class LongDates {
public:
    QString text(const QVariant& value);

private:
    QHash<qint64, QString> m_done;
};

// Writes UTF-8 text to a device, in pieces of a good size. A write the device refuses is
// remembered; nothing more is written after it.
class TextWriter {
public:
    explicit TextWriter(QIODevice& device);
    void write(const QString& text);
    void line(const QString& text) { write(text + QStringLiteral("\r\n")); }
    void writeBytes(const QByteArray& bytes);
    // Writes what is held back; false when any write failed.
    bool finish();

private:
    void flush();

    QIODevice& m_device;
    QByteArray m_pending;
    bool m_ok = true;
};

} // namespace zelk::reports
