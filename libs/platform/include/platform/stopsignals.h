#pragma once

namespace platform {

// SIGTERM and SIGINT as something a thread can wait for. The handler only
// writes a byte into a pipe (little else is safe inside a handler); the
// pipe's reading end becomes readable, and the waiting thread does the work.
// Programs started later get the default handling back with their exec.
class StopSignals
{
public:
    // Catches both signals from now on; false when the pipe cannot be made
    // (the signals then keep their default effect). Once per process.
    static bool install();
    // Readable once a signal arrived; -1 before install().
    static int fd();
    // How many signals arrived since the last call; never blocks.
    static int take();
};

} // namespace platform
