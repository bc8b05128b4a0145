#pragma once
// How a message request becomes a real QMessageBox, kept apart from exec() so the box's
// buttons, default, escape and icon can be checked without a user to answer it.
#include "message_box.h"

#include <QMessageBox>
#include <memory>

namespace zelk::MessageBox {

// The request as it is shown: the program's title when it has none, and the first
// button of the set as default when the one named is not in the set.
MessageRequest shownRequest(const MessageRequest& request);

// A box configured for the request (already passed through shownRequest), not yet shown.
std::unique_ptr<QMessageBox> buildMessageBox(const MessageRequest& request, QWidget* parent);

// The button that closed the box; the escape button's answer when none was clicked.
MsgAnswer answerOf(const QMessageBox& box);

} // namespace zelk::MessageBox
