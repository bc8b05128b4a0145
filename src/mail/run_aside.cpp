#include "run_aside.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

namespace zelk::mail {

AsideThread::AsideThread()
    : m_thread([this] { serve(); })
{
}

AsideThread::~AsideThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void AsideThread::serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || (m_work && !m_done); });
        if (m_stop)
            return;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*m_work)();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_failure = failure;
        m_done = true;
        // The waiting thread sleeps in its event loop: wake it to look.
        if (m_waiting)
            m_waiting->wakeUp();
    }
}

void AsideThread::run(const std::function<void()>& work)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!QCoreApplication::instance() || !dispatcher) {
        work();
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = dispatcher;
        m_work = &work;
        m_done = false;
        m_failure = nullptr;
    }
    m_wake.notify_all();
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_done)
                break;
        }
        // Drawing and timers, not the user's input; returns when the work wakes it.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    std::exception_ptr failure;
    {
        const std::lock_guard lock(m_mutex);
        m_work = nullptr;
        failure = m_failure;
    }
    if (failure)
        std::rethrow_exception(failure);
}

void runAside(const std::function<void()>& work)
{
    AsideThread thread;
    thread.run(work);
}

} // namespace zelk::mail
