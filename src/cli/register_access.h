#pragma once
// The register in the program's folder, opened for a headless command.
#include "core/app_state.h"

#include <QTextStream>
#include <memory>

namespace zelk::cli {

// The shared state on the register in the program's folder (ZELK_HOME, or where the
// windows keep it), with every shared record set open and the members in surname order.
// Nothing is created: when there is no register, or it cannot be opened, says why on
// `err` and returns nothing.
std::unique_ptr<AppState> openRegister(QTextStream& err);

} // namespace zelk::cli
