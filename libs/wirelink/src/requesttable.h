#pragma once

#include "pendingrequest.h"

#include <memory>

namespace wirelink {

// Process-wide table of the requests that wait for a reply, by handle.
namespace requesttable {

int add(std::shared_ptr<PendingRequest> request);
std::shared_ptr<PendingRequest> find(int handle);
void remove(int handle);
// Wakes every request of one listener so that its server threads can end.
void closeAll(int listener);

} // namespace requesttable
} // namespace wirelink
