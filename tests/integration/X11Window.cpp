#include "integration/X11Window.hpp"

#include <gdk/x11/gdkx.h>

#include "integration/AppProcess.hpp"

namespace corvina::testing {

std::string x11WindowID(GtkWindow* window) {
    return std::to_string(gdk_x11_surface_get_xid(gtk_native_get_surface(GTK_NATIVE(window))));
}

void pressKeys(GtkWindow* window, const std::string& keys) {
    commandOutput("xdotool windowfocus --sync " + x11WindowID(window) + "; xdotool key --clearmodifiers " + keys);
}

void typeText(GtkWindow* window, const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    commandOutput("xdotool windowfocus --sync " + x11WindowID(window) + "; xdotool type --clearmodifiers --delay 15 -- " +
                  quoted);
}

}  // namespace corvina::testing
