#pragma once
// Long network work without a frozen window: the work runs on a thread of its own while
// this thread keeps drawing and running its timers. The user's clicks and keys are held
// back meanwhile, and reach the window the next time events run in full.
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class QAbstractEventDispatcher;

namespace zelk::mail {

// A thread that runs one piece of work at a time for this thread, kept for a series of
// them (a mail run), so no piece pays for starting a thread.
class AsideThread {
public:
    AsideThread();
    ~AsideThread();
    AsideThread(const AsideThread&) = delete;
    AsideThread& operator=(const AsideThread&) = delete;

    // Runs `work` on the thread and returns when it has ended, throwing what it threw.
    // Without an application object it simply runs `work` here.
    void run(const std::function<void()>& work);

private:
    void serve();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    const std::function<void()>* m_work = nullptr;
    QAbstractEventDispatcher* m_waiting = nullptr;   // the event loop of the thread that waits
    bool m_done = false;
    bool m_stop = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

// One piece of work on a thread started for it.
void runAside(const std::function<void()>& work);

} // namespace zelk::mail
