#pragma once

#include <QString>

namespace platform {

// Free space of the volume holding path (or its nearest existing parent) in
// GiB; 0 after logging when it cannot be measured.
double freeDiskGiB(const QString& path);

// Whether a process runs whose executable file name is imageName; a trailing
// ".exe" is ignored on both sides, the comparison is exact otherwise.
bool isProgramRunning(const QString& imageName);
// Whether a process of this user runs the program at this path (links
// resolved): the same program of another installation does not count.
bool isProgramRunningAt(const QString& path);

// Login name of the effective user; empty when unknown.
QString currentUserName();
// Home folder of the effective user, without a trailing separator.
QString homeFolder();

} // namespace platform
