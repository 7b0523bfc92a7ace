#include "ratewindow.h"

namespace haulmoor {

std::int64_t RateWindow::add(Clock::time_point now, std::int64_t received)
{
    m_samples.emplace_back(now, received);
    // Keep one sample at or beyond the span's start, so the window covers
    // the whole two seconds once there is that much history.
    while (m_samples.size() > 2 && now - m_samples[1].first >= kSpan)
        m_samples.pop_front();
    const auto& [since, then] = m_samples.front();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - since).count();
    if (elapsed <= 0 || received < then)
        return 0;
    return (received - then) * 1000 / elapsed;
}

} // namespace haulmoor
