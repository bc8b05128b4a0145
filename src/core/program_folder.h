#pragma once
// The program's folder: where the database, the reports and the logs live. It is the
// folder named by ZELK_HOME when that is set; otherwise the executable's folder when it
// is writable (a portable install); otherwise the user's data folder, created on demand.
#include <QString>

namespace zelk {

QString programFolder();

// The folder, the platform's separator, and `name`.
QString programFile(const QString& name);

} // namespace zelk
