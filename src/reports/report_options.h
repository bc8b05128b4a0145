#pragma once
// What the reports window hands to its outputs: which members, in which order (the range,
// priority and reverse boxes, the lapsed filter), and what each member's entry shows (the
// include ticks, the name order, upper case, the heading). Plain values, so the selection
// query and every output are worked out and tested without a window.
#include <QString>
#include <array>

namespace zelk::reports {

// The report type buttons, numbered as optReport is.
enum class ReportType { None = -1, Labels = 0, List = 1, File = 2, Email = 3 };

// The button a "ReportType" setting selects: "Labels", "List", "File" or "E-mail"; any
// other value selects none.
ReportType reportTypeFromSetting(const QString& value);

// optLapsed: Include, Exclude, Only lapsed; None when no button is selected.
enum class LapsedFilter { None = -1, Include = 0, Exclude = 1, OnlyLapsed = 2 };

// The boxes of txtRange, as the window numbers them.
namespace range {
inline constexpr int SurnameFrom = 0, SurnameTo = 1, TypeFrom = 2, TypeTo = 3, NumberFrom = 4, NumberTo = 5,
                     PostCodeFrom = 6, PostCodeTo = 7, LookupFrom = 8, LookupTo = 9;
// The first box (the day) of each date: day, month and year follow one another.
inline constexpr int BirthdayFrom = 10, BirthdayTo = 13, RenewalFrom = 16, RenewalTo = 19;
inline constexpr int Count = 22;

// The boxes that take digits only: the numbers and every day, month and year.
bool takesDigitsOnly(int box);
bool isDateBox(int box);
} // namespace range

// The sort keys, as txtPriority and chkDesc number them.
inline constexpr int kSortKeys = 5;   // surname, membership type, number, post code, lookup

// The members a report takes and their order.
struct ReportRanges {
    std::array<QString, range::Count> txtRange{};
    std::array<QString, kSortKeys> txtPriority{};
    std::array<bool, kSortKeys> chkDesc{};
    LapsedFilter lapsed = LapsedFilter::None;
};

// The include ticks, as chkInclude numbers them.
namespace include {
inline constexpr int Phone = 0, MemberType = 1, RenewDate = 2, Lookups = 3, Number = 4, Birthday = 5, Email = 6;
inline constexpr int Count = 7;
} // namespace include

// What a member's entry in a report shows. Labels read Number (chkInclude(4)) and
// upperCase; the list report reads them all; the data export reads upperCase only.
struct ReportContent {
    std::array<bool, include::Count> chkInclude{};
    bool surnameFirst = false;   // optNameOrder(1) "Surname 1st"; otherwise title first
    bool upperCase = false;      // chkUpper
    QString heading;             // txtHeading, as it stands
};

} // namespace zelk::reports
