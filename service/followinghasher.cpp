#include "followinghasher.h"

#include <algorithm>
#include <vector>

namespace haulmoor {

FollowingHasher::~FollowingHasher()
{
    abandon();
}

bool FollowingHasher::start(const std::string& path)
{
    abandon();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    // Unbuffered: a buffered read could run ahead of what is known written.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    m_hash.reset();
    m_failed = false;
    m_size = 0;
    m_finishing = false;
    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void FollowingHasher::grewTo(std::int64_t size)
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_size = size;
    }
    m_wake.notify_one();
}

std::string FollowingHasher::finish()
{
    if (!m_thread.joinable())
        return "failed";
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finishing = true;
    }
    m_wake.notify_one();
    m_thread.join();
    std::fclose(m_file);
    m_file = nullptr;
    if (m_failed)
        return "failed";
    return m_hash.hexDigest();
}

void FollowingHasher::abandon()
{
    stopThread();
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void FollowingHasher::stopThread()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    {
        // Taken so the thread cannot miss the wake between its check and wait.
        std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_wake.notify_one();
    m_thread.join();
}

void FollowingHasher::run()
{
    std::vector<char> piece(kPieceBytes);
    std::int64_t hashed = 0;
    for (;;) {
        std::int64_t size = 0;
        bool last = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            // Whole pieces while the writer is busy: fewer, larger reads.
            m_wake.wait(lock, [&] {
                return m_stop || m_finishing || m_size - hashed >= static_cast<std::int64_t>(kPieceBytes);
            });
            size = m_size;
            last = m_finishing;
        }
        while (hashed < size) {
            if (m_stop)
                return;
            const auto want = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(kPieceBytes), size - hashed));
            const std::size_t got = std::fread(piece.data(), 1, want, m_file);
            if (got != want) {
                // The file is shorter than written or unreadable: no digest
                // can vouch for it.
                m_failed = true;
                return;
            }
            m_hash.add(piece.data(), got);
            hashed += static_cast<std::int64_t>(got);
        }
        if (m_stop || last)
            return;
    }
}

} // namespace haulmoor
