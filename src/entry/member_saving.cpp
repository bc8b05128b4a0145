// Saving, undoing, adding and deleting members: the record buttons.
#include "frm_zelk_main.h"
#include "picture_box.h"

#include "core/app_state.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/unexpected_error.h"

#include "engine/engine_error.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelk {

namespace {

// The value a box stands for: Null when it holds nothing but blanks.
QVariant boxValue(const QString& text)
{
    return text.trimmed().isEmpty() ? QVariant() : QVariant(text);
}

// Ends whatever a failed save left half done, so nothing of it is stored.
void abandonSave(AppState& s)
{
    if (s.dbZelk->inTransaction())
        s.dbZelk->rollback();
    for (auto* rs : {s.rsZelk.get(), s.rsSettings.get()})
        if (rs && rs->editMode() != Recordset::EditMode::None)
            rs->cancelUpdate();
}

} // namespace

frmZelkMain::SaveResult frmZelkMain::SaveMember()
{
    if (boxText(kNumberBox).trimmed().isEmpty() || boxText(kSurnameBox).trimmed().isEmpty()
        || boxText(kAddress1Box).trimmed().isEmpty()) {
        MessageBox::show(QStringLiteral("I cannot save a member unless you have entered at least:\n\n"
                                        "   A membership number\n   A surname\n   The first line of their address\n"),
                         QStringLiteral("Not enough detail"), MsgButtons::OK, MsgIcon::Information, this);
        return SaveResult::MissingDetail;
    }
    auto& rs = *m_state.rsZelk;
    const bool adding = m_state.NewMember == -1;
    int current = -1;   // the box being written, to name it if its value is refused
    try {
        if (adding)
            rs.addNew();
        else
            rs.edit();
        // Every value is converted before anything is stored, so a refused value leaves the
        // register, and the counter, as they were.
        for (int i = 0; i < kBoxCount; ++i) {
            current = i;
            const QString text = boxText(i);
            rs.setField(boxField(i), i == kSurnameBox || i == kAddress1Box ? QVariant(text) : boxValue(text));
        }
        current = -1;
        rs.setField(QStringLiteral("Lapsed"), chkLapsed->isChecked());
        rs.setField(QStringLiteral("Picture"), Picture1->Tag.isEmpty() ? QVariant() : QVariant(Picture1->Tag));

        // The counter and the member are stored together, or neither is.
        m_state.dbZelk->beginTrans();
        if (adding) {
            m_state.reopen(m_state.rsSettings, QStringLiteral("Select * from Settings"));
            auto& settings = *m_state.rsSettings;
            settings.moveFirst();
            settings.edit();
            settings.setField(QStringLiteral("LastNumber"), qint64(settings.field(QStringLiteral("LastNumber")).toInt()) + 1);
            settings.update();
        }
        rs.update();
        m_state.dbZelk->commitTrans();
        if (adding)
            m_state.NewMember = 0;
        return SaveResult::Saved;
    } catch (const EngineError& e) {
        abandonSave(m_state);
        const bool refusedValue = e.number() == err::TypeMismatch || e.number() == err::Overflow
                                  || e.number() == err::ValueTooLong;
        if (current >= 0 && refusedValue)
            reportRefusedValue(current, e.number());
        else if (e.number() != err::NoCurrentRecord)
            showUnexpectedError(e.number(), QStringLiteral("Command1 on ZelkMain"), this);
        return SaveResult::Failed;
    }
}

void frmZelkMain::reportRefusedValue(int index, int errorNumber)
{
    QString name;
    if (index == kNotesBox)
        name = Label1[19]->text();
    else if (index >= kAddress1Box && index <= 12)
        name = QStringLiteral("%1 line %2").arg(Label1[8]->text()).arg(index - kAddress1Box + 1);
    else if (index >= kFirstLookupBox && index <= kLastLookupBox)
        name = QStringLiteral("%1 %2").arg(Label1[17]->text()).arg(index - kFirstLookupBox + 1);
    else
        name = Label1[labelOfBox(index)]->text();
    name.remove(u'&');
    QString why;
    switch (errorNumber) {
    case err::Overflow: why = QStringLiteral("which is too large for it"); break;
    case err::ValueTooLong: why = QStringLiteral("which is longer than it can hold"); break;
    default:
        why = boxKind(index) == BoxKind::Date     ? QStringLiteral("which is not a date")
              : boxKind(index) == BoxKind::Amount ? QStringLiteral("which is not an amount")
              : boxKind(index) == BoxKind::Number ? QStringLiteral("which is not a whole number")
                                                  : QStringLiteral("which cannot be stored there");
    }
    MessageBox::show(QStringLiteral("This member has not been saved. The %1 box holds \"%2\", %3.\n\n"
                                    "Please correct it and save again.")
                         .arg(name, boxText(index), why),
                     QStringLiteral("Member not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
    box(index)->setFocus(Qt::OtherFocusReason);
}

void frmZelkMain::Command1_Click(int index)
{
    try {
        switch (index) {
        case 0:
            // A refused value keeps the edit open, so the user can correct that box.
            if (SaveMember() != SaveResult::Failed)
                EnableNavigation();
            break;
        case 1:
            UndoChanges();
            break;
        case 2:
            m_state.NewMember = -1;
            ClearFields();
            ShowNextNumber();
            break;
        case 3:
            deleteMember();
            break;
        default:
            break;
        }
    } catch (const EngineError& e) {
        if (e.number() != err::NoCurrentRecord)
            showUnexpectedError(e.number(), QStringLiteral("Command1 on ZelkMain"), this);
    }
}

void frmZelkMain::UndoChanges()
{
    if (MessageBox::show(QStringLiteral("Are you sure that you want to undo all changes?"), QStringLiteral("Just checking"),
                         MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No, this)
        == MsgAnswer::Yes) {
        const bool wasNew = m_state.NewMember == -1;
        RefreshData();
        m_state.NewMember = 0;
        if (wasNew) {
            for (auto& t : Tag)
                t.clear();
            EnableNavigation();
            // A new member abandoned: straight to the search, to find the member wanted.
            mnuSearch->trigger();
            return;
        }
    }
    for (auto& t : Tag)
        t.clear();
    EnableNavigation();
}

void frmZelkMain::deleteMember()
{
    auto& rs = *m_state.rsZelk;
    if (rs.eof() || rs.bof()) {
        MessageBox::show(QStringLiteral("You haven't entered any members, which means you can't delete anyone!"),
                         QStringLiteral("No-one to delete"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    // A new member not yet saved is not the stored member behind it: that one stays.
    if (m_state.NewMember == -1) {
        MessageBox::show(QStringLiteral("This member has not been saved yet, so there is nothing to delete. "
                                        "Use Undo to abandon the new member."),
                         QStringLiteral("No-one to delete"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    if (MessageBox::show(QStringLiteral("Are you sure that you want to delete this member?"), QStringLiteral("Just checking"),
                         MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes, this)
        != MsgAnswer::Yes)
        return;
    rs.deleteCurrent();
    ClearFields();
    RefreshData();
    EnableNavigation();
}

} // namespace zelk
