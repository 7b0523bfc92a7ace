#pragma once

#include <cstdint>
#include <functional>

namespace wirelink::acceptgate {

// Decides on a freshly accepted connection before a byte of it is read.
using Admit = std::function<bool(int socket)>;

// Connections accepted on a listening socket bound to this port reach the
// server only when admit says so; the others are closed at once.
void guard(std::uint16_t port, Admit admit);
void release(std::uint16_t port);

} // namespace wirelink::acceptgate
