#pragma once
// The browser search of start-up and of the reports window.
namespace zelk {

struct AppState;

// Sets BrowserPath to the desktop's browser and stores it as the WebBrowser setting;
// tells the user when there is none (BrowserPath is then empty and nothing is stored).
void FindBrowser(AppState& state);

} // namespace zelk
