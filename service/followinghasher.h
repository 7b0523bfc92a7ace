#pragma once

#include "sha256.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace haulmoor {

// SHA-256 of a file that is being written, taken on a thread of its own that
// reads just behind the writer. The bytes come back from the page cache, so
// the writer keeps curl's pace while the hash runs on the other core, and
// what is compared is what the file really holds. When the writer is done
// only the last piece is left to hash.
class FollowingHasher
{
public:
    static constexpr std::size_t kPieceBytes = 256 * 1024;

    FollowingHasher() = default;
    ~FollowingHasher();
    FollowingHasher(const FollowingHasher&) = delete;
    FollowingHasher& operator=(const FollowingHasher&) = delete;

    // Starts hashing path from its first byte; any earlier run is dropped.
    // False when the file cannot be read.
    bool start(const std::string& path);
    // The writer has put size bytes into the file; they may be hashed now.
    void grewTo(std::int64_t size);
    // Hashes up to the last size given and returns the lower-case hex
    // digest, or "failed" when the file could not be read back.
    std::string finish();
    // Stops without a digest, for a download that is dropped.
    void abandon();

private:
    void run();
    void stopThread();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::int64_t m_size = 0;  // bytes the writer has put in
    bool m_finishing = false; // no more bytes will come
    std::atomic<bool> m_stop{false};
    std::FILE* m_file = nullptr;
    Sha256 m_hash;
    bool m_failed = false; // touched by the thread only while it runs
};

} // namespace haulmoor
