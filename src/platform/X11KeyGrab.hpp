#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include <gdk/gdk.h>

#include "platform/Shortcut.hpp"
#include "platform/SignalConnection.hpp"

namespace corvina {

// A key taken for the whole X11 screen: pressed anywhere, it is ours.
class X11KeyGrab {
public:
    enum class Result { grabbed, taken, unknownKey };

    // Told the X server time of each press, for handing the keyboard on with it.
    using Pressed = std::function<void(std::uint32_t time)>;

    // Nothing unless this is an X11 session and the display its X server. (Under Wayland the
    // app may be an X11 client too, but its screen sees keys only while one of them is active.)
    static std::unique_ptr<X11KeyGrab> forSession(GdkDisplay* display, Pressed pressed);
    X11KeyGrab(GdkDisplay* display, Pressed pressed);
    ~X11KeyGrab();
    X11KeyGrab(const X11KeyGrab&) = delete;
    X11KeyGrab& operator=(const X11KeyGrab&) = delete;

    // Gives up the key held before. `taken` when another program holds the key.
    Result grab(const Shortcut& shortcut);
    void release();

private:
    static gboolean onEvent(GdkDisplay* display, void* event, X11KeyGrab* self);

    GdkDisplay* display_;
    Pressed pressed_;
    unsigned keycode_ = 0;
    unsigned modifiers_ = 0;
    bool down_ = false;
    SignalConnection events_;
};

}  // namespace corvina
