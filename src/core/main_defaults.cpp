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
    if (!ok || value < -2147483648.0 || value > 2147483647.0)
        throw EngineError(err::TypeMismatch, QStringLiteral("Type mismatch ('%1' is not a whole number).").arg(text));
    return int(std::nearbyint(value));   // halves go to the even number, as the old conversion did
}

void LoadMainDefaults(AppState& state)
{
    state.SortOrder = readSetting(setting::SortOrder);
    state.AutoCaps = toWholeNumber(readSetting(setting::AutoCaps));
}

} // namespace zelk
