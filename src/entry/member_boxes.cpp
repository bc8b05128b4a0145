#include "member_boxes.h"

#include <QStringList>

namespace zelk {

QString boxField(int index)
{
    static const QStringList fields = [] {
        QStringList f{QStringLiteral("Number"), QStringLiteral("JoinDate"), QStringLiteral("RenewDate"),
                      QStringLiteral("FeePaid"), QStringLiteral("Birthday"), QStringLiteral("Title"),
                      QStringLiteral("FirstName"), QStringLiteral("Surname")};
        for (int i = 1; i <= 5; ++i)
            f << QStringLiteral("Address%1").arg(i);
        f << QStringLiteral("PostCode") << QStringLiteral("Phone") << QStringLiteral("WorkPhone") << QStringLiteral("Fax")
          << QStringLiteral("Mobile") << QStringLiteral("Email") << QStringLiteral("Email2") << QStringLiteral("MemberType");
        for (int i = 1; i <= 6; ++i)
            f << QStringLiteral("Lookup%1").arg(i);
        f << QStringLiteral("InternetLink") << QStringLiteral("Memo");
        return f;
    }();
    return fields.value(index);
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
