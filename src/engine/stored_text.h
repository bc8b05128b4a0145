#pragma once
// Text goes into SQLite as UTF-8 and comes back exactly as it went in: a value may begin
// with U+FEFF (which a plain UTF-8 decoding takes for a byte-order mark and drops), and
// text that UTF-8 cannot hold (a lone surrogate half) is refused rather than turned into
// another character.
#include <QString>

namespace zelk {

QString fromStoredText(const char* data, qsizetype size);

// True when the text can be stored as UTF-8 and read back unchanged.
bool storableText(const QString& text);

} // namespace zelk
