#pragma once

namespace corvina {

// What the dock manager tells the rest of the app, through the notification center.
// Posted whenever the window leaves dock mode, for whatever reason.
inline constexpr const char* windowDidExitDockModeNotification = "windowDidExitDockMode";
// Posted when a docked window has slid in, only its grip left on the screen, and when it
// starts to slide out again.
inline constexpr const char* windowDidSlideInNotification = "windowDidSlideIn";
inline constexpr const char* windowWillSlideOutNotification = "windowWillSlideOut";
// Posted once a window asked to dock has really got to its edge.
inline constexpr const char* windowDidDockNotification = "windowDidDock";
// Posted when the desktop left the window where it was instead of docking it: this desktop
// does not let the app place its window.
inline constexpr const char* windowCannotBePlacedNotification = "windowCannotBePlaced";

}  // namespace corvina
