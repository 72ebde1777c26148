#include "ui/WindowPresenter.hpp"

#include "platform/X11Focus.hpp"

namespace corvina {

void WindowPresenter::present(std::uint32_t time) {
    state_.bringWindowOut();
    window_.unminimize();
    if (time != 0)
        window_.present(time);
    else
        window_.present();
}

// While the global key is down its grab takes the toolkit's focus away; the server's focus
// stays where the user left it.
bool WindowPresenter::isActive() const {
    const auto focused = x11FocusIsOn(window_.get_surface() ? window_.get_surface()->gobj() : nullptr);
    return focused.value_or(window_.is_active()) && window_.get_visible() && !state_.isWindowOutOfSight().get();
}

void WindowPresenter::hide() {
    if (state_.dockSide().get() != DockSide::none)
        state_.putWindowAway();
    else
        window_.minimize();
}

}  // namespace corvina
