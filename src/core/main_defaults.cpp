#include "main_defaults.h"

#include "app_state.h"
#include "settings_store.h"

#include "engine/engine_error.h"

#include <QLocale>
#include <cmath>

namespace zelk {

int toWholeNumber(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    // "1.5" is no whole number: rounding it would make a flag or direction of a typing slip.
    if (!ok || value != std::floor(value) || value < -2147483648.0 || value > 2147483647.0)
        throw EngineError(err::TypeMismatch, QStringLiteral("Type mismatch ('%1' is not a whole number).").arg(text));
    return int(value);
}

void LoadMainDefaults(AppState& state)
{
    state.SortOrder = readSetting(setting::SortOrder);
    state.AutoCaps = toWholeNumber(readSetting(setting::AutoCaps));
}

} // namespace zelk
