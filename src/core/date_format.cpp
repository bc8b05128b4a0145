#include "date_format.h"

#include "engine/engine_error.h"
#include "engine/regional.h"

namespace zelk {

QString GetDateFormat()
{
    const QString pattern = regional::shortDatePattern();
    return pattern.isEmpty() ? QStringLiteral("DD/MM/YYYY") : pattern;
}

QString GetDateSeparator()
{
    const QString separator = regional::dateSeparator();
    if (separator.isEmpty())
        throw EngineError(err::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"),
                          QStringLiteral("GetDateSeparator"));
    return separator;
}

} // namespace zelk
