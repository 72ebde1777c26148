#include "window/WindowControls.hpp"

namespace corvina {

WindowControls::WindowControls(DesktopWindow& window, MainQueue& queue, NotificationCenter& notifications)
    : window_(window), maximizer_(window), dockManager_(window, queue, notifications) {}

bool WindowControls::dock(DockSide side) {
    dockManager_.dock(side);
    return true;
}

bool WindowControls::undock() {
    dockManager_.exitDock(true);
    return true;
}

void WindowControls::bringOut() { dockManager_.bringOut(); }

void WindowControls::widenForSplit(double minWidth, std::function<void()> done) {
    const auto frame = window_.frame();
    const auto screen = window_.screen();
    const auto workArea = screen ? std::optional<Rect>(screen->workArea) : std::nullopt;
    const auto target = frame ? splitWidenedFrame(*frame, minWidth, workArea) : std::nullopt;
    if (!target) return done();
    window_.animateFrame(*target, TimingCurve::quickSettle(), widenDuration, std::move(done));
}

}  // namespace corvina
