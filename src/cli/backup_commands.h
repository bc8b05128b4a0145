#pragma once
// zelk-membership backup [FILE] and zelk-membership restore FILE: the register's backups
// for scripts and off-site copies.
#include "command.h"

namespace zelk::cli {

Command backupCommand();
Command restoreCommand();

} // namespace zelk::cli
