#pragma once

#include <string>
#include <vector>

namespace platform {

class StopEvent;

// A program named without a folder is looked up in preferredDir first, then
// on PATH. Empty when it is found nowhere.
std::string findProgram(const std::string& name, const std::string& preferredDir);

struct RunResult
{
    bool started = false;
    int exitCode = -1;    // -1 also when ended by a signal
    bool stopped = false; // ended by the caller's stop event
};

// Whether a started program may outlive the one that started it.
enum class ChildLifetime
{
    Independent,
    // Killed when the starting thread ends (the whole process being killed
    // included), so nothing works on for a caller that is gone.
    EndsWithCaller,
};

// Starts a program with an argument vector (no shell) and waits for it
// without a time limit. Once stop (optional) is set the program is killed
// and collected, and the result says so.
RunResult runAndWait(const std::string& program, const std::vector<std::string>& arguments,
                     ChildLifetime lifetime = ChildLifetime::Independent, const StopEvent* stop = nullptr);

// A program that outlives the one whose output it inherited must not be
// killed by its first write into a closed pipe: such writes fail instead.
void ignoreBrokenPipes();

} // namespace platform
