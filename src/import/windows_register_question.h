#pragma once
// Start-up's question when the file at the register's path is the Windows program's own
// register: convert it now? Yes converts it in place, keeping the original beside it; No
// leaves everything as it is and the program ends.
#include "ui/foreign_register.h"

#include <QString>

namespace zelk {

// Asks, and converts when the answer is Yes (telling the user what became of the original,
// or why the conversion could not be finished). NotRecognised, without a question, for any
// file that is not a register of the Windows program.
ForeignRegister askToConvertWindowsRegister(const QString& path);

} // namespace zelk
