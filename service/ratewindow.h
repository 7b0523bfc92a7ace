#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <utility>

namespace haulmoor {

// Bytes per second over the last two seconds of samples.
class RateWindow
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kSpan{2000};

    // Records that received bytes had arrived at time now; returns the rate.
    std::int64_t add(Clock::time_point now, std::int64_t received);
    void clear() { m_samples.clear(); }

private:
    std::deque<std::pair<Clock::time_point, std::int64_t>> m_samples;
};

} // namespace haulmoor
