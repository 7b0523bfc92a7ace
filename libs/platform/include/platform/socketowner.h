#pragma once

namespace platform {

// The real user that owns the other end of a connected loopback TCP socket,
// read from the kernel's socket tables (/proc/net/tcp, tcp6). -1 when the
// other end is not on this machine or can no longer be found.
long loopbackPeerUser(int connectedSocket);

} // namespace platform
