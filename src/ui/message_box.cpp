#include "message_box.h"
#include "message_box_builder.h"

#include <QAbstractButton>
#include <QApplication>

namespace zelk {

namespace {

struct Script {
    bool active = false;
    QList<MsgAnswer> answers;
    QList<MessageRequest> asked;
    QList<MessageRequest> unexpected;
};

Script& script()
{
    static Script s;
    return s;
}

QList<MsgAnswer> buttonsOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK: return {MsgAnswer::OK};
    case MsgButtons::OKCancel: return {MsgAnswer::OK, MsgAnswer::Cancel};
    case MsgButtons::YesNo: return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgButtons::YesNoCancel: return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
    }
    return {MsgAnswer::OK};
}

QMessageBox::StandardButton standardButton(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::OK: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    case MsgAnswer::Abort: return QMessageBox::Abort;
    case MsgAnswer::Retry: return QMessageBox::Retry;
    case MsgAnswer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Escape answers Cancel where there is one, No in a Yes/No box, Abort in an
// Abort/Retry/Ignore box, and OK in an OK box.
MsgAnswer escapeAnswer(MsgButtons buttons)
{
    const auto set = buttonsOf(buttons);
    if (set.contains(MsgAnswer::Cancel))
        return MsgAnswer::Cancel;
    if (set.contains(MsgAnswer::No))
        return MsgAnswer::No;
    if (set.contains(MsgAnswer::Abort))
        return MsgAnswer::Abort;
    return MsgAnswer::OK;
}

MsgAnswer scriptedAnswer(const MessageRequest& request)
{
    Script& s = script();
    s.asked.append(request);
    if (s.answers.isEmpty()) {
        s.unexpected.append(request);
        return request.defaultButton;
    }
    const MsgAnswer next = s.answers.takeFirst();
    // An answer the box cannot give means the script is out of step with the messages.
    if (!buttonsOf(request.buttons).contains(next)) {
        s.unexpected.append(request);
        return request.defaultButton;
    }
    return next;
}

} // namespace

namespace MessageBox {

MsgAnswer firstButton(MsgButtons buttons)
{
    return buttonsOf(buttons).first();
}

QString defaultTitle()
{
    return QStringLiteral("Zelk Membership");
}

MessageRequest shownRequest(const MessageRequest& request)
{
    MessageRequest shown = request;
    if (shown.title.isEmpty())
        shown.title = defaultTitle();
    if (!buttonsOf(shown.buttons).contains(shown.defaultButton))
        shown.defaultButton = firstButton(shown.buttons);
    return shown;
}

std::unique_ptr<QMessageBox> buildMessageBox(const MessageRequest& request, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(request.title);
    // Messages quote names, addresses and file names the user typed: never read them as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(request.text);
    box->setIcon(standardIcon(request.icon));
    QMessageBox::StandardButtons set;
    for (MsgAnswer a : buttonsOf(request.buttons))
        set |= standardButton(a);
    box->setStandardButtons(set);
    box->setDefaultButton(standardButton(request.defaultButton));
    box->setEscapeButton(standardButton(escapeAnswer(request.buttons)));
    return box;
}

MsgAnswer answerOf(const QMessageBox& box)
{
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Abort: return MsgAnswer::Abort;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    case QMessageBox::Ignore: return MsgAnswer::Ignore;
    default: break;
    }
    const auto set = box.standardButtons();
    if (set & QMessageBox::Cancel)
        return MsgAnswer::Cancel;
    if (set & QMessageBox::No)
        return MsgAnswer::No;
    if (set & QMessageBox::Abort)
        return MsgAnswer::Abort;
    return MsgAnswer::OK;
}

MsgAnswer show(const MessageRequest& request, QWidget* parent)
{
    const MessageRequest shown = shownRequest(request);
    if (MessageScript::active())
        return scriptedAnswer(shown);
    auto box = buildMessageBox(shown, parent ? parent : QApplication::activeWindow());
    box->exec();
    return answerOf(*box);
}

MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
               QWidget* parent)
{
    return show(MessageRequest{text, title, buttons, icon, firstButton(buttons)}, parent);
}

MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
               MsgAnswer defaultButton, QWidget* parent)
{
    return show(MessageRequest{text, title, buttons, icon, defaultButton}, parent);
}

} // namespace MessageBox

namespace MessageScript {

void start()
{
    script() = Script{};
    script().active = true;
}

void answer(MsgAnswer next)
{
    script().answers.append(next);
}

const QList<MessageRequest>& asked()
{
    return script().asked;
}

QList<MessageRequest> unexpected()
{
    return script().unexpected;
}

int pendingAnswers()
{
    return int(script().answers.size());
}

void stop()
{
    script().active = false;
    script().answers.clear();
}

bool active()
{
    return script().active;
}

} // namespace MessageScript

} // namespace zelk
