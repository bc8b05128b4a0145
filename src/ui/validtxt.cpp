#include "validtxt.h"

#include "box_focus.h"
#include "message_box.h"
#include "core/text_rules.h"

#include "engine/regional.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace zelk {

namespace {

class KeyRuleFilter : public QObject {
public:
    KeyRuleFilter(QLineEdit* box, KeyRule rule)
        : QObject(box), m_rule(rule)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int code = 0;
        if (key->key() == Qt::Key_Backspace)
            code = 8;
        else if (key->modifiers() & Qt::ControlModifier)
            // Of the control keys only pasting and cutting change the text.
            code = key->key() == Qt::Key_V ? 22 : key->key() == Qt::Key_X ? 24 : 0;
        else if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab && !key->text().isEmpty()
                 && key->text().at(0).isPrint())
            code = key->text().at(0).unicode();
        if (code == 0)
            return false;
        const int typed = code;
        m_rule(code);
        if (code == typed)
            return false;
        if (code != 0)
            static_cast<QLineEdit*>(watched)->insert(QString(QChar(code)));
        return true;
    }

private:
    KeyRule m_rule;
};

// Puts the focus back into a box whose text the user will correct. The box may be losing
// the focus this moment, which clears its selection afterwards: it is selected again then.
void backToBox(QLineEdit* box)
{
    box->setFocus(Qt::OtherFocusReason);
    SelectAllText(box);
    QTimer::singleShot(0, box, [box] { SelectAllText(box); });
}

bool askToCorrect(QLineEdit* box, const QString& text, const QString& title, MsgIcon icon)
{
    if (MessageBox::show(text, title, MsgButtons::YesNo, icon, box->window()) == MsgAnswer::Yes) {
        backToBox(box);
        return false;
    }
    box->clear();
    return true;
}

} // namespace

void SelectAllText(QLineEdit* box)
{
    selectOnEntry(box, Qt::OtherFocusReason);
}

void DigitsOnlyKey(int& keyAscii)
{
    if (keyAscii != 8 && (keyAscii < '0' || keyAscii > '9'))
        keyAscii = 0;
}

void UpperCaseKey(int& keyAscii)
{
    keyAscii = QChar(keyAscii).toUpper().unicode();
}

void CodeKey(int& keyAscii)
{
    UpperCaseKey(keyAscii);
    const bool keep = keyAscii == 8 || keyAscii == ' ' || (keyAscii >= 'A' && keyAscii <= 'Z')
                      || (keyAscii >= '0' && keyAscii <= '9');
    if (!keep)
        keyAscii = 0;
}

void installKeyRule(QLineEdit* box, KeyRule rule)
{
    box->installEventFilter(new KeyRuleFilter(box, rule));
}

bool CheckDate(QLineEdit* box)
{
    if (box->text().isEmpty())
        return true;
    if (const auto date = shortDateOf(box->text())) {
        box->setText(*date);
        return true;
    }
    return askToCorrect(box, QStringLiteral("The date you entered was not valid.\nDo you wish to correct it?"),
                        QStringLiteral("Problem date"), MsgIcon::Exclamation);
}

bool CheckAmount(QLineEdit* box)
{
    if (box->text().isEmpty())
        return true;
    if (const auto amount = currencyOf(box->text())) {
        box->setText(*amount);
        return true;
    }
    return askToCorrect(box, QStringLiteral("The amount you entered was not valid.\nDo you wish to correct it?"),
                        QStringLiteral("Problem search"), MsgIcon::Exclamation);
}

bool CheckNumber(QLineEdit* box)
{
    if (box->text().isEmpty() || regional::parseNumber(box->text()))
        return true;
    backToBox(box);
    return false;
}

bool CheckEmailAddress(QLineEdit* box)
{
    const QString address = box->text().trimmed();
    if (address != box->text())
        box->setText(address);
    if (address.isEmpty())
        return true;
    const auto problem = emailAddressProblem(address);
    if (!problem)
        return true;
    if (MessageBox::show(*problem, QStringLiteral("E-mail name error"), MsgButtons::YesNo, MsgIcon::Question,
                         MsgAnswer::Yes, box->window())
        == MsgAnswer::Yes) {
        backToBox(box);
        return false;
    }
    box->clear();
    return true;
}

} // namespace zelk
