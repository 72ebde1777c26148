#pragma once
#include <string>

#include <gtk/gtk.h>

namespace corvina::testing {

// The X11 id of a shown window, for driving it with xdotool.
std::string x11WindowID(GtkWindow* window);

}  // namespace corvina::testing
