#include "threadpool.h"

#include <chrono>

namespace haulmoor::threadpool {

ThreadPool::ThreadPool(int count) : m_count(count) {}

ThreadPool::~ThreadPool()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    for (auto& worker : m_workers)
        worker.join();
}

void ThreadPool::start()
{
    m_workers.reserve(static_cast<std::size_t>(m_count));
    for (int i = 0; i < m_count; ++i)
        m_workers.emplace_back([this] { workerLoop(); });
}

void ThreadPool::workerLoop()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_wake.wait(lock, [this] { return m_stop || !m_tasks.empty(); });
            if (m_stop && m_tasks.empty())
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop();
        }
        task();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace haulmoor::threadpool
