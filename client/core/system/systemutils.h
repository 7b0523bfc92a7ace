#pragma once

#include <QString>

namespace gearmart {

// Free space in GiB of the volume that holds the path; 0 when unknown.
double freeSpaceGiB(const QString& qstrPath);

// Whether a program with this executable name runs (".exe" ignored).
bool isProgramRunning(const QString& qstrImageName);

// Copies a folder tree into target, creating it when needed. Without
// bCover an existing file there fails the copy. Stops at the first failure;
// what was copied stays. Refuses a target inside the source.
bool copyFolder(const QString& qstrSource, const QString& qstrTarget, bool bCover);

} // namespace gearmart
