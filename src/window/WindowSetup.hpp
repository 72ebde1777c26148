#pragma once
#include <memory>

#include <gtkmm/window.h>

#include "window/MainWindowControl.hpp"
#include "platform/MainQueue.hpp"
#include "platform/NotificationCenter.hpp"

namespace corvina {

class X11DesktopWindow;
class WindowControls;

// Gives the main window its zoom toggle, dock manager and split widening. Until a window
// is attached, and on Wayland where windows cannot be placed, every request does nothing.
class WindowSetup final : public MainWindowControl {
public:
    WindowSetup(MainQueue& queue, NotificationCenter& notifications);
    ~WindowSetup() override;
    WindowSetup(const WindowSetup&) = delete;
    WindowSetup& operator=(const WindowSetup&) = delete;

    // Attaches to a realized window; again for the same window it changes nothing, so it can
    // run each time the window maps.
    void attach(Gtk::Window& window);
    bool isAttached() const;
    // Docked and slid in or sliding in, already before the desktop confirms where it went.
    bool isSlidIn() const;

    // The zoom button's action.
    void zoom();
    bool dock(DockSide side) override;
    bool undock() override;
    void widenForSplit(double minWidth, std::function<void()> done) override;
    void bringOut() override;
    void putAway() override;

private:
    MainQueue& queue_;
    NotificationCenter& notifications_;
    std::unique_ptr<X11DesktopWindow> desktopWindow_;
    std::unique_ptr<WindowControls> controls_;
};

}  // namespace corvina
