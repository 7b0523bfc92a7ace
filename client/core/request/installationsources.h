#pragma once

#include "request/requestrouter.h"

namespace gearmart {

// Where this installation's requests come from: each tool's package URL,
// the cloud endpoint, and the folder its package goes to (a tool its own
// installer put elsewhere is updated where it is).
RequestSources installationSources();

} // namespace gearmart
