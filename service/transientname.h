#pragma once

#include <string>
#include <sys/types.h>

namespace haulmoor {

// Names of everything the service creates only for a while (packages on
// their way, unpack and work folders, tool versions being put together):
// ".haulmoor-PID-..." with the creating service's pid, so that a later
// service can tell a dead one's leftovers from a live one's work.
class TransientName
{
public:
    // ".haulmoor-PID-": the start of every such name of this service.
    static std::string prefix();
    // ".haulmoor-PID-N-suffix" (without "-suffix" when it is empty), N unique
    // within this service.
    static std::string next(const std::string& suffix = std::string());
    // The pid in a transient name, 0 when the name is not one. Folders left
    // by older services (".haulmoor-unpack-PID-N") count too.
    static pid_t ownerOf(const std::string& name);
};

} // namespace haulmoor
