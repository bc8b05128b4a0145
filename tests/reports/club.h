#pragma once
// A small club for the report tests: members on both sides of every bound the reports
// window can set, written to a register of the test's own.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

namespace zelk {
class Database;
}

namespace zelk::test {

// Number|Surname|MemberType|PostCode|lookups (slot=value, comma-separated)|Birthday|RenewDate|lapsed
// The register's placeholder member is removed.
const QStringList& clubMembers();

// Builds a register at `path` holding `members` (fields by name) and nothing else.
std::unique_ptr<Database> buildRegister(const QString& path, const QList<QVariantMap>& members);

// The club above as field maps.
QList<QVariantMap> club();

} // namespace zelk::test
