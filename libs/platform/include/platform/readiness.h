#pragma once

#include <initializer_list>

namespace platform {

// Blocks until one of the descriptors is readable (or has hung up), or
// timeoutMs passed (negative: no limit). Returns the position of the first
// ready one in the list, -1 after the time-out. Negative descriptors are
// left out, so an optional source can stay in the list.
int waitReadable(std::initializer_list<int> fds, int timeoutMs);

} // namespace platform
