#include "platform/memory.h"

#include <malloc.h>

namespace platform {

void returnLargeBlocksToSystem()
{
    // A fixed threshold also stops glibc from raising it after the first
    // large free, which is what lets freed range buffers pile up.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024);
}

} // namespace platform
