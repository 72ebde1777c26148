#include "window/WindowMaximizer.hpp"

namespace corvina {

WindowMaximizer::WindowMaximizer(DesktopWindow& window) : window_(window), normalFrame_(window.frame()) {}

void WindowMaximizer::toggle() {
    const auto frame = window_.frame();
    if (!frame) return;
    const auto animate = [this](const Rect& target) {
        window_.animateFrame(target, TimingCurve::quickSettle(), animationDuration, [] {});
    };
    if (!isMaximized_) {
        normalFrame_ = frame;
        if (const auto screen = window_.screen()) animate(screen->workArea);
        isMaximized_ = true;
    } else {
        // Back to the frame from before maximising, even if the user moved it since.
        if (normalFrame_) animate(*normalFrame_);
        isMaximized_ = false;
    }
}

}  // namespace corvina
