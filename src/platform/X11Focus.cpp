#include "platform/X11Focus.hpp"

#include <gdk/x11/gdkx.h>
#include <X11/Xlib.h>

namespace corvina {

std::optional<bool> x11FocusIsOn(GdkSurface* surface) {
    if (!surface || !GDK_IS_X11_SURFACE(surface)) return std::nullopt;
    Display* display = gdk_x11_display_get_xdisplay(gdk_surface_get_display(surface));
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // The toolkit gives the focus to a child of its toplevel: walk up to the top.
    const Window ours = gdk_x11_surface_get_xid(surface);
    for (int depth = 0; focus > PointerRoot && depth < 16; ++depth) {
        if (focus == ours) return true;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, focus, &root, &parent, &children, &count)) return false;
        if (children) XFree(children);
        if (parent == root) return false;
        focus = parent;
    }
    return false;
}

}  // namespace corvina
