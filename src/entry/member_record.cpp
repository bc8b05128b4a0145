#include "member_record.h"

#include "core/app_state.h"
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

void storeMember(AppState& state, const MemberEntry& member, bool adding)
{
    Recordset& members = *state.rsZelk;
    PendingEdit memberEdit(members);
    if (adding)
        members.addNew();
    else
        members.edit();
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
        Recordset& settings = *state.rsSettings;
        PendingEdit counterEdit(settings);
        settings.moveFirst();
        settings.edit();
        settings.setField(field::LastNumber, qint64(settings.field(field::LastNumber).toInt()) + 1);
        settings.update();
    }
    members.update();
    transaction.commit();
}

} // namespace zelk
