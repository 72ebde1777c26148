#pragma once
#include <optional>

#include <gdk/gdk.h>

namespace corvina {

// Whether the X server's keyboard focus is on the surface's window; nothing off X11. Unlike
// the toolkit's active state, it stays put while a key another client (or we) grabbed is down.
std::optional<bool> x11FocusIsOn(GdkSurface* surface);

}  // namespace corvina
