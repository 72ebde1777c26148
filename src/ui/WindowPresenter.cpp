#include "ui/WindowPresenter.hpp"

namespace corvina {

void WindowPresenter::present() {
    state_.bringWindowOut();
    window_.unminimize();
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
