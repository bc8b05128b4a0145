#include "jet_refusal.h"

namespace zelk::import {

namespace {

QString reasonFor(const EngineError& e, const FieldDef* field, const QVariant& value)
{
    if (!field)
        return e.description();
    switch (e.number()) {
    case err::ValueTooLong:
        return QStringLiteral("the field %1 holds a text of %2 characters, longer than the %3 this register keeps in it.")
            .arg(field->name)
            .arg(value.toString().size())
            .arg(field->size);
    case err::ZeroLengthNotAllowed:
        return QStringLiteral("the field %1 holds an empty text, which this register does not keep in that field.").arg(field->name);
    case err::TypeMismatch:
    case err::Overflow:
        return QStringLiteral("the field %1 holds %2, which this register cannot keep in that field.").arg(field->name, value.toString());
    default:
        return QStringLiteral("the field %1 could not be stored: %2").arg(field->name, e.description());
    }
}

} // namespace

QString refusedValue(const QString& table, int row, const QVariant& memberNumber, const EngineError& error,
                     const FieldDef* field, const QVariant& value)
{
    const QString member = memberNumber.isNull() ? QString() : QStringLiteral(" (member number %1)").arg(memberNumber.toString());
    return QStringLiteral("In the table %1, row %2%3, %4").arg(table).arg(row).arg(member, reasonFor(error, field, value));
}

} // namespace zelk::import
