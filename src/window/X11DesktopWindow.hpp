#pragma once
#include <chrono>
#include <optional>

#include <gtk/gtk.h>

#include "platform/SignalConnection.hpp"
#include "window/DesktopWindow.hpp"

namespace corvina {

// A GTK toplevel on an X11 display, placed with Xlib: GTK 4 has no way to position windows.
// Moves are animated on the window's frame clock.
class X11DesktopWindow final : public DesktopWindow {
public:
    // False where windows cannot be placed (Wayland).
    static bool canPlace(GtkWindow* window);

    explicit X11DesktopWindow(GtkWindow* window);
    ~X11DesktopWindow() override;
    X11DesktopWindow(const X11DesktopWindow&) = delete;
    X11DesktopWindow& operator=(const X11DesktopWindow&) = delete;

    // Null once the window is gone.
    GtkWindow* window() const { return window_; }

    std::optional<Rect> frame() const override;
    std::optional<ScreenFrames> screen() const override;
    std::optional<Point> pointer() const override;
    void animateFrame(const Rect& target, const TimingCurve& curve, Milliseconds duration,
                      std::function<void()> done) override;
    void reserveEdge(DockSide side, double width) override;
    sigc::signal<void()>& signalMovedByUser() override { return movedByUser_; }
    sigc::signal<void()>& signalScreenChanged() override { return screenChanged_; }

private:
    struct Animation {
        Rect from;
        Rect to;
        TimingCurve curve;
        Milliseconds duration;
        std::function<void()> done;
        gint64 start = -1;
    };

    static gboolean onTick(GtkWidget* widget, GdkFrameClock* clock, gpointer self);
    static gboolean onXEvent(GdkDisplay* display, gpointer xevent, gpointer self);
    static void onMonitorsChanged(GListModel* monitors, guint position, guint removed, guint added, gpointer self);

    bool tick(gint64 frameTime);
    void interruptAnimation();
    void setFrame(const Rect& frame);
    void handleConfigure();
    double scale() const;
    std::optional<std::size_t> monitorIndex() const;

    GtkWindow* window_;
    GdkDisplay* display_;
    std::optional<Animation> animation_;
    guint tickID_ = 0;
    SignalConnection xevents_;
    SignalConnection monitorsChanged_;
    std::chrono::steady_clock::time_point lastMove_;
    std::optional<Rect> lastSeenFrame_;
    std::optional<std::size_t> lastSeenMonitor_;
    sigc::signal<void()> movedByUser_;
    sigc::signal<void()> screenChanged_;
};

}  // namespace corvina
