#pragma once
// The five orders the members can be shown in. Each is a field of Zelk, which is also the
// value SortOrder and its setting hold and the field the search window looks in. The main
// window's Sort Order menu, the search window's menu and the defaults window's start-up
// options all show the same caption for a field, each in an order of its own.
#include <QLatin1String>
#include <QString>
#include <QtCore/qnamespace.h>
#include <array>

namespace zelk {

enum class SortKey { MemberType, Number, RenewDate, PostCode, Surname };

struct SortField {
    SortKey key;
    QLatin1String field;           // "MemberType"
    QLatin1String caption;         // "Membership &Type": the menu item or option for it
    Qt::Key shortcut;              // with Ctrl, on the main window's menu
    QLatin1String searchCaption;   // "Search for Membership Type:": the search window's frame
};

const SortField& sortField(SortKey key);
// The sort field whose field is `field`; nothing for a name that is not one of the five.
const SortField* findSortField(const QString& field);

// The order of the items of the main window's Sort Order menu, of the search window's menu,
// and of the defaults window's "Sort order on start-up" options.
inline constexpr std::array<SortKey, 5> kMainSortMenu{SortKey::MemberType, SortKey::Number, SortKey::RenewDate,
                                                      SortKey::PostCode, SortKey::Surname};
inline constexpr std::array<SortKey, 5> kSearchSortMenu{SortKey::MemberType, SortKey::Number, SortKey::PostCode,
                                                        SortKey::RenewDate, SortKey::Surname};
inline constexpr std::array<SortKey, 5> kStartupSortOptions{SortKey::Surname, SortKey::Number, SortKey::MemberType,
                                                            SortKey::PostCode, SortKey::RenewDate};

} // namespace zelk
