#pragma once
// Conversion of a value given to a field into the value that field stores, by the field's
// type and the user's regional settings. Text is converted as the user would type it;
// typed values (numbers, dates, booleans) are checked against the field's range.
#include "engine_error.h"
#include "field_type.h"

#include <QVariant>

namespace zelk {

// Returns the value to store: a null QVariant for Null; qint32 for Long and Integer
// (range checked, 32- and 16-bit; fractions round half to even); float for Single;
// double rounded to four decimals for Currency; QDateTime (Qt::UTC) for Date/Time;
// bool for Boolean (from True/False/Yes/No/On/Off/-1/0/1, any case, or a number: 0 is
// False, anything else True); QString for Text and Memo (length and zero-length rule
// checked; a text of exactly the allowed number of characters is accepted).
//
// Throws EngineError: TypeMismatch (13) when the value does not convert, Overflow (6)
// when a number is out of the field's range, ValueTooLong (3163), ZeroLengthNotAllowed
// (3315). The description names the field.
QVariant convertForField(const FieldDef& field, const QVariant& value);

// Number of characters of a text as the database counts them (code points).
int characterCount(const QString& text);

} // namespace zelk
