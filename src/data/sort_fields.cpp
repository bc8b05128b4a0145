#include "sort_fields.h"

namespace zelk {

namespace {

constexpr std::array<SortField, 5> kSortFields{{
    {SortKey::MemberType, QLatin1String("MemberType"), QLatin1String("Membership &Type"), Qt::Key_T,
     QLatin1String("Search for Membership Type:")},
    {SortKey::Number, QLatin1String("Number"), QLatin1String("&Number"), Qt::Key_N, QLatin1String("Search for Number:")},
    {SortKey::RenewDate, QLatin1String("RenewDate"), QLatin1String("&Renewal Date"), Qt::Key_R,
     QLatin1String("Search for Renewal Date:")},
    {SortKey::PostCode, QLatin1String("PostCode"), QLatin1String("&Post Code"), Qt::Key_P,
     QLatin1String("Search for Post Code:")},
    {SortKey::Surname, QLatin1String("Surname"), QLatin1String("&Surname"), Qt::Key_S, QLatin1String("Search for Surname:")},
}};

} // namespace

const SortField& sortField(SortKey key)
{
    return kSortFields[size_t(key)];
}

const SortField* findSortField(const QString& field)
{
    for (const SortField& f : kSortFields)
        if (field == f.field)
            return &f;
    return nullptr;
}

} // namespace zelk
