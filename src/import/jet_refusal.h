#pragma once
// Why the register would not take a value copied from a Jet file, said with where the value
// stands in the file, so the user can find and mend it there.
#include "engine/engine_error.h"
#include "engine/field_type.h"

#include <QString>
#include <QVariant>

namespace zelk::import {

// "In the table Zelk, row 7 (member number 23), the field Surname holds a text of 120
// characters, longer than the 100 this register keeps in it." The member's number is left
// out when it is Null; `field` may be null when the refusal is not about one field.
QString refusedValue(const QString& table, int row, const QVariant& memberNumber, const EngineError& error,
                     const FieldDef* field, const QVariant& value);

} // namespace zelk::import
