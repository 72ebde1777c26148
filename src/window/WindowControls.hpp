#pragma once
#include "window/MainWindowControl.hpp"
#include "window/WindowDockManager.hpp"
#include "window/WindowMaximizer.hpp"

namespace corvina {

// One window's zoom toggle, dock manager and split widening, as the application state asks
// for them.
class WindowControls final : public MainWindowControl {
public:
    static constexpr Milliseconds widenDuration{400};

    WindowControls(DesktopWindow& window, MainQueue& queue, NotificationCenter& notifications);

    bool dock(DockSide side) override;
    bool undock() override;
    void widenForSplit(double minWidth, std::function<void()> done) override;
    void bringOut() override;
    void putAway() override { dockManager_.putAway(); }
    void zoom() { maximizer_.toggle(); }

    const WindowDockManager& dockManager() const { return dockManager_; }
    const WindowMaximizer& maximizer() const { return maximizer_; }

private:
    DesktopWindow& window_;
    WindowMaximizer maximizer_;
    WindowDockManager dockManager_;
};

}  // namespace corvina
