#include "window/X11DesktopWindow.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include <X11/Xatom.h>
#include <gdk/x11/gdkx.h>

namespace corvina {

namespace {

using namespace std::chrono_literals;

// Configure events this soon after our own move are its echo through the window manager.
constexpr auto settleTime = 250ms;

struct XWindow {
    Display* display;
    ::Window window;
    ::Window root;
};

std::optional<XWindow> xWindowOf(GtkWindow* window) {
    if (!window) return std::nullopt;
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    if (!surface || !GDK_IS_X11_SURFACE(surface)) return std::nullopt;
    Display* display = gdk_x11_display_get_xdisplay(gdk_surface_get_display(surface));
    return XWindow{display, gdk_x11_surface_get_xid(surface), DefaultRootWindow(display)};
}

// Ignores the errors of a window destroyed behind our back.
class ErrorTrap {
public:
    explicit ErrorTrap(GdkDisplay* display) : display_(display) { gdk_x11_display_error_trap_push(display_); }
    ~ErrorTrap() { gdk_x11_display_error_trap_pop_ignored(display_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    GdkDisplay* display_;
};

std::vector<long> cardinals(Display* display, ::Window window, const char* name) {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, atom, 0, 64, False, XA_CARDINAL, &type, &format, &count, &remaining,
                           &data) != Success || !data)
        return {};
    std::vector<long> values(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + (format == 32 ? count : 0));
    XFree(data);
    return values;
}

Insets insetsProperty(const XWindow& x, const char* name) {
    const auto v = cardinals(x.display, x.window, name);
    if (v.size() < 4) return {};
    return {double(v[0]), double(v[1]), double(v[2]), double(v[3])};
}

Rect scaled(const Rect& r, double factor) { return {r.x * factor, r.y * factor, r.width * factor, r.height * factor}; }

std::vector<Rect> monitorRects(GdkDisplay* display) {
    GListModel* monitors = gdk_display_get_monitors(display);
    std::vector<Rect> rects;
    for (guint i = 0; i < g_list_model_get_n_items(monitors); ++i) {
        auto* monitor = GDK_MONITOR(g_list_model_get_item(monitors, i));
        GdkRectangle g;
        gdk_monitor_get_geometry(monitor, &g);
        rects.push_back({double(g.x), double(g.y), double(g.width), double(g.height)});
        g_object_unref(monitor);
    }
    return rects;
}

// The work area of the current desktop, in device pixels; none without a window manager.
std::optional<Rect> desktopWorkArea(const XWindow& x) {
    const auto areas = cardinals(x.display, x.root, "_NET_WORKAREA");
    const auto current = cardinals(x.display, x.root, "_NET_CURRENT_DESKTOP");
    std::size_t desktop = current.empty() ? 0 : std::size_t(current[0]);
    if (areas.size() < 4 * (desktop + 1)) desktop = 0;
    if (areas.size() < 4) return std::nullopt;
    const auto* a = &areas[4 * desktop];
    return Rect{double(a[0]), double(a[1]), double(a[2]), double(a[3])};
}

Rect rootRect(const XWindow& x) {
    Screen* screen = DefaultScreenOfDisplay(x.display);
    return {0, 0, double(WidthOfScreen(screen)), double(HeightOfScreen(screen))};
}

}  // namespace

bool X11DesktopWindow::canPlace(GtkWindow* window) {
    return GDK_IS_X11_DISPLAY(gtk_widget_get_display(GTK_WIDGET(window)));
}

X11DesktopWindow::X11DesktopWindow(GtkWindow* window)
    : window_(window), display_(gtk_widget_get_display(GTK_WIDGET(window))) {
    g_object_add_weak_pointer(G_OBJECT(window_), reinterpret_cast<gpointer*>(&window_));
    xevents_ = SignalConnection(display_, "xevent", onXEvent, this);
    monitorsChanged_ = SignalConnection(gdk_display_get_monitors(display_), "items-changed", onMonitorsChanged, this);
    if (auto x = xWindowOf(window_)) {
        // Resolution and work area changes arrive on the root window.
        XWindowAttributes attributes;
        XGetWindowAttributes(x->display, x->root, &attributes);
        XSelectInput(x->display, x->root, attributes.your_event_mask | PropertyChangeMask | StructureNotifyMask);
    }
    lastSeenFrame_ = frame();
    lastSeenMonitor_ = monitorIndex();
}

X11DesktopWindow::~X11DesktopWindow() {
    // Before the edge is given back: that sets off events we no longer follow.
    xevents_.disconnect();
    monitorsChanged_.disconnect();
    if (!window_) return;
    if (tickID_) gtk_widget_remove_tick_callback(GTK_WIDGET(window_), tickID_);
    reserveEdge(DockSide::none, 0);
    g_object_remove_weak_pointer(G_OBJECT(window_), reinterpret_cast<gpointer*>(&window_));
}

double X11DesktopWindow::scale() const {
    GdkSurface* surface = window_ ? gtk_native_get_surface(GTK_NATIVE(window_)) : nullptr;
    return surface ? gdk_surface_get_scale_factor(surface) : 1;
}

std::optional<Rect> X11DesktopWindow::frame() const {
    const auto x = xWindowOf(window_);
    if (!x) return std::nullopt;
    ErrorTrap trap(display_);
    ::Window root, child;
    int clientX, clientY, rootX, rootY;
    unsigned width, height, border, depth;
    if (!XGetGeometry(x->display, x->window, &root, &clientX, &clientY, &width, &height, &border, &depth) ||
        !XTranslateCoordinates(x->display, x->window, x->root, 0, 0, &rootX, &rootY, &child))
        return std::nullopt;
    const Rect client{double(rootX), double(rootY), double(width), double(height)};
    const Rect visible =
        visibleFrame(client, insetsProperty(*x, "_NET_FRAME_EXTENTS"), insetsProperty(*x, "_GTK_FRAME_EXTENTS"));
    return scaled(visible, 1 / scale());
}

std::optional<std::size_t> X11DesktopWindow::monitorIndex() const {
    const auto current = frame();
    return current ? monitorUnder(*current, monitorRects(display_)) : std::nullopt;
}

std::optional<ScreenFrames> X11DesktopWindow::screen() const {
    const auto x = xWindowOf(window_);
    const auto index = monitorIndex();
    if (!x || !index) return std::nullopt;
    const Rect monitor = monitorRects(display_)[*index];
    ErrorTrap trap(display_);
    const auto desktop = desktopWorkArea(*x);
    const auto workArea = desktop ? std::optional<Rect>(scaled(*desktop, 1 / scale())) : std::nullopt;
    return ScreenFrames{monitor, monitorWorkArea(monitor, workArea)};
}

std::optional<Point> X11DesktopWindow::pointer() const {
    const auto x = xWindowOf(window_);
    if (!x) return std::nullopt;
    ::Window root, child;
    int rootX, rootY, windowX, windowY;
    unsigned mask;
    if (!XQueryPointer(x->display, x->root, &root, &child, &rootX, &rootY, &windowX, &windowY, &mask))
        return std::nullopt;
    return Point{rootX / scale(), rootY / scale()};
}

void X11DesktopWindow::reserveEdge(DockSide side, double width) {
    const auto x = xWindowOf(window_);
    if (!x) return;
    const auto current = screen();
    const auto strut = current && side != DockSide::none
                           ? dockStrut(side, scaled(current->frame, scale()), rootRect(*x), width * scale())
                           : std::nullopt;
    ErrorTrap trap(display_);
    const Atom atom = XInternAtom(x->display, "_NET_WM_STRUT_PARTIAL", False);
    if (strut)
        XChangeProperty(x->display, x->window, atom, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(strut->data()), int(strut->size()));
    else
        XDeleteProperty(x->display, x->window, atom);
    XFlush(x->display);
}

void X11DesktopWindow::animateFrame(const Rect& target, const TimingCurve& curve, Milliseconds duration,
                                    std::function<void()> done) {
    interruptAnimation();
    const auto from = frame();
    // An unmapped window gets no frames: it goes straight to the target.
    if (!from || !gtk_widget_get_mapped(GTK_WIDGET(window_))) {
        if (from) setFrame(target);
        return done();
    }
    animation_ = Animation{*from, target, curve, duration, std::move(done)};
    tickID_ = gtk_widget_add_tick_callback(GTK_WIDGET(window_), onTick, this, nullptr);
}

void X11DesktopWindow::interruptAnimation() {
    if (!animation_) return;
    if (window_ && tickID_) gtk_widget_remove_tick_callback(GTK_WIDGET(window_), tickID_);
    tickID_ = 0;
    auto done = std::move(animation_->done);
    animation_.reset();
    done();
}

gboolean X11DesktopWindow::onTick(GtkWidget*, GdkFrameClock* clock, gpointer self) {
    return static_cast<X11DesktopWindow*>(self)->tick(gdk_frame_clock_get_frame_time(clock)) ? G_SOURCE_CONTINUE
                                                                                            : G_SOURCE_REMOVE;
}

bool X11DesktopWindow::tick(gint64 frameTime) {
    auto& a = *animation_;
    if (a.start < 0) a.start = frameTime;
    const double elapsed = double(frameTime - a.start) / double(std::chrono::microseconds(a.duration).count());
    if (elapsed < 1) {
        setFrame(interpolate(a.from, a.to, a.curve.progress(elapsed)));
        return true;
    }
    setFrame(a.to);
    tickID_ = 0;
    auto done = std::move(a.done);
    animation_.reset();
    done();
    return false;
}

void X11DesktopWindow::setFrame(const Rect& visible) {
    const auto x = xWindowOf(window_);
    if (!x) return;
    ErrorTrap trap(display_);
    const Rect client = clientRect(scaled(visible, scale()), insetsProperty(*x, "_NET_FRAME_EXTENTS"),
                                   insetsProperty(*x, "_GTK_FRAME_EXTENTS"));
    XMoveResizeWindow(x->display, x->window, int(std::lround(client.x)), int(std::lround(client.y)),
                      unsigned(std::max(1L, std::lround(client.width))),
                      unsigned(std::max(1L, std::lround(client.height))));
    XFlush(x->display);
    lastMove_ = std::chrono::steady_clock::now();
}

void X11DesktopWindow::handleConfigure() {
    const auto current = frame();
    const auto monitor = monitorIndex();
    const bool moved = current && lastSeenFrame_ &&
                       (current->x != lastSeenFrame_->x || current->y != lastSeenFrame_->y);
    const bool changedMonitor = monitor != lastSeenMonitor_;
    lastSeenFrame_ = current;
    lastSeenMonitor_ = monitor;
    if (animation_ || std::chrono::steady_clock::now() - lastMove_ < settleTime) return;
    if (moved) movedByUser_.emit();
    if (changedMonitor) screenChanged_.emit();
}

gboolean X11DesktopWindow::onXEvent(GdkDisplay*, gpointer xevent, gpointer data) {
    auto* self = static_cast<X11DesktopWindow*>(data);
    const auto* event = static_cast<const XEvent*>(xevent);
    const auto x = xWindowOf(self->window_);
    if (!x) return FALSE;
    if (event->type == ConfigureNotify && event->xconfigure.window == x->window) {
        self->handleConfigure();
    } else if (event->type == ConfigureNotify && event->xconfigure.window == x->root) {
        self->screenChanged_.emit();
    } else if (event->type == PropertyNotify && event->xproperty.window == x->root &&
               event->xproperty.atom == XInternAtom(x->display, "_NET_WORKAREA", False)) {
        self->screenChanged_.emit();
    }
    return FALSE;
}

void X11DesktopWindow::onMonitorsChanged(GListModel*, guint, guint, guint, gpointer self) {
    static_cast<X11DesktopWindow*>(self)->screenChanged_.emit();
}

}  // namespace corvina
