#include "platform/diskspace.h"

#include "platform/paths.h"

#include <sys/statvfs.h>

namespace platform {

std::int64_t freeDiskBytes(const std::string& path)
{
    // A folder that does not exist yet lives on the volume of its nearest
    // existing parent.
    std::string probe = path.empty() ? "." : path;
    while (!pathExists(probe)) {
        const auto slash = probe.find_last_of('/');
        if (slash == std::string::npos) {
            probe = ".";
            break;
        }
        probe = slash == 0 ? "/" : probe.substr(0, slash);
    }
    struct statvfs info;
    if (statvfs(probe.c_str(), &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.f_bfree) * static_cast<std::int64_t>(info.f_frsize);
}

} // namespace platform
