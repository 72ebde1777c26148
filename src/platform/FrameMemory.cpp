#include "platform/FrameMemory.hpp"

#include <malloc.h>

namespace corvina {

void keepFrameBuffersForReuse() {
    // Blocks below the largest threshold come from the heap, and up to 64 MB of free heap
    // stays mapped.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

}  // namespace corvina
