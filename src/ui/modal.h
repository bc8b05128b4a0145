#pragma once
// The one way a window is opened modally. In the program it is QDialog::exec(); a test
// installs a handler that drives the dialog instead, so no test blocks in exec().
#include <functional>

class QDialog;

namespace zelk {

// Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
int runModal(QDialog& dialog);

// Test hook: while set, runModal shows the dialog (not modally), calls the handler, which
// may click, type and close it, then returns the dialog's result. The handler's own
// return value is ignored. Pass {} to go back to exec().
using ModalHandler = std::function<void(QDialog&)>;
void setModalHandler(ModalHandler handler);

} // namespace zelk
