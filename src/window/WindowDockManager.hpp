#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/MainQueue.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/Observable.hpp"
#include "platform/WeakOwner.hpp"
#include "window/DesktopWindow.hpp"
#include "window/DockNotifications.hpp"

namespace corvina {

// Docks the main window to a screen edge: pushed off the screen but for a thin grip, it
// slides out when the pointer reaches that edge and back when the pointer leaves it.
class WindowDockManager {
public:
    static constexpr double gripWidth = 4;
    static constexpr double triggerZone = 20;
    static constexpr Milliseconds animationDuration{400};
    static constexpr Milliseconds pollInterval{150};
    // A window manager places a window a moment after we asked: this long it may take.
    static constexpr Milliseconds placementCheckInterval{100};
    static constexpr int placementChecks = 10;

    WindowDockManager(DesktopWindow& window, MainQueue& queue, NotificationCenter& notifications);

    // Dock mode counts once the window has got to its edge; a desktop that leaves it where
    // it was ends it again (both are posted).
    void dock(DockSide side);
    // With `restoreFrame`, the window goes back to where it was before docking.
    void exitDock(bool restoreFrame);

    // Slides a docked window out for something the user asked for elsewhere (a notification
    // clicked): it stays out until the pointer has been over it and left it.
    void bringOut();
    // Slides a docked window in at once, for something the user asked for elsewhere.
    void putAway();

    DockSide dockSide() const { return dockSide_; }
    bool isSlidOut() const { return isSlidOut_; }
    bool isAnimating() const { return isAnimating_; }

private:
    void dockFrom(DockSide side, const Rect& userFrame);
    void startPolling();
    void poll();
    void slideOut();
    void slideIn();
    void installMoveObserver();
    void removeMoveObserver();
    void handleWindowMove();
    void handleScreenChange();
    void moveWindow(const Rect& target, const TimingCurve& curve, std::function<void()> arrived = {});
    void slideToHiddenFrame();
    void confirmPlacement(const Rect& target, int checksLeft);

    std::optional<Rect> hiddenFrame() const;
    std::optional<Rect> shownFrame() const;
    bool isInTriggerZone(Point p) const;

    DesktopWindow& window_;
    MainQueue& queue_;
    NotificationCenter& notifications_;

    DockSide dockSide_ = DockSide::none;
    bool isSlidOut_ = false;
    bool heldOut_ = false;
    Rect preDockFrame_;
    TimerHandle pollTimer_;
    bool isAnimating_ = false;
    ScopedConnection moveObserver_;
    ScopedConnection screenObserver_;
    TimerHandle redock_;
    bool placementConfirmed_ = false;
    TimerHandle placementCheck_;
    std::uint64_t currentAnimation_ = 0;
    // Animation completions may come after the manager is gone.
    WeakOwner<WindowDockManager> owner_{this};
};

}  // namespace corvina
