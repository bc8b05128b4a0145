#include "delimited_text.h"

#include "core/text_rules.h"

namespace zelk::import {

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kBlank = u' ';

} // namespace

DelimitedReader::DelimitedReader(QStringView text, QChar separator)
    : m_text(text)
    , m_separator(separator)
{
}

qsizetype DelimitedReader::valueEnd(qsizetype from) const
{
    const QChar* data = m_text.data();
    const qsizetype size = m_text.size();
    qsizetype at = from;
    while (at < size && data[at] != m_separator && data[at] != u'\n' && data[at] != u'\r')
        ++at;
    return at;
}

void DelimitedReader::takeLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
}

// A value read by the separator alone: blanks trimmed, then one quote dropped at each end.
QString DelimitedReader::unquoted(qsizetype start)
{
    const qsizetype end = valueEnd(start);
    m_pos = end;
    QStringView value = trimBlanks(m_text.mid(start, end - start));
    if (value.startsWith(kQuote))
        value = value.mid(1);
    if (value.endsWith(kQuote))
        value.chop(1);
    return value.toString();
}

QString DelimitedReader::quoted(qsizetype openingQuote)
{
    QString value;
    qsizetype at = openingQuote + 1;
    const qsizetype size = m_text.size();
    for (;;) {
        const qsizetype quote = m_text.indexOf(kQuote, at);
        if (quote < 0) {
            // Never closed: the quote was an ordinary character after all.
            return unquoted(openingQuote);
        }
        value += m_text.mid(at, quote - at);
        if (quote + 1 < size && m_text[quote + 1] == kQuote) {
            value += kQuote;
            at = quote + 2;
            continue;
        }
        at = quote + 1;
        break;
    }
    // Text after the closing quote, up to the separator, belongs to the value too.
    const qsizetype end = valueEnd(at);
    QStringView rest = m_text.mid(at, end - at);
    while (rest.endsWith(kBlank))
        rest.chop(1);
    value += rest;
    m_pos = end;
    return value;
}

void DelimitedReader::next(std::vector<QString>& values)
{
    values.clear();
    for (;;) {
        qsizetype start = m_pos;
        qsizetype first = start;
        while (first < m_text.size() && m_text[first] == kBlank)
            ++first;
        if (first < m_text.size() && m_text[first] == kQuote)
            values.push_back(quoted(first));
        else
            values.push_back(unquoted(start));
        if (m_pos < m_text.size() && m_text[m_pos] == m_separator) {
            ++m_pos;
            continue;
        }
        takeLineEnd();
        return;
    }
}

QStringList DelimitedReader::next()
{
    std::vector<QString> values;
    next(values);
    return QStringList(values.begin(), values.end());
}

std::vector<QStringList> splitRecords(QStringView text, QChar separator)
{
    std::vector<QStringList> records;
    DelimitedReader reader(text, separator);
    while (!reader.atEnd())
        records.push_back(reader.next());
    return records;
}

} // namespace zelk::import
