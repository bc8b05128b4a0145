#include "stored_text.h"

#include <QStringDecoder>

namespace zelk {

QString fromStoredText(const char* data, qsizetype size)
{
    if (size < 3 || static_cast<unsigned char>(data[0]) != 0xEF)
        return QString::fromUtf8(data, size);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decoder.decode(QByteArrayView(data, size));
}

bool storableText(const QString& text)
{
    return text.isValidUtf16();
}

} // namespace zelk
