#include "frm_reset_auto_number.h"

#include "core/app_state.h"
#include "core/text_rules.h"
#include "data/field_names.h"
#include "engine/transaction_guard.h"
#include "ui/box_focus.h"
#include "ui/button_row.h"
#include "ui/guarded.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"
#include "ui/validtxt.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

frmResetAutoNumber::frmResetAutoNumber(AppState& state, QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel)
    , Label2(new QLabel(QStringLiteral("Last number used:")))
    , Text1(new QLineEdit)
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Reset Automatic Numbering"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(360);
    Label2->setBuddy(Text1);
    Text1->setMaximumWidth(140);

    auto* number = new QHBoxLayout;
    number->addWidget(Label2);
    number->addWidget(Text1);
    number->addStretch();
    auto* buttons = buttonRow(Command1, {{1, "&Save"}, {0, "Cancel"}}, this, [this](int i) { Command1_Click(i); });
    Command1[1]->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(8);
    layout->addLayout(number);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabChain({Text1, Command1[1], Command1[0]});

    installKeyRule(Text1, DigitsOnlyKey);
    Text1->installEventFilter(this);

    Form_Load();
}

void frmResetAutoNumber::Form_Load()
{
    Label1->setText(QStringLiteral("Re-set the auto-number sequence.\n\n"
                                   "Zelk automatically increments the membership number by 1 each time a member is added.\n\n"
                                   "Use this option to re-set this number or to start a new numbering series."));
    guarded(QStringLiteral("frmResetAutoNumber"), this, [this] {
        m_state.rsSettings->moveFirst();
        const QVariant last = m_state.rsSettings->field(field::LastNumber);
        Text1->setText(last.isNull() ? QString() : QString::number(last.toLongLong()));
    });
}

bool frmResetAutoNumber::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1) {
        if (event->type() == QEvent::FocusIn)
            selectOnEntry(Text1, static_cast<QFocusEvent*>(event)->reason());
        else if (event->type() == QEvent::FocusOut)
            Text1_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmResetAutoNumber::Text1_LostFocus()
{
    const QString trimmed = Text1->text().trimmed();
    if (trimmed != Text1->text())
        Text1->setText(trimmed);
}

void frmResetAutoNumber::Command1_Click(int Index)
{
    if (Index == 0) {
        reject();
        return;
    }
    SaveLastNumber();
}

void frmResetAutoNumber::SaveLastNumber()
{
    Text1_LostFocus();
    // Only digits are a number: a pasted sign, group separator or exponent is none.
    const auto number = wholeNumber(Text1->text());
    if (!number) {
        MessageBox::show(QStringLiteral("You must enter a number in the box."), QStringLiteral("Last number missing"),
                         MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    // The next member is numbered one above the counter, and that number must still fit.
    if (*number >= kLargestMemberNumber) {
        MessageBox::show(QStringLiteral("That number is too large. Please enter a number no larger than 2,147,483,646, "
                                        "so that the next member can still be numbered."),
                         QStringLiteral("Number too large"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    const bool saved = guarded(QStringLiteral("Command1_Click"), this, [this, number] {
        Recordset& rs = *m_state.rsSettings;
        PendingEdit edit(rs);
        rs.moveFirst();
        rs.edit();
        rs.setField(field::LastNumber, *number);
        rs.update();
    });
    if (saved)
        accept();
}

} // namespace zelk
