#pragma once
// The register in the program's folder, opened for a headless command.
#include "core/app_state.h"

#include <QTextStream>
#include <memory>

namespace zelk::cli {

// The shared state on the register in the program's folder (ZELK_HOME, or where the
// windows keep it), with every shared record set open and the members in surname order.
// When there is no register, the imports make a new one (saying so on `err`), as the
// windows do at start-up; the other commands make nothing. When there is no register
// for them, or it cannot be made or opened, says why on `err` and returns nothing.
enum class WhenMissing { Refuse, Create };
std::unique_ptr<AppState> openRegister(QTextStream& err, WhenMissing missing = WhenMissing::Refuse);

} // namespace zelk::cli
