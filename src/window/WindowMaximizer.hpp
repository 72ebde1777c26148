#pragma once
#include <optional>

#include "window/DesktopWindow.hpp"

namespace corvina {

// The zoom button: toggles the window between the frame the user gave it and the whole
// work area of its monitor. The window manager's own maximise and full screen stay unused.
class WindowMaximizer {
public:
    static constexpr Milliseconds animationDuration{400};

    explicit WindowMaximizer(DesktopWindow& window);

    void toggle();
    bool isMaximized() const { return isMaximized_; }

private:
    DesktopWindow& window_;
    std::optional<Rect> normalFrame_;
    bool isMaximized_ = false;
};

}  // namespace corvina
