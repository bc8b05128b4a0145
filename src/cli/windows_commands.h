#pragma once
// The commands that bring in the data of the Windows editions without a window.
#include "command.h"

namespace zelk::cli {

// convert-windows-register FILE: makes a register of ours of the Windows program's
// zelk2002.mdb, in its place, keeping the original beside it.
Command convertWindowsRegisterCommand();

// import-windows FOLDER: adds the members, membership types and lookups of the first
// Windows edition's zelk.mdb in FOLDER to the register.
Command importWindowsCommand();

} // namespace zelk::cli
