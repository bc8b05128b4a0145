#pragma once
// Checks the tests share.
#include "ui/message_box.h"

#include <QLocale>
#include <QStringList>
#include <QTest>
#include <array>
#include <vector>

namespace zelk::test {

// Every message shown since the test's world began, each as "title | buttons icon default | text".
inline QStringList messagesShown()
{
    static const char* buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel", "AbortRetryIgnore"};
    static const char* icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    static const char* answers[] = {"OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore"};
    QStringList out;
    for (const auto& m : MessageScript::asked())
        out << QStringLiteral("%1 | %2 %3 %4 | %5").arg(m.title, QLatin1String(buttons[int(m.buttons)]), QLatin1String(icons[int(m.icon)]),
                                                        QLatin1String(answers[int(m.defaultButton)]), m.text);
    return out;
}

// Compares f(input) with the expected text for all cases at once, each shown as "input => result".
template <typename F>
void checkEach(const std::vector<std::array<QString, 2>>& cases, F f)
{
    QStringList actual, expected;
    for (const auto& [input, result] : cases) {
        actual << input + QStringLiteral(" => ") + f(input);
        expected << input + QStringLiteral(" => ") + result;
    }
    QCOMPARE(actual, expected);
}

// Sets the locale an input starts with ("en_US 4/1/26") and gives the rest of the input.
inline QString underLocale(const QString& input)
{
    QLocale::setDefault(QLocale(input.section(u' ', 0, 0)));
    return input.section(u' ', 1);
}

} // namespace zelk::test
