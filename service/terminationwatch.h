#pragma once

#include "platform/stopevent.h"

#include <chrono>
#include <functional>
#include <thread>

namespace haulmoor {

// Turns SIGTERM and SIGINT into a clean end. The first signal calls
// onFirst, which makes the service stop taking requests and abandon its
// work in hand; the work then cleans up after itself. A second signal, or a
// clean-up that outlasts its limit, ends the process at once with
// kCutShortExitCode: the client is about to kill it anyway, and the next
// start removes what was left.
class TerminationWatch
{
public:
    static constexpr int kCutShortExitCode = 2;

    // Catches the signals from now on; a watch that cannot catch them leaves
    // them their default effect.
    TerminationWatch(std::function<void()> onFirst, std::chrono::milliseconds cleanUpLimit);
    // Stops watching: the service ended on its own.
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

private:
    void run();
    [[noreturn]] static void cutShort(const char* why);

    std::function<void()> m_onFirst;
    std::chrono::milliseconds m_limit;
    platform::StopEvent m_over;
    std::thread m_thread;
};

} // namespace haulmoor
