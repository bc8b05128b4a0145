#pragma once
// The keys a data-entry window sees before its controls: Up arrow moves the focus to the
// previous control (as Shift+Tab), Down arrow to the next (as Tab), and Enter moves to
// the next control and is swallowed, except while `enterPassesThrough` says the control
// with the focus takes Enter itself (a multi-line box).
#include <functional>

class QWidget;

namespace zelk {

struct KeyPreviewOptions {
    std::function<bool()> enterPassesThrough;  // empty: Enter always moves on
    bool arrowsMoveFocus = true;
    bool enterMovesFocus = true;
};

// Installs the rules on `window` and every control inside it, now and later added.
// The rules live as long as the window.
void installKeyPreview(QWidget* window, KeyPreviewOptions options = {});

} // namespace zelk
