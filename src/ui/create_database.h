#pragma once
// Making the register's file when the program finds none.
namespace zelk {

struct AppState;

// Builds the register at DatabasePath and records its path in the ZelkDB setting, also
// when the file was there already. Returns false when building failed and the program
// must end (the user has been told).
bool CreateDatabase(AppState& state);

} // namespace zelk
