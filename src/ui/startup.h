#pragma once
// The program's start: settings, the register (built when there is none), the shared
// record sets, and the main window.
#include <functional>

namespace zelk {

struct AppState;
class frmSplash;

// Runs the start-up in the splash window and shows the main window through
// `showMainWindow`. Returns false when the program must end; the user has been told why.
bool runStartup(AppState& state, frmSplash& splash, const std::function<void(AppState&)>& showMainWindow);

} // namespace zelk
