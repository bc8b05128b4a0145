#include "main_window_bench.h"

#include "timing.h"

#include "core/app_state.h"
#include "entry/frm_zelk_main.h"

#include <vector>

namespace zelk::bench {

NavigationTimes timeNavigation(const QString& path, int moves)
{
    AppState state;
    state.DatabasePath = path;
    state.openRegister(membersInOrder(QStringLiteral("Surname")));

    frmZelkMain window(state);
    window.show();
    std::vector<double> next, previous;
    for (int k = 0; k < moves; ++k)
        next.push_back(elapsedMs([&] { window.cmdNext_Click(2); }));
    for (int k = 0; k < moves; ++k)
        previous.push_back(elapsedMs([&] { window.cmdNext_Click(1); }));
    const double slowest = std::max(*std::max_element(next.begin(), next.end()),
                                    *std::max_element(previous.begin(), previous.end()));
    return {median(next), median(previous), slowest, moves};
}

} // namespace zelk::bench
