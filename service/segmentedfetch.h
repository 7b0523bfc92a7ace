#pragma once

#include "wirelink/wirelink.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class PositionalFile;
}

namespace haulmoor {

class FollowingHasher;

// One package fetched over several connections at once, each streaming its
// own part straight into its place in the file. A long link, which one TCP
// connection cannot fill, is filled by several. All connections are moved on
// by the calling thread.
//
// The parts are laid out at once and the first connection asks for the
// first. Once its answer shows that ranges are served, the others join when
// the link is long (the answer took 40 ms or more: a round trip of some
// 20 ms on a new connection) or the stream slow (after half a second the
// rest would take over two at its pace); until then it goes from part to
// part alone. On a short, fast link one stream is all there is:
// every part beyond the first leaves the checksum more to read at the end.
// A part that breaks is resumed where it broke (If-Range holds it to the
// package begun); a connection that is done takes over a part nobody serves
// or the second half of the largest part still to come, so all end
// together. The file's contiguous beginning is handed to the hasher as it
// grows, so the checksum reads every byte once, in order.
class SegmentedFetch
{
public:
    enum class Outcome
    {
        Complete,
        Changed, // the package is not the one begun: start again from 0
        Failed,  // a wrong answer, a write error, or no connection got on
        Cancelled,
    };

    using Clock = std::chrono::steady_clock;
    // Waits out a pause before a resume in place of the fetch's own timer;
    // false when the fetch is to stop.
    using PauseFunction = std::function<bool(std::chrono::milliseconds)>;

    // clients: one wirelink client handle per connection, at least one; the
    // caller keeps them and the file and hasher (which may be null: no
    // checksum) for as long as run() runs.
    SegmentedFetch(std::string url, std::int64_t total, std::vector<int> clients,
                   platform::PositionalFile& file, FollowingHasher* hasher);
    ~SegmentedFetch();
    SegmentedFetch(const SegmentedFetch&) = delete;
    SegmentedFetch& operator=(const SegmentedFetch&) = delete;

    void setStallTimeout(std::chrono::milliseconds stall) { m_stall = stall; }
    // One pause per resume of a part, in order; when a part has used them
    // all without a byte its connection is given up, and the fetch fails
    // only once no connection is left.
    void setResumePauses(std::vector<std::chrono::milliseconds> pauses) { m_pauses = std::move(pauses); }
    void setPauseFunction(PauseFunction pause) { m_pause = std::move(pause); }
    // No part is split for a connection that is done when fewer than twice
    // this many bytes of it are left.
    void setMinimumSplit(std::int64_t bytes) { m_minimumSplit = bytes; }
    // A first answer this slow in coming means a long link: the others join
    // at once. Tests make it 0.
    void setLongLink(std::chrono::milliseconds latency) { m_longLink = latency; }
    // Asked at least every 50 ms: true ends the fetch as cancelled.
    void setStopCheck(std::function<bool()> stop) { m_stopRequested = std::move(stop); }
    // Told the bytes written so far, on the fetch's thread, after each step.
    void setProgress(std::function<void(std::int64_t)> progress) { m_progress = std::move(progress); }

    Outcome run();

    std::int64_t received() const { return m_received; }
    // True when the fetch failed because a connection could not be trusted;
    // the thread's last wirelink error then says why.
    bool connectionRefused() const { return m_connectionRefused; }

private:
    struct Range;
    struct Slot;

    bool splitWanted(Clock::time_point now) const;
    bool split();
    bool start(Slot& slot);
    bool accept(Slot& slot, const StreamRecord& answer);
    bool take(Slot& slot, const char* data, std::size_t length);
    // What a part's ended exchange means for the fetch; Complete: go on.
    Outcome settle(Slot& slot);
    Outcome retry(Slot& slot);
    bool giveWork(Slot& slot);
    bool anyOtherUsable(const Slot& slot) const;
    bool anyActive() const;
    void noteContiguous();
    std::chrono::milliseconds nextWait(Clock::time_point now) const;

    std::string m_url;
    std::int64_t m_total;
    std::vector<int> m_clients;
    platform::PositionalFile& m_file;
    FollowingHasher* m_hasher;
    std::chrono::milliseconds m_stall{10000};
    std::vector<std::chrono::milliseconds> m_pauses;
    PauseFunction m_pause;
    std::int64_t m_minimumSplit = 4 * 1024 * 1024;
    std::chrono::milliseconds m_longLink{40};
    std::function<bool()> m_stopRequested;
    std::function<void(std::int64_t)> m_progress;

    int m_group = -1;
    std::vector<std::unique_ptr<Range>> m_ranges; // in file order, together the whole file
    std::vector<std::unique_ptr<Slot>> m_slots;   // one per connection
    std::string m_validator;                      // ETag or Last-Modified every answer must carry
    bool m_rangesServed = false;
    bool m_split = false; // the others joined, or never will
    bool m_splitDue = false;
    std::chrono::milliseconds m_latency{-1}; // of the first answer
    Clock::time_point m_firstByte;
    std::int64_t m_received = 0;
    std::int64_t m_contiguous = 0;
    bool m_writeFailed = false;
    bool m_connectionRefused = false;
};

} // namespace haulmoor
