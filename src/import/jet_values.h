#pragma once
// The values a Jet database stores in fixed form, turned into the values this program
// works with. Kept apart from the file reading so the rules can be checked on their own.
#include <QVariant>
#include <QtGlobal>
#include <optional>

namespace zelk::jet {

// A Jet date is a day count from 1899-12-30 with the time of day as its fraction. Before
// that day the whole part still counts the days and the fraction still runs forward from
// midnight: -1.25 is 1899-12-29 06:00. Gives a QDate when the time is midnight, else a
// QDateTime (Qt::UTC) to the nearest second; nothing for a value outside the years
// 100 to 9999, which no Jet program writes.
std::optional<QVariant> dateFromSerial(double serial);

// Currency is kept as a whole number of ten-thousandths.
inline double currencyFromRaw(qint64 raw)
{
    return double(raw) / 10000.0;
}

} // namespace zelk::jet
