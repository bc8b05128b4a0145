#include "frm_reset_auto_number.h"

#include "ui/button_row.h"
#include "ui/tab_order.h"
#include "core/app_state.h"
#include "ui/message_box.h"
#include "ui/unexpected_error.h"
#include "ui/validtxt.h"

#include "engine/recordset.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace zelk {

namespace {

// The counter is a Long: digits that stand for more than it holds cannot be stored.
bool tooLargeForCounter(const QString& digits)
{
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return false;   // not a plain number: the engine judges it
    bool ok = false;
    const qlonglong number = digits.toLongLong(&ok);
    return !ok || number > std::numeric_limits<qint32>::max();
}

} // namespace

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
    try {
        m_state.rsSettings->moveFirst();
        const QVariant last = m_state.rsSettings->field(QStringLiteral("LastNumber"));
        Text1->setText(last.isNull() ? QString() : QString::number(last.toLongLong()));
    } catch (const std::exception& e) {
        showUnexpectedError(errorNumber(e), QStringLiteral("frmResetAutoNumber"), this);
    }
}

bool frmResetAutoNumber::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1) {
        if (event->type() == QEvent::FocusIn)
            Text1_GotFocus();
        else if (event->type() == QEvent::FocusOut)
            Text1_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmResetAutoNumber::Text1_GotFocus()
{
    SelectAllText(Text1);
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
    const QString text = Text1->text();
    if (text.isEmpty()) {
        MessageBox::show(QStringLiteral("You must enter a number in the box."), QStringLiteral("Last number missing"),
                         MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    if (tooLargeForCounter(text)) {
        MessageBox::show(QStringLiteral("That number is too large. Please enter a number no larger than 2,147,483,647."),
                         QStringLiteral("Number too large"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    Recordset& rs = *m_state.rsSettings;
    try {
        rs.moveFirst();
        rs.edit();
        rs.setField(QStringLiteral("LastNumber"), text);
        rs.update();
    } catch (const std::exception& e) {
        if (rs.editMode() != Recordset::EditMode::None)
            rs.cancelUpdate();
        showUnexpectedError(errorNumber(e), QStringLiteral("Command1_Click"), this);
        return;
    }
    accept();
}

} // namespace zelk
