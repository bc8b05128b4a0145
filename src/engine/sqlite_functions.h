#pragma once
// The collation and functions the program's SQL relies on, registered on each connection.
struct sqlite3;

namespace zelk {

// Registers the "zelk" collation (for the user's language at this moment), like with the
// program's wildcards, and UCase, LCase, TrimLeft and TrimRight.
void registerSqlFunctions(sqlite3* db);

} // namespace zelk
