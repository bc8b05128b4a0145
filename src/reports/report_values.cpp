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
    const QString text = value.toString();
    for (QChar c : text)
        if (c != u' ')
            return true;
    return false;
}

QString LongDates::text(const QVariant& value)
{
    if (value.isNull())
        return {};
    const QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
    if (!date.isValid())
        return value.toString();   // not a date: written as it is rather than lost
    auto it = m_done.constFind(date.toJulianDay());
    if (it != m_done.constEnd())
        return *it;
    const QString text = regional::locale().toString(date, QLocale::LongFormat);
    m_done.insert(date.toJulianDay(), text);
    return text;
}

TextWriter::TextWriter(QIODevice& device)
    : m_device(device)
{
}

void TextWriter::write(const QString& text)
{
    m_pending += text.toUtf8();
    if (m_pending.size() >= kPieceSize)
        flush();
}

void TextWriter::writeBytes(const QByteArray& bytes)
{
    m_pending += bytes;
    if (m_pending.size() >= kPieceSize)
        flush();
}

void TextWriter::flush()
{
    if (m_ok && !m_pending.isEmpty() && m_device.write(m_pending) != m_pending.size())
        m_ok = false;
    m_pending.clear();
}

bool TextWriter::finish()
{
    flush();
    return m_ok;
}

} // namespace zelk::reports
