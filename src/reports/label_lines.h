#pragma once
// What one address label says: the name line, the address lines and the last line with
// the town, the post code and, when asked for, the membership number after a tab.
#include <QStringList>
#include <QVariant>
#include <array>

namespace zelk {

class Recordset;

// The fields of a member that a label shows; a null QVariant is Null.
struct LabelMember {
    QVariant title, firstName, surname;
    std::array<QVariant, 5> address;   // Address1 to Address5
    QVariant postCode;
    QVariant number;
};

// The member the record set stands on.
LabelMember labelMemberOf(const Recordset& members);

struct LabelContent {
    bool upperCase = false;   // every part in capitals (the number is digits anyway)
    bool number = false;      // the membership number after the post code, behind a tab
};

// The label's text, each line ended by "\n". The name line is Title, FirstName and
// Surname, each not Null, with a blank after the first two; without a surname it is not
// ended, and the first address line follows on it. Address1 to Address4 follow, each
// that is present (not Null and not blank) on its own line. The last line is Address5
// and ", " when Address5 is present, then the post code when present, then a tab and the
// number when asked for. Without a post code the number, when asked for and not Null,
// still ends the label after a tab. The number is written without grouping.
QString labelText(const LabelMember& member, const LabelContent& content);

// The texts of the labels of the members from the record set's current row to its end,
// which it is left at.
QStringList labelTexts(Recordset& members, const LabelContent& content);

} // namespace zelk
