#pragma once
// The row of command buttons at the foot of a window: each button of the window's array
// made with its caption, laid out on the right in the order given, its click handed to
// the window's handler with the button's index.
#include <QHBoxLayout>
#include <QPushButton>
#include <array>
#include <functional>
#include <initializer_list>
#include <utility>

namespace zelk {

template <size_t N>
QHBoxLayout* buttonRow(std::array<QPushButton*, N>& buttons, std::initializer_list<std::pair<int, const char*>> captions,
                       QObject* context, const std::function<void(int)>& clicked)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const auto& [index, caption] : captions) {
        auto* button = new QPushButton(QString::fromUtf8(caption));
        button->setAutoDefault(false);
        row->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, context, [clicked, index = index] { clicked(index); });
        buttons[size_t(index)] = button;
    }
    return row;
}

} // namespace zelk
