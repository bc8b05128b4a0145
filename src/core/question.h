#pragma once
// A question or message for the user, described by its exact text, title, buttons,
// default button and icon. Work that must ask something (an import, a mail run) takes an
// AskUser callback: the windows pass the message-box service, tests and the command line
// pass answers of their own.
#include <QString>
#include <functional>

namespace zelk {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Yes, No, Abort, Retry, Ignore };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    MsgAnswer defaultButton = MsgAnswer::OK;
};

using AskUser = std::function<MsgAnswer(const MessageRequest&)>;

} // namespace zelk
