#pragma once
// The question an option window asks before it closes without storing what was changed.
class QWidget;

namespace zelk {

// "Are you sure you want to cancel all changes?", titled "Just checking", Yes the default.
// True when the user answers Yes.
bool confirmCancelAllChanges(QWidget* parent);

} // namespace zelk
