#include "schema_version.h"

#include "create_db.h"

#include "engine/database.h"
#include "engine/transaction_guard.h"

#include <QString>
#include <array>

namespace zelk {

namespace {

// Step n brings a register of version n to version n + 1.
const std::array<std::function<void(Database&)>, kSchemaVersion> kSteps{
    [](Database& db) { addMissingLabelSheets(db); },
};

} // namespace

void upgradeRegister(Database& db)
{
    if (!db.tableExists(QStringLiteral("Zelk")) || !db.tableExists(QStringLiteral("Settings")))
        return;
    int version = db.userVersion();
    if (version >= kSchemaVersion)
        return;
    TransactionGuard transaction(db);
    for (; version < kSchemaVersion; ++version)
        kSteps[size_t(version)](db);
    db.setUserVersion(kSchemaVersion);
    transaction.commit();
}

} // namespace zelk
