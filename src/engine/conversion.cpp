#include "conversion.h"

#include "decimal_rounding.h"
#include "regional.h"
#include "stored_text.h"

#include <QDate>
#include <QDateTime>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

namespace zelk {

namespace {

[[noreturn]] void fail(int number, const FieldDef& field)
{
    QString description;
    switch (number) {
    case err::Overflow:
        description = QStringLiteral("The value you entered is out of range for the field '%1'.").arg(field.name);
        break;
    case err::ValueTooLong:
        description = QStringLiteral("The text you entered is too long for the field '%1', which holds at most %2 characters.")
                          .arg(field.name)
                          .arg(field.size);
        break;
    case err::ZeroLengthNotAllowed:
        description = QStringLiteral("The field '%1' cannot hold an empty text.").arg(field.name);
        break;
    default:
        description = QStringLiteral("The value you entered is not valid for the field '%1'.").arg(field.name);
        break;
    }
    throw EngineError(number, description);
}

// A number given to a field: whole numbers of an integer type are kept exact so a large
// one is never range checked through a rounded double.
struct Number {
    double value = 0;
    std::optional<qlonglong> whole;
};

std::optional<Number> typedNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::Char: {
        const qlonglong n = value.toLongLong();
        return Number{double(n), n};
    }
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar: {
        const qulonglong n = value.toULongLong();
        if (n > qulonglong(std::numeric_limits<qlonglong>::max()))
            return Number{double(n), std::nullopt};
        return Number{double(n), qlonglong(n)};
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return Number{value.toDouble(), std::nullopt};
    default:
        return std::nullopt;
    }
}

// The number a value stands for; a Boolean counts as -1 or 0, the program's flag values.
Number toNumber(const FieldDef& field, const QVariant& value)
{
    if (auto n = typedNumber(value))
        return *n;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? Number{-1, -1} : Number{0, 0};
    if (value.typeId() == QMetaType::QString) {
        if (auto parsed = regional::parseNumber(value.toString()))
            return Number{*parsed, std::nullopt};
    }
    fail(err::TypeMismatch, field);
}

double roundHalfToEven(double value)
{
    const double nearest = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

QVariant toWhole(const FieldDef& field, const Number& n, qlonglong low, qlonglong high)
{
    if (n.whole) {
        if (*n.whole < low || *n.whole > high)
            fail(err::Overflow, field);
        return QVariant(qint32(*n.whole));
    }
    if (std::isnan(n.value))
        fail(err::TypeMismatch, field);
    const double rounded = roundHalfToEven(n.value);
    if (!(rounded >= double(low) && rounded <= double(high)))
        fail(err::Overflow, field);
    return QVariant(qint32(rounded));
}

QVariant toSingle(const FieldDef& field, const Number& n)
{
    if (std::isnan(n.value))
        fail(err::TypeMismatch, field);
    if (std::fabs(n.value) > double(FLT_MAX))
        fail(err::Overflow, field);
    return QVariant(float(n.value));
}

QVariant toCurrency(const FieldDef& field, const Number& n)
{
    // The old engine kept money as a scaled 64-bit integer with four decimals.
    constexpr double limit = 922337203685477.5807;
    if (std::isnan(n.value))
        fail(err::TypeMismatch, field);
    const double rounded = roundHalfAwayFromZero(n.value, 4);
    if (!(std::fabs(rounded) <= limit))
        fail(err::Overflow, field);
    return QVariant(rounded);
}

QVariant toDateTime(const FieldDef& field, const QVariant& value)
{
    QDateTime dateTime;
    if (value.typeId() == QMetaType::QDate) {
        dateTime = QDateTime(value.toDate(), QTime(0, 0), Qt::UTC);
    } else if (value.typeId() == QMetaType::QDateTime) {
        // A date and time of day as the user knows them: kept as they read, never moved
        // by a time zone.
        const QDateTime given = value.toDateTime();
        if (given.isValid())
            dateTime = QDateTime(given.date(), given.time(), Qt::UTC);
    } else if (value.typeId() == QMetaType::QString) {
        if (auto parsed = regional::parseDate(value.toString()))
            dateTime = *parsed;
    }
    if (!dateTime.isValid() || !dateTime.date().isValid())
        fail(err::TypeMismatch, field);
    // Stored as "YYYY-MM-DD", and the old engine knew no dates outside these years.
    const int year = dateTime.date().year();
    if (year < 100 || year > 9999)
        fail(err::Overflow, field);
    // Stored to the second; keep nothing finer than what will be read back.
    const QTime time = dateTime.time();
    dateTime.setTime(QTime(time.hour(), time.minute(), time.second()));
    return QVariant(dateTime);
}

QVariant toBoolean(const FieldDef& field, const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return QVariant(value.toBool());
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        for (const char* word : {"True", "Yes", "On"}) {
            if (text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return QVariant(true);
        }
        for (const char* word : {"False", "No", "Off"}) {
            if (text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return QVariant(false);
        }
    }
    const Number n = toNumber(field, value);
    if (std::isnan(n.value))
        fail(err::TypeMismatch, field);
    return QVariant(n.value != 0);
}

// The text a typed value is shown as: numbers in the user's form without group
// separators, dates as the user's short date.
QString textOf(const FieldDef& field, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QChar:
        return QString(value.toChar());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return regional::formatDateValue(value);
    default:
        break;
    }
    const auto n = typedNumber(value);
    if (!n)
        fail(err::TypeMismatch, field);
    QLocale loc = regional::locale();
    loc.setNumberOptions(loc.numberOptions() | QLocale::OmitGroupSeparator);
    if (n->whole)
        return loc.toString(*n->whole);
    if (!std::isfinite(n->value))
        fail(err::TypeMismatch, field);
    return loc.toString(n->value, 'g', QLocale::FloatingPointShortest);
}

QVariant toText(const FieldDef& field, const QVariant& value)
{
    const QString text = textOf(field, value);
    if (!storableText(text))
        fail(err::TypeMismatch, field);
    if (text.isEmpty() && !field.allowZeroLength)
        fail(err::ZeroLengthNotAllowed, field);
    // A Text field defined without a size has no limit rather than refusing everything.
    // A text of no more UTF-16 units than the field's size has no more characters either.
    if (field.type == FieldType::Text && field.size > 0 && text.size() > field.size && characterCount(text) > field.size)
        fail(err::ValueTooLong, field);
    return QVariant(text);
}

} // namespace

QVariant convertForField(const FieldDef& field, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (field.type) {
    case FieldType::Long:
        return toWhole(field, toNumber(field, value), std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case FieldType::Integer:
        return toWhole(field, toNumber(field, value), std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    case FieldType::Single:
        return toSingle(field, toNumber(field, value));
    case FieldType::Currency:
        return toCurrency(field, toNumber(field, value));
    case FieldType::DateTime:
        return toDateTime(field, value);
    case FieldType::Boolean:
        return toBoolean(field, value);
    case FieldType::Text:
    case FieldType::Memo:
        return toText(field, value);
    }
    fail(err::TypeMismatch, field);
}

int characterCount(const QString& text)
{
    int count = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace zelk
