#pragma once
// The names of the register's fields that the program reads and writes by name, so each is
// spelled in one place. The member fields shown in the main window's boxes are listed with
// their flags and captions in the member field catalogue (schema.h), the value fields of
// the two lists in queries.h.
#include <QLatin1String>

namespace zelk::field {

// Zelk
inline constexpr QLatin1String Number{"Number"};
inline constexpr QLatin1String Surname{"Surname"};
inline constexpr QLatin1String FirstName{"FirstName"};
inline constexpr QLatin1String Address1{"Address1"};
inline constexpr QLatin1String RenewDate{"RenewDate"};
inline constexpr QLatin1String MemberType{"MemberType"};
inline constexpr QLatin1String Memo{"Memo"};
inline constexpr QLatin1String Picture{"Picture"};
inline constexpr QLatin1String Lapsed{"Lapsed"};

// Settings
inline constexpr QLatin1String LastNumber{"LastNumber"};
inline constexpr QLatin1String YearStart{"YearStart"};
inline constexpr QLatin1String YearEnd{"YearEnd"};

} // namespace zelk::field

namespace zelk {

// The largest membership number a member can have: Number, like the counter, is a Long.
inline constexpr long long kLargestMemberNumber = 2147483647;

} // namespace zelk
