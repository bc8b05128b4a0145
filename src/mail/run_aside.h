#pragma once
// Long network work without a frozen window: the work runs on a thread of its own while
// this thread keeps drawing and running its timers. The user's clicks and keys are held
// back meanwhile, and reach the window the next time events run in full.
#include <functional>

namespace zelk::mail {

// Runs `work` on another thread and returns when it has ended, throwing what it threw.
// Without an application object it simply runs `work` here.
void runAside(const std::function<void()>& work);

} // namespace zelk::mail
