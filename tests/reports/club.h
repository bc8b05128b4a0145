#pragma once
// A small club for the report tests: members on both sides of every bound the reports
// window can set, written to a register of the test's own.
#include <QString>
#include <QVariantMap>
#include <memory>

namespace zelk {
class Database;
}

namespace zelk::test {

// Builds a register at `path` holding `members` (fields by name) and nothing else.
std::unique_ptr<Database> buildRegister(const QString& path, const QList<QVariantMap>& members);

// Seven members, numbered 1 to 6 and 20, on both sides of every bound.
QList<QVariantMap> club();

} // namespace zelk::test
