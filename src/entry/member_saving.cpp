// Saving, undoing, adding and deleting members: the record buttons.
#include "frm_zelk_main.h"
#include "picture_box.h"

#include "core/app_state.h"
#include "core/text_rules.h"
#include "ui/captions.h"
#include "ui/guarded.h"
#include "ui/message_box.h"

#include "engine/engine_error.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelk {

MemberEntry frmZelkMain::entry() const
{
    MemberEntry member;
    for (int i = 0; i < kBoxCount; ++i)
        member.boxes[size_t(i)] = boxText(i);
    member.lapsed = chkLapsed->isChecked();
    member.picture = Picture1->Tag;
    return member;
}

frmZelkMain::SaveResult frmZelkMain::SaveMember()
{
    const MemberEntry member = entry();
    if (lacksRequiredDetail(member)) {
        MessageBox::show(notEnoughDetailMessage(), this);
        return SaveResult::MissingDetail;
    }
    // A character nobody can see or type (a NUL, an escape) is never stored.
    for (int i = 0; i < kBoxCount; ++i) {
        if (controlCharacterIn(member.boxes[size_t(i)])) {
            reportRefusedValue(i, kControlCharacterRefused);
            return SaveResult::Failed;
        }
    }
    const bool adding = m_state.NewMember == -1;
    SaveResult result = SaveResult::Failed;
    guarded(QStringLiteral("Command1 on ZelkMain"), this, [&] {
        try {
            m_state.reopenIfWritableAgain();
            // Amending with no stored member on screen names no row, which no member has.
            m_shownRow = storeMember(m_state, member, adding, m_shownRow.value_or(-1));
            if (adding)
                m_state.NewMember = 0;
            result = SaveResult::Saved;
        } catch (const MemberValueRefused& e) {
            reportRefusedValue(e.box(), e.number());
        } catch (const CounterAtLimit&) {
            MessageBox::show(QStringLiteral("This member has not been saved: the automatic membership numbers have reached "
                                            "the largest number a member can have, so no new member can be added.\n\n"
                                            "Set the last number used to a lower one (Options, Reset Auto Number), "
                                            "then save again."),
                             QStringLiteral("Member not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
        } catch (const EngineError& e) {
            if (e.number() != err::NoCurrentRecord)
                throw;
        }
    });
    return result;
}

void frmZelkMain::reportRefusedValue(int index, int errorNumber)
{
    QString name;
    if (index == kNotesBox)
        name = captionOf(Label1[19]);
    else if (index >= kAddress1Box && index <= 12)
        name = QStringLiteral("%1 line %2").arg(captionOf(Label1[8])).arg(index - kAddress1Box + 1);
    else if (index >= kFirstLookupBox && index <= kLastLookupBox)
        name = QStringLiteral("%1 %2").arg(captionOf(Label1[17])).arg(index - kFirstLookupBox + 1);
    else
        name = captionOf(Label1[labelOfBox(index)]);
    name.remove(u'&');
    QString value = boxText(index);
    QString why;
    switch (errorNumber) {
    case err::Overflow: why = QStringLiteral("which is too large for it"); break;
    case err::ValueTooLong:
        why = QStringLiteral("which is longer than the %1 characters it can hold").arg(boxFieldSize(index));
        break;
    case kControlCharacterRefused:
        // The characters themselves cannot be shown: the message marks where they are.
        for (auto at = controlCharacterIn(value); at; at = controlCharacterIn(value))
            value[*at] = QChar(QChar::ReplacementCharacter);
        why = QStringLiteral("which holds a character that cannot be typed or shown (a control character)");
        break;
    default:
        why = boxKind(index) == BoxKind::Date     ? QStringLiteral("which is not a date")
              : boxKind(index) == BoxKind::Amount ? QStringLiteral("which is not an amount")
              : boxKind(index) == BoxKind::Number ? QStringLiteral("which is not a whole number")
                                                  : QStringLiteral("which cannot be stored there");
    }
    MessageBox::show(QStringLiteral("This member has not been saved. The %1 box holds \"%2\", %3.\n\n"
                                    "Please correct it and save again.")
                         .arg(quotedInMessage(name), quotedInMessage(value), why),
                     QStringLiteral("Member not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
    box(index)->setFocus(Qt::OtherFocusReason);
}

void frmZelkMain::Command1_Click(int index)
{
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
        guarded(QStringLiteral("Command1 on ZelkMain"), this, [this] {
            m_state.NewMember = -1;
            ClearFields();
            ShowNextNumber();
        });
        break;
    case 3:
        guarded(QStringLiteral("Command1 on ZelkMain"), this, [this] {
            try {
                deleteMember();
            } catch (const EngineError& e) {
                if (e.number() != err::NoCurrentRecord)
                    throw;
            }
        });
        break;
    default:
        break;
    }
}

void frmZelkMain::UndoChanges()
{
    if (MessageBox::show(QStringLiteral("Are you sure that you want to undo all changes?"), QStringLiteral("Just checking"),
                         MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No, this)
        == MsgAnswer::Yes) {
        const bool wasNew = m_state.NewMember == -1;
        // Showing the stored member again also says whether the next save adds: it amends
        // the member shown, and adds when the register is empty and there is none.
        RefreshData();
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
    // The member deleted is the member on screen, wherever the record set stood.
    if (m_shownRow) {
        try {
            rs.setBookmark(*m_shownRow);
        } catch (const EngineError&) {
            throw EngineError(err::RecordDeleted, QStringLiteral("Record is deleted."));
        }
    }
    rs.deleteCurrent();
    // The last member of a search's or a report's selection gone: the whole register comes
    // back in the current order, rather than an empty window over a register of members.
    if (rs.recordCount() == 0) {
        m_state.reopen(m_state.rsZelk, membersInOrder(m_state.SortOrder));
        if (m_state.rsZelk->recordCount() > 0)
            m_state.rsZelk->moveFirst();
    }
    ClearFields();
    RefreshData();
    EnableNavigation();
}

} // namespace zelk
