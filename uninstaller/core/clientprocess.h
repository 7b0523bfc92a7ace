#pragma once

#include <QString>

namespace appinstaller {

class ClientProcess
{
public:
    // The image name compared with running processes: the part of the
    // program name after its last "/", at most 260 characters.
    static QString imageName(const QString& strProgramName);
    // Whether a process other than this one runs under that image name
    // (exact and case-sensitive; a trailing ".exe" is ignored). An empty
    // name, or a process list that cannot be read, counts as not running.
    static bool isRunning(const QString& strProgramName);
};

} // namespace appinstaller
