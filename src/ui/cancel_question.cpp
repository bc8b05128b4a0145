#include "cancel_question.h"

#include "message_box.h"

namespace zelk {

bool confirmCancelAllChanges(QWidget* parent)
{
    return MessageBox::show(QStringLiteral("Are you sure you want to cancel all changes?"), QStringLiteral("Just checking"),
                            MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes, parent)
           == MsgAnswer::Yes;
}

} // namespace zelk
