#pragma once
#include <functional>

#include "platform/WeakOwner.hpp"
#include "window/DockSide.hpp"

namespace corvina {

// What the application state asks of the main window once the window has been set up
// (dock manager and maximizer attached). Without one, these requests do nothing.
class MainWindowControl {
public:
    virtual ~MainWindowControl() = default;
    // False when the window has no dock manager.
    virtual bool dock(DockSide side) = 0;
    virtual bool undock() = 0;
    // Widens a window narrower than `minWidth`, then calls `done` (at once when no widening).
    virtual void widenForSplit(double minWidth, std::function<void()> done) = 0;
    // Brings a docked window out from its edge; nothing for a window that is not docked.
    virtual void bringOut() = 0;
    // Slides a docked window back in to its edge; nothing for a window that is not docked.
    virtual void putAway() = 0;

    // Reaches this control while it lives: whoever keeps one never calls a control that went.
    using Handle = WeakOwner<MainWindowControl>::Handle;
    Handle handle() const { return owner_.handle(); }

protected:
    // For a teardown whose steps could reach the control half taken down.
    void releaseHandles() { owner_.release(); }

private:
    WeakOwner<MainWindowControl> owner_{this};
};

}  // namespace corvina
