#include "jet_values.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace zelk::jet {

namespace {

// The serials of 0100-01-01 and of the last second of 9999-12-31.
constexpr double kFirstSerial = -657434.0;
constexpr double kLastSerial = 2958466.0;

} // namespace

std::optional<QVariant> dateFromSerial(double serial)
{
    if (!std::isfinite(serial) || serial <= kFirstSerial - 1.0 || serial >= kLastSerial)
        return std::nullopt;
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    qint64 seconds = qint64(std::llround(fraction * 86400.0));
    QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    if (seconds >= 86400) {
        date = date.addDays(1);
        seconds -= 86400;
    }
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    if (seconds == 0)
        return QVariant(date);
    return QVariant(QDateTime(date, QTime(0, 0).addSecs(int(seconds)), Qt::UTC));
}

} // namespace zelk::jet
