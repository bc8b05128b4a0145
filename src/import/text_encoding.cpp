#include "text_encoding.h"

#include <QHash>
#include <QStringDecoder>
#include <QSysInfo>

#include <array>
#include <cerrno>
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

namespace {

// What each of the 256 bytes of a single-byte code page stands for, asked of the system's
// converter once per code page; a byte the code page does not define stands for the
// character of the same number, as Windows reads it.
using ByteTable = std::array<char16_t, 256>;

ByteTable byteTable(const char* codePage)
{
    Converter converter(codePage);
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        char byte = char(b);
        char16_t unit = char16_t(b);
        char* in = &byte;
        size_t inLeft = 1;
        char* out = reinterpret_cast<char*>(&unit);
        size_t outLeft = sizeof unit;
        iconv(converter.handle(), nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter.handle(), &in, &inLeft, &out, &outLeft) == size_t(-1) && errno != EILSEQ)
            throw std::runtime_error(std::string("The text could not be read in the code page ") + codePage + ".");
        table[size_t(b)] = outLeft == 0 ? unit : char16_t(b);
    }
    return table;
}

} // namespace

QString decodeCodePage(QByteArrayView bytes, const char* codePage)
{
    thread_local QHash<QByteArray, ByteTable> tables;
    auto found = tables.constFind(QByteArray(codePage));
    if (found == tables.constEnd())
        found = tables.insert(QByteArray(codePage), byteTable(codePage));
    const ByteTable& table = *found;
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = table[static_cast<unsigned char>(bytes[i])];
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
