#pragma once
// A member as the main window holds it, the check a save makes first, and the write that
// stores it together with the counter of membership numbers.
#include "member_boxes.h"

#include "core/question.h"
#include "engine/engine_error.h"

#include <QString>
#include <QVariant>
#include <array>

namespace zelk {

struct AppState;

struct MemberEntry {
    std::array<QString, kBoxCount> boxes;   // the texts of txtInfo(0) to txtInfo(28)
    bool lapsed = false;
    QString picture;                        // the picture's path; empty for none
};

// A member cannot be saved unless the number, the surname and the first address line each
// hold more than blanks.
bool lacksRequiredDetail(const MemberEntry& member);
// The message that refuses such a save; it always lists all three.
MessageRequest notEnoughDetailMessage();

// The value box `index` stores: Null for a box of blanks, except the surname and the
// first address line, which are stored as they stand; otherwise the text as typed (the
// engine converts it to the field's type by the user's regional settings).
QVariant storedValue(int index, const QString& text);

// A box whose text the register cannot take: not a date or an amount, too large, too long.
class MemberValueRefused : public EngineError {
public:
    MemberValueRefused(const EngineError& e, int box) : EngineError(e), m_box(box) {}
    int box() const { return m_box; }

private:
    int m_box;
};

// The counter of membership numbers stands at the largest number a member can have, so no
// new member can be numbered after it.
class CounterAtLimit : public EngineError {
public:
    CounterAtLimit();
};

// Writes the member into a new record of rsZelk when `adding`, otherwise into the stored
// member whose row id is `shownRow` (the member the window shows) and no other: rsZelk is
// moved onto that row first, wherever it stood. A new member also raises LastNumber of the
// Settings row by one, whatever number was typed. Every value is converted before anything
// is written, and the counter and the member are stored in one transaction. Returns the row
// id of the member stored; rsZelk stands on it. Throws MemberValueRefused for a box the
// register cannot take, CounterAtLimit when no new member can be numbered, RecordDeleted
// when the member shown is no longer in the register, EngineError for any other failure;
// whatever it throws, nothing is stored, no transaction stays open and no edit of a record
// set stays pending.
qint64 storeMember(AppState& state, const MemberEntry& member, bool adding, qint64 shownRow);

} // namespace zelk
