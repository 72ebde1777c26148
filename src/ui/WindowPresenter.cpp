#include "ui/WindowPresenter.hpp"

namespace corvina {

void WindowPresenter::present(std::uint32_t time) {
    state_.bringWindowOut();
    window_.unminimize();
    if (time != 0)
        window_.present(time);
    else
        window_.present();
}

bool WindowPresenter::isActive() const { return window_.is_active() && !state_.isWindowOutOfSight().get(); }

void WindowPresenter::hide() {
    if (state_.dockSide().get() != DockSide::none)
        state_.putWindowAway();
    else
        window_.minimize();
}

}  // namespace corvina
