#include "terminationwatch.h"

#include "platform/readiness.h"
#include "platform/stopsignals.h"

#include <cstdio>
#include <cstdlib>

namespace haulmoor {

TerminationWatch::TerminationWatch(std::function<void()> onFirst, std::chrono::milliseconds cleanUpLimit)
    : m_onFirst(std::move(onFirst)), m_limit(cleanUpLimit)
{
    if (platform::StopSignals::install())
        m_thread = std::thread([this] { run(); });
}

TerminationWatch::~TerminationWatch()
{
    m_over.set();
    if (m_thread.joinable())
        m_thread.join();
}

void TerminationWatch::run()
{
    using Clock = std::chrono::steady_clock;
    int signals = 0;
    Clock::time_point deadline;
    for (;;) {
        int timeoutMs = -1;
        if (signals > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            timeoutMs = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        const int ready = platform::waitReadable({platform::StopSignals::fd(), m_over.fd()}, timeoutMs);
        if (ready == 1)
            return;
        if (ready < 0) {
            if (signals > 0)
                cutShort("its clean-up took too long");
            continue;
        }
        const int arrived = platform::StopSignals::take();
        if (arrived == 0)
            continue;
        if (signals == 0) {
            deadline = Clock::now() + m_limit;
            m_onFirst();
        }
        signals += arrived;
        if (signals > 1)
            cutShort("asked again");
    }
}

void TerminationWatch::cutShort(const char* why)
{
    std::fflush(stdout);
    std::fprintf(stderr, "Haulmoor: ended before its clean-up finished: %s\n", why);
    std::_Exit(kCutShortExitCode);
}

} // namespace haulmoor
