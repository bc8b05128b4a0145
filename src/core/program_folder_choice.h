#pragma once
// The rule that picks the program's folder, given its inputs, so each branch can be
// tried without changing the environment or moving the executable.
#include <QString>

namespace zelk {

// True when a file can really be created in `folder` (permission bits alone can lie:
// read-only mounts, or an administrator who may write anywhere).
bool folderIsWritable(const QString& folder);

// `zelkHome` when it is not empty (created when missing); else `executableFolder` when it
// already holds a register (a portable copy); else the user's data folder, created when
// missing, so that deleting the folder the program was built or unpacked in never
// deletes the register.
QString chooseProgramFolder(const QString& zelkHome, const QString& executableFolder);

} // namespace zelk
