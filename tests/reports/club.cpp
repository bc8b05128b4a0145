#include "club.h"

#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QDate>

namespace zelk::test {

// Lookups hold values in different slots, one of blanks and one empty; some members have
// no post code, birthday or renewal date (Null).
QList<QVariantMap> club()
{
    return {
        {{"Number", 1}, {"Surname", "Adams"}, {"MemberType", "Full"}, {"Address1", "1 High St"}, {"PostCode", "AB1 2CD"},
         {"Lookup1", "Bowls"}, {"Birthday", QDate(1949, 12, 31)}, {"RenewDate", QDate(2026, 3, 31)}, {"Lapsed", false}},
        {{"Number", 2}, {"Surname", "Brown"}, {"MemberType", "Family"}, {"Address1", "1 High St"}, {"PostCode", "AB2 9ZZ"},
         {"Lookup5", "Chess"}, {"Birthday", QDate(1950, 1, 1)}, {"RenewDate", QDate(2026, 4, 1)}, {"Lapsed", false}},
        {{"Number", 3}, {"Surname", "Smith"}, {"MemberType", "Junior"}, {"Address1", "1 High St"}, {"PostCode", "CD3 4GH"},
         {"Lookup1", "  "}, {"Birthday", QDate(1959, 12, 31)}, {"RenewDate", QDate(2026, 4, 30)}, {"Lapsed", true}},
        {{"Number", 4}, {"Surname", "Smithers"}, {"MemberType", "Full"}, {"Address1", "1 High St"}, {"PostCode", "ab1 9zz"},
         {"Birthday", QDate(1960, 1, 1)}, {"RenewDate", QDate(2026, 5, 1)}, {"Lapsed", false}},
        {{"Number", 5}, {"Surname", "Jones"}, {"MemberType", "Senior"}, {"Address1", "1 High St"}, {"PostCode", "EF5 6IJ"},
         {"Lookup6", "Darts"}, {"Lookup2", ""}, {"Lapsed", true}},
        {{"Number", 6}, {"Surname", "Müller"}, {"MemberType", "full"}, {"Address1", "1 High St"}, {"PostCode", "GH7 8KL"},
         {"Lookup3", "bridge"}, {"Birthday", QDate(1955, 6, 15)}, {"RenewDate", QDate(2026, 4, 15)}, {"Lapsed", false}},
        {{"Number", 20}, {"Surname", "Quinn"}, {"MemberType", "Family"}, {"Address1", "1 High St"}, {"Lapsed", false}},
    };
}

std::unique_ptr<Database> buildRegister(const QString& path, const QList<QVariantMap>& members)
{
    buildNewDatabase(path);
    auto db = Database::open(path);
    db->execute(QStringLiteral("Delete from Zelk"));
    auto rs = db->openRecordset(QStringLiteral("Zelk"));
    for (const QVariantMap& member : members) {
        rs->addNew();
        for (auto it = member.begin(); it != member.end(); ++it)
            rs->setField(it.key(), it.value());
        rs->update();
    }
    return db;
}

} // namespace zelk::test
