#pragma once
// Turns SQLite's result codes into the engine's numbered errors.
#include "engine_error.h"

struct sqlite3;

namespace zelk {

// The error for a failed SQLite call on `db` with result code `rc`; `context` is the SQL
// text or the operation, for the description.
EngineError sqliteError(sqlite3* db, int rc, const QString& context);

// Throws sqliteError when rc is not SQLITE_OK, SQLITE_ROW or SQLITE_DONE.
void checkSqlite(sqlite3* db, int rc, const QString& context);

} // namespace zelk
