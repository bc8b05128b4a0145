#include "member_record.h"

#include "core/app_state.h"
#include "data/create_db.h"
#include "data/field_names.h"
#include "engine/transaction_guard.h"

namespace zelk {

bool lacksRequiredDetail(const MemberEntry& member)
{
    for (int box : {kNumberBox, kSurnameBox, kAddress1Box})
        if (member.boxes[size_t(box)].trimmed().isEmpty())
            return true;
    return false;
}

MessageRequest notEnoughDetailMessage()
{
    return {QStringLiteral("I cannot save a member unless you have entered at least:\n\n"
                           "   A membership number\n   A surname\n   The first line of their address\n"),
            QStringLiteral("Not enough detail"), MsgButtons::OK, MsgIcon::Information, MsgAnswer::OK};
}

QVariant storedValue(int index, const QString& text)
{
    if (index == kSurnameBox || index == kAddress1Box)
        return text;
    return text.trimmed().isEmpty() ? QVariant() : QVariant(text);
}

CounterAtLimit::CounterAtLimit()
    : EngineError(err::Overflow, QStringLiteral("The membership number counter is at its largest value."))
{
}

qint64 storeMember(AppState& state, const MemberEntry& member, bool adding, qint64 shownRow)
{
    Recordset& members = *state.rsZelk;
    PendingEdit memberEdit(members);
    if (adding) {
        members.addNew();
    } else {
        // The record set may have moved on without the window (a refresh that failed, a
        // selection reopened): the amendment goes to the member on screen or nowhere.
        try {
            members.setBookmark(shownRow);
        } catch (const EngineError&) {
            throw EngineError(err::RecordDeleted, QStringLiteral("Record is deleted."));
        }
        members.edit();
    }
    for (int i = 0; i < kBoxCount; ++i) {
        try {
            members.setField(boxField(i), storedValue(i, member.boxes[size_t(i)]));
        } catch (const EngineError& e) {
            const bool valueRefused = e.number() == err::TypeMismatch || e.number() == err::Overflow
                                      || e.number() == err::ValueTooLong;
            if (valueRefused)
                throw MemberValueRefused(e, i);
            throw;
        }
    }
    members.setField(field::Lapsed, member.lapsed);
    members.setField(field::Picture, member.picture.isEmpty() ? QVariant() : QVariant(member.picture));

    TransactionGuard transaction(*state.dbZelk);
    if (adding) {
        state.reopen(state.rsSettings, query::settingsRow());
        // Another program may have deleted the Settings row since start-up: it is put back,
        // numbering on from the largest number in use, rather than the save doing nothing.
        if (state.rsSettings->recordCount() == 0) {
            addMissingSettingsRow(*state.dbZelk);
            state.reopen(state.rsSettings, query::settingsRow());
        }
        Recordset& settings = *state.rsSettings;
        PendingEdit counterEdit(settings);
        settings.moveFirst();
        settings.edit();
        const qint64 last = settings.field(field::LastNumber).toLongLong();
        if (last >= kLargestMemberNumber)
            throw CounterAtLimit();
        settings.setField(field::LastNumber, last + 1);
        settings.update();
    }
    members.update();
    transaction.commit();
    return members.bookmark();
}

} // namespace zelk
