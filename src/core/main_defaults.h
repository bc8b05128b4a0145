#pragma once
// Reading the per-user defaults into the shared state.
#include <QString>

namespace zelk {

struct AppState;

// A stored flag or number as a whole number: " -1 " is -1, "1.0" is 1. Throws EngineError
// TypeMismatch (13) for a text that is not a whole number ("abc", "", "1.5").
int toWholeNumber(const QString& text);

// The sort field and the capitalisation flag, as the main window reads them when it loads.
void LoadMainDefaults(AppState& state);

} // namespace zelk
