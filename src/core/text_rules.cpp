#include "text_rules.h"

#include "engine/conversion.h"
#include "engine/regional.h"

#include <limits>

namespace zelk {

namespace {

bool separatesWords(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

QString properCase(const QString& text)
{
    QString out = text;
    bool startOfWord = true;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (separatesWords(c)) {
            startOfWord = true;
            continue;
        }
        out[i] = startOfWord ? c.toUpper() : c.toLower();
        startOfWord = false;
    }
    return out;
}

QString MixedCase(QString& text)
{
    QString s = text.trimmed();
    static const QString startsCapital = QStringLiteral(" .,'-");
    for (qsizetype i = 0; i < s.size(); ++i)
        s[i] = (i == 0 || startsCapital.contains(s[i - 1])) ? s[i].toUpper() : s[i].toLower();
    text = s;
    return text;
}

std::optional<QString> shortDateOf(const QString& text)
{
    const auto date = regional::parseDate(text);
    if (!date)
        return std::nullopt;
    if (date->time() == QTime(0, 0))
        return regional::formatShortDate(date->date());
    return regional::formatDateValue(*date);
}

std::optional<QString> currencyOf(const QString& text)
{
    const auto value = regional::parseNumber(text);
    if (!value)
        return std::nullopt;
    // An amount the fee field would refuse at Save is refused as it is typed.
    try {
        convertForField(FieldDef{QStringLiteral("FeePaid"), FieldType::Currency}, *value);
    } catch (const EngineError&) {
        return std::nullopt;
    }
    return regional::formatCurrency(*value);
}

std::optional<qint64> wholeNumber(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok ? n : std::numeric_limits<qint64>::max();
}

std::optional<QString> emailAddressProblem(const QString& address)
{
    if (!address.contains(u'@') || address.contains(u' ') || address.contains(QLatin1String("..")))
        return QStringLiteral("That doesn't seem to be a valid e-mail address. It must have an @ sign and cannot have spaces or double full stops. Do you want to correct it?");
    if (address.count(u'@') > 1)
        return QStringLiteral("That doesn't seem to be a valid e-mail address. It can only have one @ sign in it. Do you want to correct it?");
    if (address.size() < 7)
        return QStringLiteral("That doesn't seem to be a valid e-mail address - it is too short. Do you want to correct it?");
    if (address.startsWith(u'@'))
        return QStringLiteral("That doesn't seem to be a valid e-mail address. There should be something before the @ sign.\nDo you want to correct it?");
    return std::nullopt;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.sliced(start, end - start);
}

QString trimBlanks(const QString& text)
{
    return trimBlanks(QStringView(text)).toString();
}

QString quotedInMessage(const QString& value)
{
    constexpr qsizetype kLongest = 60;
    if (value.size() <= kLongest)
        return value;
    // A surrogate pair is never cut in two.
    qsizetype end = kLongest;
    if (value[end - 1].isHighSurrogate())
        --end;
    return value.left(end) + QStringLiteral("...");
}

std::optional<qsizetype> controlCharacterIn(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool control = c < 0x20 || (c >= 0x7f && c <= 0x9f);
        if (control && c != u'\t' && c != u'\n' && c != u'\r')
            return i;
    }
    return std::nullopt;
}

} // namespace zelk
