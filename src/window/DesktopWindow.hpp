#pragma once
#include <functional>
#include <optional>

#include <sigc++/signal.h>

#include "platform/MainQueue.hpp"
#include "window/DockSide.hpp"
#include "window/TimingCurve.hpp"
#include "window/WindowGeometry.hpp"

namespace corvina {

// What the dock manager and the maximizer need of a window on the desktop. The window is
// held weakly: once it is gone, it has no frame and no screen and nothing moves.
class DesktopWindow {
public:
    virtual ~DesktopWindow() = default;

    // The frame as the user sees it (no invisible shadow).
    virtual std::optional<Rect> frame() const = 0;
    // The monitor the window is on.
    virtual std::optional<ScreenFrames> screen() const = 0;
    // Where the pointer is on the desktop.
    virtual std::optional<Point> pointer() const = 0;

    // Moves the frame to `target` over `duration`; `done` runs when it got there, or when a
    // newer animation takes over. Without a window, `done` runs at once.
    virtual void animateFrame(const Rect& target, const TimingCurve& curve, Milliseconds duration,
                              std::function<void()> done) = 0;
    // Tells the desktop that the window keeps a strip at `side` (none: no longer), so that
    // window managers let it lie beyond that edge.
    virtual void reserveEdge(DockSide side, double width) = 0;

    // The user moved the window (moves made by animateFrame do not count).
    virtual sigc::signal<void()>& signalMovedByUser() = 0;
    // The window changed monitor, or monitors or work areas changed.
    virtual sigc::signal<void()>& signalScreenChanged() = 0;
};

}  // namespace corvina
