#include "member_boxes.h"

#include "data/schema.h"

namespace zelk {

QString boxField(int index)
{
    // The boxes hold the catalogue's fields in its order, from Number to Memo.
    const auto& catalogue = schema::memberFieldCatalogue();
    return index >= 0 && index < kBoxCount ? catalogue[size_t(index)].field : QString();
}

int boxFieldSize(int index)
{
    if (index == kNumberBox)
        return 10;   // 2147483647
    const auto& catalogue = schema::memberFieldCatalogue();
    return index > 0 && index < kBoxCount ? catalogue[size_t(index)].size : 0;
}

int labelOfBox(int index)
{
    if (index <= kSurnameBox)
        return index;
    if (index <= 12)
        return 8;
    if (index <= kMemberTypeBox)
        return index - 4;
    if (index <= kLastLookupBox)
        return 17;
    return index - 9;   // 27 http://, 28 Notes
}

BoxKind boxKind(int index)
{
    if (index == kNumberBox)
        return BoxKind::Number;
    if (index == kJoinDateBox || index == kRenewDateBox || index == kBirthdayBox)
        return BoxKind::Date;
    if (index == kFeeBox)
        return BoxKind::Amount;
    if ((index >= 5 && index <= 12))
        return BoxKind::Capitalised;
    if (index == kPostCodeBox)
        return BoxKind::PostCode;
    if (index == kEmailBox || index == kEmail2Box)
        return BoxKind::Email;
    if (index >= kMemberTypeBox && index <= kLastLookupBox)
        return BoxKind::FromList;
    if (index == kNotesBox)
        return BoxKind::Notes;
    return BoxKind::Plain;
}

} // namespace zelk
