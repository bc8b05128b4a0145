#include "key_preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zelk {

namespace {

// focusNextPrevChild is protected; this names it through a class where it is public.
struct FocusMover : QWidget {
    using QWidget::focusNextPrevChild;
};

bool moveFocus(QWidget* window, bool next)
{
    return (window->*(&FocusMover::focusNextPrevChild))(next);
}

class KeyPreviewFilter : public QObject {
public:
    KeyPreviewFilter(QWidget* window, KeyPreviewOptions options)
        : QObject(window), m_window(window), m_options(std::move(options))
    {
    }

    void setOptions(KeyPreviewOptions options) { m_options = std::move(options); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        if (!firstReceiver(static_cast<QWidget*>(watched)))
            return false;

        auto* key = static_cast<QKeyEvent*>(event);
        if (m_options.windowKeys && m_options.windowKeys(*key))
            return true;
        // Keypad arrows and the keypad Enter count as the plain keys.
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;

        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!m_options.arrowsMoveFocus)
                return false;
            moveFocus(m_window, key->key() == Qt::Key_Down);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!m_options.enterMovesFocus)
                return false;
            if (m_options.enterPassesThrough && m_options.enterPassesThrough())
                return false;
            moveFocus(m_window, true);
            return true;
        default:
            return false;
        }
    }

private:
    // A key goes first to the control with the focus (to the window itself when none
    // has it) and, when that control ignores it, on to each of its parents. Acting only on
    // that first delivery handles each key once.
    bool firstReceiver(QWidget* receiver) const
    {
        if (receiver->window() != m_window || !m_window->isVisible() || !m_window->isEnabled())
            return false;
        if (!receiver->isVisible() || !receiver->isEnabled())
            return false;
        QWidget* focus = m_window->focusWidget();
        return receiver == (focus ? focus : m_window);
    }

    QWidget* m_window;
    KeyPreviewOptions m_options;
};

} // namespace

void installKeyPreview(QWidget* window, KeyPreviewOptions options)
{
    // Installing twice replaces the rules rather than moving the focus twice per key.
    for (QObject* child : window->children()) {
        if (auto* existing = dynamic_cast<KeyPreviewFilter*>(child)) {
            existing->setOptions(std::move(options));
            return;
        }
    }
    // On the application, so controls added to the window later are covered too.
    qApp->installEventFilter(new KeyPreviewFilter(window, std::move(options)));
}

} // namespace zelk
