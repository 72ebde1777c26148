#pragma once

namespace corvina {

// Pages drawn on the CPU arrive as a new picture of several megabytes for every frame.
// By default the C library hands such blocks back to the system as they are freed, so
// every frame faults in fresh zeroed pages; this keeps them for reuse instead. Call it
// first thing in main.
void keepFrameBuffersForReuse();

}  // namespace corvina
