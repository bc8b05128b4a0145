#include "decimal_rounding.h"

#include <QLocale>
#include <QString>

#include <cmath>

namespace zelk {

double roundHalfAwayFromZero(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    // The shortest text that reads back as this double is the decimal the user meant.
    QString digits = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const int dot = digits.indexOf(QLatin1Char('.'));
    if (dot < 0 || digits.size() - dot - 1 <= decimals)
        return value;

    const bool up = digits.at(dot + 1 + decimals) >= QLatin1Char('5');
    QString kept = digits.left(dot) + digits.mid(dot + 1, decimals);
    if (up) {
        int i = kept.size() - 1;
        for (; i >= 0 && kept.at(i) == QLatin1Char('9'); --i)
            kept[i] = QLatin1Char('0');
        if (i >= 0)
            kept[i] = QChar(kept.at(i).unicode() + 1);
        else
            kept.prepend(QLatin1Char('1'));
    }
    if (decimals > 0)
        kept.insert(kept.size() - decimals, QLatin1Char('.'));
    const double magnitude = kept.toDouble();
    // Adding 0.0 turns a rounded -0 into 0, so nothing shows as "-0.00".
    return (value < 0 ? -magnitude : magnitude) + 0.0;
}

} // namespace zelk
