#pragma once

#include <string>
#include <sys/types.h>

namespace platform {

// The service marks each staged main program it makes with this file at the
// top of the staging folder; the copier and the client take a staging folder
// only when the mark says it is complete. Never part of a package.
inline constexpr const char* kStagingMarkerName = ".haulmoor-staging";

enum class StagingState
{
    None,       // no mark of ours: not made by the service
    Incomplete, // being filled, or filling was cut off
    Complete,
};

struct StagingMarker
{
    StagingState state = StagingState::None;
    pid_t writer = 0; // the service writing it; 0 when not recorded
};

// The mark of folder, which must itself be a real folder, not a link.
StagingMarker readStagingMarker(const std::string& folder);
// The one check before a staged main program is copied anywhere.
bool isCompleteStaging(const std::string& folder);
// Replaces whatever stands at the mark's place with a new mark: "complete",
// or "incomplete" with the writer's pid on a second line. Readers go by the
// first line alone.
bool writeStagingMarker(const std::string& folder, StagingState state);

} // namespace platform
