#pragma once
// What a window does as the user enters and leaves its text boxes.
#include <QString>
#include <QtCore/qnamespace.h>
#include <functional>

class QLineEdit;
class QWidget;

namespace zelk {

// Calls `entered` when the user moves into `box` and `left` when the user moves out of it
// (by key, mouse or access key). Focus that goes to a message box or another window and
// comes back is neither, nor is the focus leaving a window that is closing.
void onBoxFocus(QWidget* box, std::function<void()> entered, std::function<void()> left);
// The same, telling `entered` how the user came in (Qt::MouseFocusReason for a click).
void onBoxEntry(QWidget* box, std::function<void(Qt::FocusReason)> entered, std::function<void()> left = {});

// Selects the whole text of a box (a line or a multi-line box) the user has just entered,
// so that typing replaces it. A click places the cursor after the focus has arrived, so a
// box entered by the mouse is selected once the click is done.
void selectOnEntry(QWidget* box, Qt::FocusReason reason);

// Replaces the box's text by its trimmed form, when that differs.
void trimBox(QLineEdit* box);

} // namespace zelk
