#include "integration/X11Window.hpp"

#include <gdk/x11/gdkx.h>

namespace corvina::testing {

std::string x11WindowID(GtkWindow* window) {
    return std::to_string(gdk_x11_surface_get_xid(gtk_native_get_surface(GTK_NATIVE(window))));
}

}  // namespace corvina::testing
