#pragma once
// The greeting line that opens each member's copy of a message.
#include <QString>
#include <QVariant>
#include <optional>

namespace zelk::mail {

enum class Greeting { Formal, Friendly, None };

// The stored form ("Formal", "Friendly", "None") and back: "Friendly" and "Formal" are
// themselves, any other text is None.
Greeting greetingOf(const QString& text);
QString greetingText(Greeting greeting);

// The text the message body starts with for a member whose fields are given (a null
// QVariant is a Null field), or nothing when the body is left as it was:
// - Friendly: "Dear " + first name + "," and two line breaks; nothing when the first name
//   is Null.
// - Formal: "Dear " + title + " " + surname + "," and two line breaks (a Null surname
//   counts as empty); nothing when the title is Null.
// - None: the empty text.
std::optional<QString> greetingLine(Greeting greeting, const QVariant& firstName, const QVariant& title,
                                    const QVariant& surname);

} // namespace zelk::mail
