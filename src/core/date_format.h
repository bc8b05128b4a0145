#pragma once
// The user's date pattern and separator, as data entry and the membership-year window ask
// for them.
#include <QString>

namespace zelk {

// The user's short date pattern, or "DD/MM/YYYY" when the locale gives none.
QString GetDateFormat();
// The user's date separator. Throws EngineError (5, source "GetDateSeparator") when the
// locale gives none.
QString GetDateSeparator();

} // namespace zelk
