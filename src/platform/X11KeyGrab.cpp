#include "platform/X11KeyGrab.hpp"

#include <array>

#include <gdk/x11/gdkx.h>
#include <X11/Xlib.h>

namespace corvina {

namespace {

// Caps Lock and Num Lock must not stop the key from working.
constexpr std::array<unsigned, 4> lockStates = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};
constexpr unsigned ignoredModifiers = LockMask | Mod2Mask;

unsigned modifierMask(const Shortcut& shortcut) {
    return (shortcut.control ? ControlMask : 0u) | (shortcut.alt ? Mod1Mask : 0u) | (shortcut.shift ? ShiftMask : 0u) |
           (shortcut.super ? Mod4Mask : 0u);
}

}  // namespace

std::unique_ptr<X11KeyGrab> X11KeyGrab::forSession(GdkDisplay* display, Pressed pressed) {
    if (!display || !GDK_IS_X11_DISPLAY(display)) return nullptr;
    const char* session = g_getenv("XDG_SESSION_TYPE");
    if (g_getenv("WAYLAND_DISPLAY") || (session && g_strcmp0(session, "wayland") == 0)) return nullptr;
    return std::make_unique<X11KeyGrab>(display, std::move(pressed));
}

X11KeyGrab::X11KeyGrab(GdkDisplay* display, Pressed pressed)
    : display_(display), pressed_(std::move(pressed)), events_(display, "xevent", &X11KeyGrab::onEvent, this) {}

X11KeyGrab::~X11KeyGrab() { release(); }

X11KeyGrab::Result X11KeyGrab::grab(const Shortcut& shortcut) {
    release();
    Display* x = gdk_x11_display_get_xdisplay(display_);
    const KeySym symbol = XStringToKeysym(shortcut.key.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(x, symbol);
    if (code == 0) return Result::unknownKey;
    const Window root = DefaultRootWindow(x);
    const unsigned mask = modifierMask(shortcut);
    gdk_x11_display_error_trap_push(display_);
    for (unsigned lock : lockStates) XGrabKey(x, code, mask | lock, root, False, GrabModeAsync, GrabModeAsync);
    // Another client's grab of the same key and modifiers is refused as BadAccess.
    if (gdk_x11_display_error_trap_pop(display_) != 0) {
        gdk_x11_display_error_trap_push(display_);
        for (unsigned lock : lockStates) XUngrabKey(x, code, mask | lock, root);
        gdk_x11_display_error_trap_pop_ignored(display_);
        return Result::taken;
    }
    keycode_ = code;
    modifiers_ = mask;
    return Result::grabbed;
}

void X11KeyGrab::release() {
    if (keycode_ == 0) return;
    Display* x = gdk_x11_display_get_xdisplay(display_);
    gdk_x11_display_error_trap_push(display_);
    for (unsigned lock : lockStates) XUngrabKey(x, keycode_, modifiers_ | lock, DefaultRootWindow(x));
    gdk_x11_display_error_trap_pop_ignored(display_);
    keycode_ = 0;
    down_ = false;
}

gboolean X11KeyGrab::onEvent(GdkDisplay*, void* event, X11KeyGrab* self) {
    auto* xevent = static_cast<XEvent*>(event);
    if ((xevent->type != KeyPress && xevent->type != KeyRelease) || self->keycode_ == 0) return FALSE;
    const XKeyEvent& key = xevent->xkey;
    if (key.keycode != self->keycode_ || key.window != DefaultRootWindow(key.display)) return FALSE;
    if (xevent->type == KeyRelease) {
        self->down_ = false;
        return TRUE;
    }
    // A held key repeats its press; one hold is one toggle.
    if (self->down_ || (key.state & ~ignoredModifiers & 0xff) != self->modifiers_) return TRUE;
    self->down_ = true;
    self->pressed_(static_cast<std::uint32_t>(key.time));
    return TRUE;
}

}  // namespace corvina
