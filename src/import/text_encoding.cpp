#include "text_encoding.h"

#include <QStringDecoder>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>
#include <string>

namespace zelk::import {

namespace {

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : mark)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

QString decodeWith(QStringDecoder::Encoding encoding, QByteArrayView bytes, bool* valid)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

class Converter {
public:
    explicit Converter(const char* from)
    {
        const char* to = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
        m_cd = iconv_open(to, from);
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("The system cannot read text in the code page ") + from + ".");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

QString decodeCodePage(QByteArrayView bytes, const char* codePage)
{
    Converter converter(codePage);
    // One UTF-16 unit for every byte of a single-byte code page, two to spare.
    QString text(bytes.size() + 2, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char* outStart = reinterpret_cast<char*>(text.data());
    char* out = outStart;
    size_t outLeft = size_t(text.size()) * sizeof(QChar);
    while (inLeft > 0) {
        if (iconv(converter.handle(), &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ || outLeft < sizeof(QChar))
            throw std::runtime_error(std::string("The text could not be read in the code page ") + codePage + ".");
        // A byte the code page does not define: the character of the same number.
        const QChar same(char16_t(static_cast<unsigned char>(*in)));
        memcpy(out, &same, sizeof(QChar));
        out += sizeof(QChar);
        outLeft -= sizeof(QChar);
        ++in;
        --inLeft;
    }
    text.truncate(qsizetype((out - outStart) / qsizetype(sizeof(QChar))));
    return text;
}

DecodedText decodeText(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return {decodeWith(QStringDecoder::Utf8, bytes.sliced(3), nullptr), TextEncoding::Utf8WithBom};
    if (startsWith(bytes, {0xFF, 0xFE}))
        return {decodeWith(QStringDecoder::Utf16LE, bytes.sliced(2), nullptr), TextEncoding::Utf16WithBom};
    if (startsWith(bytes, {0xFE, 0xFF}))
        return {decodeWith(QStringDecoder::Utf16BE, bytes.sliced(2), nullptr), TextEncoding::Utf16WithBom};
    bool valid = false;
    QString text = decodeWith(QStringDecoder::Utf8, bytes, &valid);
    if (valid)
        return {std::move(text), TextEncoding::Utf8};
    return {decodeCodePage(bytes, "WINDOWS-1252"), TextEncoding::Windows1252};
}

} // namespace zelk::import
