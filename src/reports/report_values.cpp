#include "report_values.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/regional.h"

#include <QDateTime>
#include <QIODevice>

namespace zelk::reports {

namespace {
constexpr qsizetype kPieceSize = 64 * 1024;
}

MemberFields::MemberFields(const Recordset& members, std::initializer_list<const char*> names)
    : m_members(members)
{
    const auto& fields = members.fields();
    for (const char* name : names) {
        int found = -1;
        for (size_t i = 0; i < fields.size() && found < 0; ++i)
            if (fields[i].name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                found = int(i);
        if (found < 0)
            throw EngineError(err::ItemNotFound,
                              QStringLiteral("Item not found in this collection (%1).").arg(QLatin1String(name)));
        m_index.push_back(found);
    }
}

QVariant MemberFields::value(int k) const
{
    return m_members.field(m_index[size_t(k)]);
}

bool isPresent(const QVariant& value)
{
    if (value.isNull())
        return false;
    if (value.typeId() != QMetaType::QString)
        return true;   // a number or a date
    for (QChar c : *static_cast<const QString*>(value.constData()))
        if (c != u' ')
            return true;
    return false;
}

namespace {
const qint64 kFirstDay = QDate(1900, 1, 1).toJulianDay();
const qint64 kDays = QDate(2100, 1, 1).toJulianDay() - kFirstDay;
} // namespace

const QString& LongDates::text(const QVariant& value)
{
    if (value.isNull()) {
        m_other.clear();
        return m_other;
    }
    const QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
    if (!date.isValid()) {
        m_other = value.toString();   // not a date: written as it is rather than lost
        return m_other;
    }
    const qint64 day = date.toJulianDay() - kFirstDay;
    if (day < 0 || day >= kDays) {
        m_other = regional::locale().toString(date, QLocale::LongFormat);
        return m_other;
    }
    if (m_byDay.empty())
        m_byDay.resize(size_t(kDays));
    QString& text = m_byDay[size_t(day)];
    if (text.isNull())
        text = regional::locale().toString(date, QLocale::LongFormat);
    return text;
}

TextWriter::TextWriter(QIODevice& device)
    : m_device(device)
{
    m_text.reserve(kPieceSize + 4096);
}

void TextWriter::endLine()
{
    m_text += QLatin1String("\r\n");
    if (m_text.size() >= kPieceSize)
        flush();
}

void TextWriter::writeBytes(const QByteArray& bytes)
{
    flush();
    if (m_ok && m_device.write(bytes) != bytes.size())
        m_ok = false;
}

void TextWriter::flush()
{
    if (m_ok && !m_text.isEmpty()) {
        const QByteArray bytes = m_text.toUtf8();
        if (m_device.write(bytes) != bytes.size())
            m_ok = false;
    }
    m_text.resize(0);   // keeps its room for the next piece
}

bool TextWriter::finish()
{
    flush();
    return m_ok;
}

} // namespace zelk::reports
