#pragma once
// The program's folder: where the database, the reports and the logs live. It is the
// folder named by ZELK_HOME when that is set; otherwise the executable's folder when it
// already holds a register (a portable copy); otherwise the user's data folder
// (~/.local/share/Zelk2002/Zelk2002), created on demand.
#include <QString>

namespace zelk {

QString programFolder();

// The folder, the platform's separator, and `name`.
QString programFile(const QString& name);

} // namespace zelk
