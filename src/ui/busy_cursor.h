#pragma once
// Long work shows the hourglass pointer for exactly as long as a BusyCursor lives.

namespace zelk {

class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Lets pending window events run (drawing, clicks) at the points where long work allows it.
void letEventsRun();

} // namespace zelk
