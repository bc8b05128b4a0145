#pragma once
// The text forms a message needs on the wire: line ends, encoded headers, the date, the
// message id and the envelope form of an address. Plain functions of values.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zelk::mail {

// Every line break of the text (CR LF, a lone CR or a lone LF) made CR LF.
QString withCrLf(const QString& text);

// The value of a header whose name, colon and blank take `prefix` characters of its first
// line: the text as it stands when it is printable ASCII without leading or trailing
// blanks and without "=?"; otherwise RFC 2047 encoded words of its UTF-8, so that any
// language and the blanks typed around it arrive as typed. Long values are folded so that
// lines keep to 78 characters where a blank allows it.
QByteArray encodedHeaderText(const QString& text, int prefix);

// The Content-Disposition value of an attachment called `fileName`: a quoted file name
// when it is short printable ASCII, otherwise RFC 2231 parameters (UTF-8, percent-encoded,
// continued over several lines when long), so that no name can break the header.
QByteArray attachmentDisposition(const QString& fileName);

// The Date header value of a moment, in English whatever the user's language
// ("Tue, 4 Mar 2025 09:05:00 +0100").
QByteArray dateHeader(const QDateTime& when);

// A new, unique Message-ID value ("<...@domain>") in the domain of the sender's address.
QByteArray newMessageId(const QString& senderAddress);

// The address as the SMTP envelope takes it: what is inside "<" and ">" when the address
// has them ("Ann Smith <ann@example.org>"), else the address; without surrounding blanks.
QString envelopeAddress(const QString& address);

} // namespace zelk::mail
