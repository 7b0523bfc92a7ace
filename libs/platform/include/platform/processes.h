#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

struct ProcessEntry
{
    pid_t pid = 0;
    std::string imageName; // file name of the process's executable
};

// Every running process whose real user is this process's real user, with
// its image name.
std::vector<ProcessEntry> listProcesses();

// Image names match exactly, case-sensitively, with a trailing ".exe" ignored
// on both sides.
bool imageNamesMatch(const std::string& a, const std::string& b);

// This process's id.
pid_t currentProcessId();
// Whether a process with this id exists and has not ended (a zombie has).
bool processRuns(pid_t pid);

// Pid of the first process whose image name matches, 0 when none does.
pid_t findProcess(const std::string& imageName);
// Whether a process of this user runs the executable at path (compared after
// resolving links; a program replaced on disk while running still counts).
// Another copy of the program elsewhere, under the same name, does not.
bool programRunsAt(const std::string& path);
// Whether this one process is this user's, runs and has that image name
// (a pid found earlier may have been taken by another process since).
bool processIsNamed(pid_t pid, const std::string& imageName);

} // namespace platform
