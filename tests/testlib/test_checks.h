#pragma once
// The messages a test expects, written as plainly as the program's messages are given:
// text, title, buttons, icon and default button; and the answers a test scripts for them.
#include "ui/message_box.h"

#include <QList>
#include <QStringList>
#include <QTest>
#include <initializer_list>

namespace zelk {

inline bool operator==(const MessageRequest& a, const MessageRequest& b)
{
    return a.text == b.text && a.title == b.title && a.buttons == b.buttons && a.icon == b.icon
           && a.defaultButton == b.defaultButton;
}

// How QCOMPARE shows a message that differs.
inline char* toString(const MessageRequest& m)
{
    static const char* buttons[] = {"OK", "OK/Cancel", "Yes/No", "Yes/No/Cancel"};
    static const char* icons[] = {"no icon", "critical", "question", "exclamation", "information"};
    static const char* answers[] = {"OK", "Cancel", "Yes", "No"};
    return QTest::toString(QStringLiteral("[%1] \"%2\" (%3, %4, default %5)")
                               .arg(m.title, m.text, QLatin1String(buttons[int(m.buttons)]),
                                    QLatin1String(icons[int(m.icon)]), QLatin1String(answers[int(m.defaultButton)])));
}

} // namespace zelk

namespace zelk::test {

// A message with an OK button only.
inline MessageRequest information(const QString& title, const QString& text)
{
    return {text, title, MsgButtons::OK, MsgIcon::Information, MsgAnswer::OK};
}
inline MessageRequest exclamation(const QString& title, const QString& text)
{
    return {text, title, MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}
inline MessageRequest critical(const QString& title, const QString& text)
{
    return {text, title, MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}
// A Yes/No question.
inline MessageRequest question(const QString& title, const QString& text, MsgAnswer byDefault = MsgAnswer::Yes,
                               MsgIcon icon = MsgIcon::Question)
{
    return {text, title, MsgButtons::YesNo, icon, byDefault};
}
// The program's numbered message for an error no routine expects.
inline MessageRequest unexpectedError(int number, const QString& routine)
{
    return critical(QStringLiteral("Unexpected error."),
                    QStringLiteral("There was an unexpected error, number %1 in %2. Please contact Bramwick for further advice.")
                        .arg(number)
                        .arg(routine));
}

// Every message shown since the test's world began, in order.
inline QList<MessageRequest> asked()
{
    return MessageScript::asked();
}

// The same, each as one line: "title | buttons icon default | text".
inline QStringList messagesShown()
{
    static const char* buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel", "AbortRetryIgnore"};
    static const char* icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    static const char* answers[] = {"OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore"};
    QStringList out;
    for (const auto& m : MessageScript::asked())
        out << QStringLiteral("%1 | %2 %3 %4 | %5")
                   .arg(m.title, QLatin1String(buttons[int(m.buttons)]), QLatin1String(icons[int(m.icon)]),
                        QLatin1String(answers[int(m.defaultButton)]), m.text);
    return out;
}

// Queues the answers to the next messages, in order.
inline void answer(std::initializer_list<MsgAnswer> answers)
{
    for (MsgAnswer a : answers)
        MessageScript::answer(a);
}
inline void answer(MsgAnswer a)
{
    MessageScript::answer(a);
}

} // namespace zelk::test
