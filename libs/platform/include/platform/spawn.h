#pragma once

#include <string>
#include <vector>

namespace platform {

// A program named without a folder is looked up in preferredDir first, then
// on PATH. Empty when it is found nowhere.
std::string findProgram(const std::string& name, const std::string& preferredDir);

struct RunResult
{
    bool started = false;
    int exitCode = -1; // -1 also when ended by a signal
};

// Starts a program with an argument vector (no shell) and waits for it
// without a time limit.
RunResult runAndWait(const std::string& program, const std::vector<std::string>& arguments);

// A program that outlives the one whose output it inherited must not be
// killed by its first write into a closed pipe: such writes fail instead.
void ignoreBrokenPipes();

} // namespace platform
