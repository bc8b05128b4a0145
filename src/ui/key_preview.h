#pragma once
// The keys a data-entry window sees before its controls: Up arrow moves the focus to the
// previous control (as Shift+Tab), Down arrow to the next (as Tab), and Enter moves to
// the next control and is swallowed, except while `enterPassesThrough` says the control
// with the focus takes Enter itself (a multi-line box).
#include <functional>

class QKeyEvent;
class QWidget;

namespace zelk {

struct KeyPreviewOptions {
    std::function<bool()> enterPassesThrough;  // empty: Enter always moves on
    bool arrowsMoveFocus = true;
    bool enterMovesFocus = true;
    // The window's own keys, seen before the rules above and before the control with the
    // focus; returns true when it handled the key.
    std::function<bool(QKeyEvent&)> windowKeys;
};

// Installs the rules on `window` and every control inside it, now and later added.
// The rules live as long as the window.
void installKeyPreview(QWidget* window, KeyPreviewOptions options = {});

} // namespace zelk
