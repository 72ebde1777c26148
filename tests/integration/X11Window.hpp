#pragma once
#include <chrono>
#include <string>

#include <gtk/gtk.h>

namespace corvina::testing {

// The X11 id of a shown window, for driving it with xdotool.
std::string x11WindowID(GtkWindow* window);
// Real key presses (xdotool's key syntax) from the X server to the window, focused first.
void pressKeys(GtkWindow* window, const std::string& keys);
// The same, returning once the window has dealt with every press: the release of each key
// has reached it, and the X server sends them in order. False if they did not all come in time.
bool pressKeysAndWait(GtkWindow* window, const std::string& keys);
// Types `text` with real key presses from the X server into the window, focused first.
void typeText(GtkWindow* window, const std::string& text);

}  // namespace corvina::testing
