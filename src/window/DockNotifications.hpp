#pragma once

namespace corvina {

// What the dock manager tells the rest of the app, through the notification center.
// Posted whenever the window leaves dock mode, for whatever reason.
inline constexpr const char* windowDidExitDockModeNotification = "windowDidExitDockMode";
// Posted when a docked window has slid in, only its grip left on the screen, and when it
// starts to slide out again.
inline constexpr const char* windowDidSlideInNotification = "windowDidSlideIn";
inline constexpr const char* windowWillSlideOutNotification = "windowWillSlideOut";

}  // namespace corvina
