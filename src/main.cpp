#include "CorvinaApplication.hpp"
#include "platform/FrameMemory.hpp"

int main() {
    corvina::keepFrameBuffersForReuse();
    return corvina::CorvinaApplication::create()->run();
}
