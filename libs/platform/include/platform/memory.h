#pragma once

namespace platform {

// Makes the heap hand large freed blocks back to the system at once. A
// long-running service that allocates range buffers on many threads would
// otherwise keep each thread's high-water mark for good.
void returnLargeBlocksToSystem();

} // namespace platform
