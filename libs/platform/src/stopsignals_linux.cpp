#include "platform/stopsignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int g_readEnd = -1;
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void onStopSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already says "signalled"; the byte may be lost.
    (void)!write(g_writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

bool StopSignals::install()
{
    if (g_readEnd >= 0)
        return true;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    g_readEnd = ends[0];
    g_writeEnd = ends[1];
    struct sigaction action = {};
    action.sa_handler = &onStopSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted calls elsewhere resume instead of failing with EINTR.
    action.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

int StopSignals::fd()
{
    return g_readEnd;
}

int StopSignals::take()
{
    if (g_readEnd < 0)
        return 0;
    int count = 0;
    char bytes[64];
    ssize_t n;
    while ((n = read(g_readEnd, bytes, sizeof bytes)) > 0 || (n < 0 && errno == EINTR))
        count += n > 0 ? static_cast<int>(n) : 0;
    return count;
}

} // namespace platform
