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

bool pressKeysAndWait(GtkWindow* window, const std::string& keys) {
    // One release for each key named ("ctrl+shift+Tab" is three); a key the server adds on
    // its own (shift for "question") is released after the one it goes with.
    int expected = 0;
    for (std::size_t at = 0; at < keys.size();) {
        const std::size_t end = keys.find_first_of(" +", at);
        if (end != at) ++expected;
        if (end == std::string::npos) break;
        at = end + 1;
    }
    int released = 0;
    GtkEventController* watch = gtk_event_controller_legacy_new();
    gtk_event_controller_set_propagation_phase(watch, GTK_PHASE_CAPTURE);
    g_signal_connect(watch, "event", G_CALLBACK(+[](GtkEventControllerLegacy*, GdkEvent* event, int* count) -> gboolean {
                         if (gdk_event_get_event_type(event) == GDK_KEY_RELEASE) ++*count;
                         return FALSE;
                     }),
                     &released);
    gtk_widget_add_controller(GTK_WIDGET(window), watch);
    pressKeys(window, keys);
    const bool handled = eventually([&] { return released >= expected; });
    gtk_widget_remove_controller(GTK_WIDGET(window), watch);
    return handled;
}

void typeText(GtkWindow* window, const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    commandOutput("xdotool windowfocus --sync " + x11WindowID(window) + "; xdotool type --clearmodifiers --delay 15 -- " +
                  quoted);
}

}  // namespace corvina::testing
