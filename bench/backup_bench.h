#pragma once
// What backing up a large register costs: the program's backup (the online copy, its
// check and putting it in place) beside the sqlite3 tool's ".backup" of the same file in
// the same run, and the restore window's list of backups.
#include <QString>

namespace zelk::bench {

// Times the backups of a copy of the register at `path` (the register itself is only
// read) and prints a small table. Errors are reported on standard error.
void printRegisterBackup(const QString& path);

} // namespace zelk::bench
