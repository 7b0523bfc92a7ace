#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

struct TimedRun
{
    bool started = false;
    int exitCode = -1; // -1 when killed by a signal
    double elapsedMs = 0;
    long maxRssKiB = 0;
};

// Runs a program to its end with stdout and stderr going to logPath (or
// /dev/null), timing it from fork to exit.
TimedRun runTimed(const std::vector<std::string>& argv, const std::string& logPath = {});

// Starts a program that dies with this one; -1 when it could not start.
pid_t spawnChild(const std::vector<std::string>& argv, const std::string& workDir,
                 const std::string& logPath);

// True when pid exited within timeoutMs; a still-running child is left alone.
bool waitForExit(pid_t pid, int timeoutMs);
bool isAlive(pid_t pid);
// SIGTERM, then SIGKILL when it has not ended after graceMs.
void endChild(pid_t pid, int graceMs = 2000);

} // namespace bench
