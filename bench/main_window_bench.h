#pragma once
// What moving through a large register costs in the main window: each Next or Previous
// moves the member record set and shows the member (RefreshData).
#include <QString>

namespace zelk::bench {

struct NavigationTimes {
    double nextMs;       // median of one Next, RefreshData included
    double previousMs;   // the same for Previous
    double slowestMs;    // the slowest single move seen
    int moves;
};

// Opens the register at `path` as the program does and times `moves` Nexts from the
// first member, then as many Previous moves back. Needs a QApplication.
NavigationTimes timeNavigation(const QString& path, int moves = 2000);

} // namespace zelk::bench
