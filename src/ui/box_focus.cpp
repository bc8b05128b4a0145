#include "box_focus.h"

#include "core/text_rules.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace zelk {

namespace {

class BoxFocusFilter : public QObject {
public:
    BoxFocusFilter(QWidget* box, std::function<void(Qt::FocusReason)> entered, std::function<void()> left)
        : QObject(box), m_box(box), m_entered(std::move(entered)), m_left(std::move(left))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
            return false;
        if (!m_box->window()->isVisible())
            return false;
        // Focus that goes to a message box or another window and comes back is not the
        // user moving; the first focus of a window that opens is the user entering.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool elsewhere = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (event->type() == QEvent::FocusIn) {
            if (elsewhere && m_inside)
                return false;
            m_inside = true;
            if (m_entered)
                m_entered(static_cast<QFocusEvent*>(event)->reason());
        } else if (!elsewhere && m_inside) {
            m_inside = false;
            if (m_left)
                m_left();
        }
        return false;
    }

private:
    QWidget* m_box;
    std::function<void(Qt::FocusReason)> m_entered;
    std::function<void()> m_left;
    bool m_inside = false;
};

} // namespace

void onBoxFocus(QWidget* box, std::function<void()> entered, std::function<void()> left)
{
    std::function<void(Qt::FocusReason)> onEntry;
    if (entered)
        onEntry = [entered = std::move(entered)](Qt::FocusReason) { entered(); };
    onBoxEntry(box, std::move(onEntry), std::move(left));
}

void onBoxEntry(QWidget* box, std::function<void(Qt::FocusReason)> entered, std::function<void()> left)
{
    box->installEventFilter(new BoxFocusFilter(box, std::move(entered), std::move(left)));
}

void selectOnEntry(QWidget* box, Qt::FocusReason reason)
{
    const auto selectAll = [box] {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            line->setSelection(0, int(line->text().size()));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(box))
            text->selectAll();
    };
    if (reason == Qt::MouseFocusReason)
        QTimer::singleShot(0, box, selectAll);
    else
        selectAll();
}


void trimBox(QLineEdit* box)
{
    const QString trimmed = trimBlanks(box->text());
    if (trimmed != box->text())
        box->setText(trimmed);
}

} // namespace zelk
