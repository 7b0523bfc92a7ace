#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <queue>
#include <stdexcept>
#include <thread>
#include <vector>

namespace haulmoor::threadpool {

// A fixed set of workers over one FIFO of tasks. Destroying the pool lets the
// workers finish every task already queued before they end.
class ThreadPool
{
public:
    explicit ThreadPool(int count);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    void start();

    // A task's result and exceptions stay in the returned future; callers
    // that drop it discard them.
    template <typename Callable> std::future<void> addTask(Callable&& callable)
    {
        auto task = std::make_shared<std::packaged_task<void()>>(std::forward<Callable>(callable));
        std::future<void> result = task->get_future();
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_stop)
                throw std::runtime_error("addTask on stopped ThreadPool");
            m_tasks.emplace([task] { (*task)(); });
        }
        m_wake.notify_one();
        return result;
    }

    int workerCount() const { return m_count; }

private:
    void workerLoop();

    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::vector<std::thread> m_workers;
    std::queue<std::function<void()>> m_tasks;
    int m_count;
};

} // namespace haulmoor::threadpool
