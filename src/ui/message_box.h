#pragma once
// Every message the program shows goes through here, with its exact text, title,
// buttons, default button and icon. Tests script the answers and read back what was
// asked; in a test, a message nobody scripted is recorded as unexpected and answered
// with its default button instead of waiting for a user.
#include "core/question.h"

#include <QList>
#include <QString>

class QWidget;

namespace zelk {

namespace MessageBox {

// Shows the message modally and returns the button pressed. Without a default given,
// the first button of the set is the default (OK, or Yes).
MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
               QWidget* parent = nullptr);
MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
               MsgAnswer defaultButton, QWidget* parent = nullptr);
MsgAnswer show(const MessageRequest& request, QWidget* parent = nullptr);

// The first button of a set: the default when none is named.
MsgAnswer firstButton(MsgButtons buttons);

// The program's title, used where a message has no title of its own.
QString defaultTitle();

} // namespace MessageBox

// Test hooks. While a script is active no box is shown.
namespace MessageScript {
void start();                          // begin: forget earlier answers and requests
void answer(MsgAnswer next);           // queue the answer to the next message
const QList<MessageRequest>& asked();  // every message shown since start(), in order
QList<MessageRequest> unexpected();    // messages that found no queued answer
int pendingAnswers();                  // queued answers not yet used
void stop();                           // end: messages are shown for real again
bool active();
} // namespace MessageScript

} // namespace zelk
