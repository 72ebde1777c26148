#pragma once
#include <cstdint>

#include "app/AppState.hpp"
#include "ui/MainWindow.hpp"

namespace corvina {

// Brings the main window before the user, or out of the way, at a request from outside it.
class WindowPresenter {
public:
    WindowPresenter(MainWindow& window, AppState& state) : window_(window), state_(state) {}

    // Restored when minimised, slid out when docked, raised. The keyboard goes where the
    // window had it, or into Ask Several when that has just been opened. With the X server
    // time of the user's key press, a window manager that guards focus hands it over.
    void present(std::uint32_t time = 0);
    // In front of the user with the keyboard: active, and not slid in at its edge.
    bool isActive() const;
    // Slid in when docked, otherwise minimised.
    void hide();

private:
    MainWindow& window_;
    AppState& state_;
};

}  // namespace corvina
