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

}  // namespace corvina::testing
