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

// Bytes of all files below a folder (links not followed); 0 when it is missing.
qint64 folderSize(const QString& qstrFolder);

// Whether inner is outer itself or lies below it, links resolved; either
// may not exist yet.
bool folderContains(const QString& qstrOuter, const QString& qstrInner);

} // namespace gearmart
