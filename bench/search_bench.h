#pragma once
// What the member search costs on a large register as the user types a surname: each
// keystroke reopens the members on the search's query and shows the first match.
#include <QString>

namespace zelk::bench {

// Types `typed` one key at a time into the surname search over the register at `path`
// ("W", "Wi", "Wil", "Wils") and prints each keystroke's time, their median, and the same
// text searched anywhere in the surname. Errors are reported on standard error.
void printSurnameSearch(const QString& path, const QString& typed = QStringLiteral("Wils"));

} // namespace zelk::bench
