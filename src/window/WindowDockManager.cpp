#include "window/WindowDockManager.hpp"

#include <cmath>

namespace corvina {

WindowDockManager::WindowDockManager(DesktopWindow& window, MainQueue& queue, NotificationCenter& notifications)
    : window_(window), queue_(queue), notifications_(notifications) {}

void WindowDockManager::dock(DockSide side) {
    if (side == DockSide::none || !window_.frame()) return;
    if (dockSide_ != DockSide::none) {
        // To the other edge through the undocked state. The frame to come back to stays the
        // user's own, not the hidden frame of the first edge.
        const Rect userFrame = preDockFrame_;
        exitDock(false);
        redock_ = queue_.after(animationDuration, [this, side, userFrame] { dockFrom(side, userFrame); });
        return;
    }
    dockFrom(side, *window_.frame());
}

void WindowDockManager::dockFrom(DockSide side, const Rect& userFrame) {
    preDockFrame_ = userFrame;
    dockSide_ = side;
    placementConfirmed_ = false;
    screenObserver_ = window_.signalScreenChanged().connect([this] { handleScreenChange(); });
    window_.reserveEdge(side, gripWidth);
    slideToHiddenFrame();
    startPolling();
}

void WindowDockManager::exitDock(bool restoreFrame) {
    // An undock while a re-dock to the other edge is pending ends that too.
    if (restoreFrame) redock_.reset();
    if (dockSide_ == DockSide::none) return;
    pollTimer_.reset();
    placementCheck_.reset();
    removeMoveObserver();
    screenObserver_.disconnect();
    dockSide_ = DockSide::none;
    isSlidOut_ = false;
    window_.reserveEdge(DockSide::none, 0);
    if (restoreFrame && window_.frame()) moveWindow(preDockFrame_, TimingCurve::quickSettle());
    notifications_.post(windowDidExitDockModeNotification);
}

void WindowDockManager::startPolling() {
    pollTimer_.reset();
    pollTimer_ = queue_.every(pollInterval, [this] { poll(); });
}

void WindowDockManager::poll() {
    if (dockSide_ == DockSide::none || isAnimating_) return;
    const auto pointer = window_.pointer();
    if (!pointer) return;
    if (isSlidOut_) {
        const auto frame = window_.frame();
        if (heldOut_) {
            heldOut_ = !frame || !frame->contains(*pointer);
            return;
        }
        if (frame && !frame->contains(*pointer) && !isInTriggerZone(*pointer)) slideIn();
    } else if (isInTriggerZone(*pointer)) {
        slideOut();
    }
}

void WindowDockManager::slideOut() {
    if (dockSide_ == DockSide::none || isSlidOut_) return;
    const auto target = shownFrame();
    if (!target) return;
    isSlidOut_ = true;
    notifications_.post(windowWillSlideOutNotification);
    moveWindow(*target, TimingCurve::easeInEaseOut());
    installMoveObserver();
}

void WindowDockManager::bringOut() {
    if (dockSide_ == DockSide::none || isSlidOut_) return;
    heldOut_ = true;
    slideOut();
}

void WindowDockManager::putAway() {
    heldOut_ = false;
    slideIn();
}

void WindowDockManager::slideIn() {
    if (dockSide_ == DockSide::none || !isSlidOut_ || !hiddenFrame()) return;
    isSlidOut_ = false;
    removeMoveObserver();
    slideToHiddenFrame();
}

// Only a slide that got there counts: one overtaken by a slide out leaves the window seen,
// and so does one the desktop did not carry out.
void WindowDockManager::slideToHiddenFrame() {
    const auto target = hiddenFrame();
    if (!target) return;
    moveWindow(*target, TimingCurve::easeInEaseOut(), [this] {
        if (dockSide_ != DockSide::none && !isSlidOut_ && placementConfirmed_)
            notifications_.post(windowDidSlideInNotification);
    });
}

void WindowDockManager::installMoveObserver() {
    if (!window_.frame()) return;
    moveObserver_ = window_.signalMovedByUser().connect([this] { handleWindowMove(); });
}

void WindowDockManager::removeMoveObserver() { moveObserver_.disconnect(); }

void WindowDockManager::handleWindowMove() {
    // Our own animations move the window too; only a move by the user ends dock mode.
    if (!isAnimating_ && isSlidOut_) exitDock(false);
}

void WindowDockManager::handleScreenChange() {
    if (dockSide_ == DockSide::none) return;
    if (!isSlidOut_) return slideToHiddenFrame();
    if (auto target = shownFrame()) moveWindow(*target, TimingCurve::easeInEaseOut());
}

void WindowDockManager::moveWindow(const Rect& target, const TimingCurve& curve, std::function<void()> arrived) {
    const auto animation = ++currentAnimation_;
    isAnimating_ = true;
    window_.animateFrame(target, curve, animationDuration,
                         owner_.bind([animation, target, arrived = std::move(arrived)](WindowDockManager& self) {
                             // A superseded animation's end says nothing about the one running now.
                             if (self.currentAnimation_ != animation) return;
                             self.isAnimating_ = false;
                             if (arrived) arrived();
                             self.confirmPlacement(target, placementChecks);
                         }));
}

// The first docked move that got where it was sent confirms dock mode; if the window is
// still elsewhere after the window manager's time, the desktop does not let us place it.
void WindowDockManager::confirmPlacement(const Rect& target, int checksLeft) {
    // A move under way checks again when it arrives.
    if (dockSide_ == DockSide::none || placementConfirmed_ || isAnimating_) return;
    const auto frame = window_.frame();
    if (frame && std::abs(frame->x - target.x) <= 1 && std::abs(frame->y - target.y) <= 1) {
        placementConfirmed_ = true;
        placementCheck_.reset();
        notifications_.post(windowDidDockNotification);
        if (!isSlidOut_) notifications_.post(windowDidSlideInNotification);
    } else if (checksLeft > 0) {
        placementCheck_ = queue_.after(placementCheckInterval,
                                       [this, target, checksLeft] { confirmPlacement(target, checksLeft - 1); });
    } else {
        exitDock(false);
        notifications_.post(windowCannotBePlacedNotification);
    }
}

std::optional<Rect> WindowDockManager::hiddenFrame() const {
    const auto screen = window_.screen();
    if (!screen || !window_.frame()) return std::nullopt;
    return hiddenDockFrame(preDockFrame_, dockSide_, *screen, gripWidth);
}

std::optional<Rect> WindowDockManager::shownFrame() const {
    const auto screen = window_.screen();
    if (!screen || !window_.frame()) return std::nullopt;
    return shownDockFrame(preDockFrame_, dockSide_, *screen);
}

bool WindowDockManager::isInTriggerZone(Point p) const {
    const auto screen = window_.screen();
    if (!screen || !window_.frame()) return false;
    return isInDockTriggerZone(p, dockSide_, *screen, triggerZone);
}

}  // namespace corvina
