#include "mime_text.h"

#include <QRegularExpression>
#include <QUuid>

namespace zelk::mail {

namespace {

constexpr int kLineLimit = 78;      // what a header line keeps to where it can
constexpr int kHardLimit = 998;     // what no line may pass
constexpr int kEncodedLimit = 76;   // a line holding encoded words

bool isPlainAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

// Folds printable ASCII before blanks so lines keep to the limit; empty when a word is too
// long for any line.
QByteArray foldedAscii(const QByteArray& text, int prefix)
{
    // Pieces: the first word, then each run of blanks with the word after it.
    QList<QByteArray> pieces;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= text.size(); ++i)
        if (i == text.size() || (text[i] == ' ' && text[i - 1] != ' ')) {
            pieces << text.mid(start, i - start);
            start = i;
        }
    QByteArray out;
    qsizetype line = prefix;
    for (const QByteArray& piece : pieces) {
        if (line + piece.size() > kLineLimit && !out.isEmpty() && piece.startsWith(' ')) {
            out += "\r\n";
            line = 0;
        }
        out += piece;
        line += piece.size();
        if (line > kHardLimit)
            return {};
    }
    return out;
}

// RFC 2047 "B" encoded words of the UTF-8 text, one per line, each line within the limit
// and no character split between two words.
QByteArray encodedWords(const QByteArray& utf8, int prefix)
{
    static const QByteArray open = "=?UTF-8?B?", close = "?=";
    QByteArray out;
    qsizetype at = 0;
    int room = kEncodedLimit - prefix;   // the first line shares its room with the name
    do {
        const qsizetype maxBytes = std::max<qsizetype>(3, (room - open.size() - close.size()) / 4 * 3);
        qsizetype end = std::min(utf8.size(), at + maxBytes);
        // Never end inside a character: back up over continuation bytes.
        while (end < utf8.size() && end > at + 1 && (uchar(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (!out.isEmpty())
            out += "\r\n ";
        out += open + utf8.mid(at, end - at).toBase64() + close;
        at = end;
        room = kEncodedLimit - 1;
    } while (at < utf8.size());
    return out;
}

const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// RFC 2231's attribute characters: everything else in a value is percent-encoded.
bool isAttributeChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
        || QByteArray("!#$&+-.^_`|~").contains(c);
}

} // namespace

QString withCrLf(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 40);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += QStringLiteral("\r\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += QStringLiteral("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray encodedHeaderText(const QString& text, int prefix)
{
    const bool plain = isPlainAscii(text) && !text.contains(QLatin1String("=?")) && !text.startsWith(u' ')
        && !text.endsWith(u' ');
    if (plain) {
        const QByteArray folded = foldedAscii(text.toLatin1(), prefix);
        if (!folded.isEmpty() || text.isEmpty())
            return folded;
    }
    return encodedWords(text.toUtf8(), prefix);
}

QByteArray attachmentDisposition(const QString& fileName)
{
    constexpr int kChunk = 60;
    const bool plain = isPlainAscii(fileName) && !fileName.contains(u'"') && !fileName.contains(u'\\');
    if (plain && fileName.size() <= kChunk)
        return "attachment; filename=\"" + fileName.toLatin1() + '"';

    // Continued parameters: filename*0, filename*1, ... (with "*" after the number when the
    // piece is percent-encoded UTF-8).
    QList<QByteArray> chunks;
    if (plain) {
        const QByteArray name = fileName.toLatin1();
        for (qsizetype at = 0; at < name.size(); at += kChunk)
            chunks << '"' + name.mid(at, kChunk) + '"';
    } else {
        QByteArray chunk = "utf-8''";
        for (char c : fileName.toUtf8()) {
            const QByteArray piece = isAttributeChar(c) ? QByteArray(1, c)
                                                        : '%' + QByteArray::number(uchar(c), 16).toUpper().rightJustified(2, '0');
            if (chunk.size() + piece.size() > kChunk) {
                chunks << chunk;
                chunk.clear();
            }
            chunk += piece;
        }
        chunks << chunk;
    }
    const QByteArray star = plain ? "" : "*";
    if (chunks.size() == 1)
        return "attachment;\r\n filename" + star + '=' + chunks[0];
    QByteArray out = "attachment";
    for (qsizetype i = 0; i < chunks.size(); ++i)
        out += ";\r\n filename*" + QByteArray::number(i) + star + '=' + chunks[i];
    return out;
}

QByteArray dateHeader(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    const int offset = when.offsetFromUtc() / 60;
    const int absOffset = std::abs(offset);
    return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 %8%9%10")
        .arg(QLatin1String(kDays[d.dayOfWeek() - 1]))
        .arg(d.day())
        .arg(QLatin1String(kMonths[d.month() - 1]))
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(offset < 0 ? '-' : '+'))
        .arg(absOffset / 60, 2, 10, QLatin1Char('0'))
        .arg(absOffset % 60, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

QByteArray newMessageId(const QString& senderAddress)
{
    static const QRegularExpression domainForm(QStringLiteral("^[A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    const QString address = envelopeAddress(senderAddress);
    QString domain = address.mid(address.lastIndexOf(u'@') + 1).toLower();
    if (!address.contains(u'@') || !domainForm.match(domain).hasMatch())
        domain = QStringLiteral("zelk-membership.invalid");
    return '<' + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + '@' + domain.toLatin1() + '>';
}

QString envelopeAddress(const QString& address)
{
    const qsizetype open = address.lastIndexOf(u'<');
    const qsizetype close = address.lastIndexOf(u'>');
    if (open >= 0 && close > open)
        return address.mid(open + 1, close - open - 1).trimmed();
    return address.trimmed();
}

} // namespace zelk::mail
