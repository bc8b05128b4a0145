#include "greeting.h"

namespace zelk::mail {

Greeting greetingOf(const QString& text)
{
    if (text == QLatin1String("Friendly"))
        return Greeting::Friendly;
    if (text == QLatin1String("Formal"))
        return Greeting::Formal;
    return Greeting::None;
}

QString greetingText(Greeting greeting)
{
    switch (greeting) {
    case Greeting::Formal: return QStringLiteral("Formal");
    case Greeting::Friendly: return QStringLiteral("Friendly");
    case Greeting::None: return QStringLiteral("None");
    }
    return QStringLiteral("None");
}

std::optional<QString> greetingLine(Greeting greeting, const QVariant& firstName, const QVariant& title,
                                    const QVariant& surname)
{
    static const QString lineBreaks = QStringLiteral("\r\n\r\n");
    switch (greeting) {
    case Greeting::Friendly:
        if (firstName.isNull())
            return std::nullopt;
        return QStringLiteral("Dear ") + firstName.toString() + u',' + lineBreaks;
    case Greeting::Formal:
        if (title.isNull())
            return std::nullopt;
        return QStringLiteral("Dear ") + title.toString() + u' ' + surname.toString() + u',' + lineBreaks;
    case Greeting::None:
        return QString();
    }
    return std::nullopt;
}

} // namespace zelk::mail
