#pragma once
// Which member field each of the main window's boxes holds, and what kind of entry rule
// applies to it.
#include <QString>

namespace zelk {

inline constexpr int kBoxCount = 29;          // txtInfo(0) to txtInfo(28)
inline constexpr int kNumberBox = 0;
inline constexpr int kJoinDateBox = 1;
inline constexpr int kRenewDateBox = 2;
inline constexpr int kFeeBox = 3;
inline constexpr int kBirthdayBox = 4;
inline constexpr int kSurnameBox = 7;
inline constexpr int kAddress1Box = 8;
inline constexpr int kPostCodeBox = 13;
inline constexpr int kEmailBox = 18;
inline constexpr int kEmail2Box = 19;
inline constexpr int kMemberTypeBox = 20;
inline constexpr int kFirstLookupBox = 21;
inline constexpr int kLastLookupBox = 26;
inline constexpr int kNotesBox = 28;

// The Zelk field of box `index`.
QString boxField(int index);

// The most characters box `index` can hold: its field's size, the digits of the largest
// number for the Number box; 0 for the boxes without a limit of their own (dates, the
// fee and the notes, whose values are checked as a whole).
int boxFieldSize(int index);

// The caption Label1(i) that names box `index`: one caption serves the five address lines,
// and one the six lookups.
int labelOfBox(int index);

enum class BoxKind { Number, Date, Amount, Capitalised, PostCode, Plain, Email, FromList, Notes };
BoxKind boxKind(int index);

} // namespace zelk
