#include "club.h"

#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

namespace zelk::test {

const QStringList& clubMembers()
{
    static const QStringList members{
        "1|Adams|Full|AB1 2CD|1=Bowls|1949-12-31|2026-03-31|",
        "2|Brown|Family|AB2 9ZZ|5=Chess|1950-01-01|2026-04-01|",
        "3|Smith|Junior|CD3 4GH|1=  |1959-12-31|2026-04-30|lapsed",
        "4|Smithers|Full|ab1 9zz||1960-01-01|2026-05-01|",
        "5|Jones|Senior|EF5 6IJ|6=Darts,2=|||lapsed",
        "6|Müller|full|GH7 8KL|3=bridge|1955-06-15|2026-04-15|",
        "20|Quinn|Family|||||",
    };
    return members;
}

QList<QVariantMap> club()
{
    QList<QVariantMap> out;
    for (const QString& line : clubMembers()) {
        const QStringList v = line.split(u'|');
        QVariantMap m{{"Number", v[0].toInt()}, {"Surname", v[1]}, {"MemberType", v[2]}, {"Address1", "1 High St"}};
        if (!v[3].isEmpty())
            m.insert("PostCode", v[3]);
        for (const QString& lookup : v[4].split(u',', Qt::SkipEmptyParts))
            m.insert("Lookup" + lookup.section(u'=', 0, 0), lookup.section(u'=', 1));
        if (!v[5].isEmpty())
            m.insert("Birthday", QDate::fromString(v[5], Qt::ISODate));
        if (!v[6].isEmpty())
            m.insert("RenewDate", QDate::fromString(v[6], Qt::ISODate));
        m.insert("Lapsed", v[7] == "lapsed");
        out << m;
    }
    return out;
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
