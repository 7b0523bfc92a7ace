#pragma once

#include "sha256.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace haulmoor {

// SHA-256 on a thread of its own, fed the bytes as they are written, so
// hashing overlaps the transfer instead of slowing it. At most a few pieces
// wait at a time; add() blocks beyond that, which bounds the memory.
class HashPipeline
{
public:
    static constexpr std::size_t kMaxWaiting = 4;

    HashPipeline() = default;
    ~HashPipeline();
    HashPipeline(const HashPipeline&) = delete;
    HashPipeline& operator=(const HashPipeline&) = delete;

    // Call from one thread only.
    void add(const char* data, std::size_t length);
    void reset();
    // Lower-case hex of everything added since the last reset.
    std::string hexDigest();

private:
    void run();
    void waitUntilIdle(std::unique_lock<std::mutex>& lock);

    Sha256 m_hash;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<char>> m_waiting;
    std::vector<std::vector<char>> m_spare;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace haulmoor
