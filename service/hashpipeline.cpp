#include "hashpipeline.h"

namespace haulmoor {

HashPipeline::~HashPipeline()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void HashPipeline::add(const char* data, std::size_t length)
{
    if (length == 0)
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_changed.wait(lock, [this] { return m_waiting.size() < kMaxWaiting; });
    std::vector<char> piece;
    if (!m_spare.empty()) {
        piece = std::move(m_spare.back());
        m_spare.pop_back();
    }
    piece.assign(data, data + length);
    m_waiting.push_back(std::move(piece));
    lock.unlock();
    m_changed.notify_all();
}

void HashPipeline::reset()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    waitUntilIdle(lock);
    m_hash.reset();
}

std::string HashPipeline::hexDigest()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    waitUntilIdle(lock);
    return m_hash.hexDigest();
}

void HashPipeline::waitUntilIdle(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return m_waiting.empty() && !m_busy; });
}

void HashPipeline::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || !m_waiting.empty(); });
        if (m_waiting.empty())
            return; // stopping, and nothing left
        std::vector<char> piece = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        m_hash.add(piece.data(), piece.size());
        lock.lock();
        m_busy = false;
        if (m_spare.size() < kMaxWaiting)
            m_spare.push_back(std::move(piece));
        m_changed.notify_all();
    }
}

} // namespace haulmoor
