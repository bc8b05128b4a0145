#pragma once
// The register carries its schema version in the file (PRAGMA user_version), and start-up
// brings an older register up to date one step at a time, all the steps in one transaction,
// so a register is either wholly of the new version or left exactly as it was.
//
//   0  a register made before the version was kept: it may lack table Labels or some of
//      the six default label sheets (a register of an earlier release)
//   1  Labels and its six default sheets are there
#include <functional>

namespace zelk {

class Database;

inline constexpr int kSchemaVersion = 1;

// The version a register of this program's tables has, or is brought to, step by step.
// Does nothing to a file without the tables Zelk and Settings (another program's database,
// which must be left as it is) or to one of kSchemaVersion or later. Throws EngineError
// when a step fails; nothing of any step is then kept.
void upgradeRegister(Database& db);

} // namespace zelk
