#include "CorvinaApplication.hpp"
#include "platform/FrameMemory.hpp"

int main(int argc, char* argv[]) {
    corvina::keepFrameBuffersForReuse();
    return corvina::CorvinaApplication::create()->run(argc, argv);
}
