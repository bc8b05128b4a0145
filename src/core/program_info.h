#pragma once
// The program's title and version, as the splash window and the About box show them.
#include <QString>

namespace zelk {

QString programTitle();
// "major.minor.revision"
QString programVersion();

} // namespace zelk
