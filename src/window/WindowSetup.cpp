#include "window/WindowSetup.hpp"

#include "window/WindowControls.hpp"
#include "window/X11DesktopWindow.hpp"

namespace corvina {

WindowSetup::WindowSetup(MainQueue& queue, NotificationCenter& notifications)
    : queue_(queue), notifications_(notifications) {}

WindowSetup::~WindowSetup() { releaseHandles(); }

void WindowSetup::attach(Gtk::Window& window) {
    GtkWindow* gobj = window.gobj();
    if ((desktopWindow_ && desktopWindow_->window() == gobj) || !X11DesktopWindow::canPlace(gobj)) return;
    controls_.reset();
    desktopWindow_ = std::make_unique<X11DesktopWindow>(gobj);
    controls_ = std::make_unique<WindowControls>(*desktopWindow_, queue_, notifications_);
}

bool WindowSetup::isAttached() const { return controls_ && desktopWindow_->window(); }

bool WindowSetup::isSlidIn() const {
    if (!controls_) return false;
    const auto& dock = controls_->dockManager();
    return dock.dockSide() != DockSide::none && !dock.isSlidOut();
}

void WindowSetup::zoom() {
    if (isAttached()) controls_->zoom();
}

bool WindowSetup::dock(DockSide side) { return isAttached() && controls_->dock(side); }

bool WindowSetup::undock() { return isAttached() && controls_->undock(); }

void WindowSetup::bringOut() {
    if (isAttached()) controls_->bringOut();
}

void WindowSetup::putAway() {
    if (isAttached()) controls_->putAway();
}

void WindowSetup::widenForSplit(double minWidth, std::function<void()> done) {
    if (!isAttached()) return done();
    controls_->widenForSplit(minWidth, std::move(done));
}

}  // namespace corvina
