#pragma once
#include <array>
#include <optional>
#include <vector>

#include "window/DockSide.hpp"

namespace corvina {

// Geometry in the desktop's global coordinates: origin top left, y grows downwards, units
// of logical pixels (device pixels divided by the window's scale).
struct Point {
    double x = 0;
    double y = 0;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double minX() const { return x; }
    double maxX() const { return x + width; }
    double midX() const { return x + width / 2; }
    double minY() const { return y; }
    double maxY() const { return y + height; }
    double midY() const { return y + height / 2; }
    bool contains(Point p) const { return p.x >= minX() && p.x <= maxX() && p.y >= minY() && p.y <= maxY(); }
    bool operator==(const Rect&) const = default;
};

// Widths of the bands around a window: the window manager's decorations or the toolkit's
// invisible shadow.
struct Insets {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
};

// A monitor: its whole rectangle and the part left free by panels (the work area).
struct ScreenFrames {
    Rect frame;
    Rect workArea;
};

double overlapArea(const Rect& a, const Rect& b);
// The monitor holding most of `frame`; the first one when it lies on none.
std::optional<std::size_t> monitorUnder(const Rect& frame, const std::vector<Rect>& monitors);

// Docked and slid in: only `grip` of the window stays on the screen, vertically centred on
// the work area. Undocked, `preDock` itself.
Rect hiddenDockFrame(const Rect& preDock, DockSide side, const ScreenFrames& screen, double grip);
// Docked and slid out: the whole window against the work area's edge.
Rect shownDockFrame(const Rect& preDock, DockSide side, const ScreenFrames& screen);
// The strip along the docked edge that calls the window out; only beside the work area.
bool isInDockTriggerZone(Point p, DockSide side, const ScreenFrames& screen, double zone);

// The frame a window narrower than `minWidth` gets before split mode: widened about its
// centre, kept inside the work area where it fits. None when it is wide enough.
std::optional<Rect> splitWidenedFrame(const Rect& frame, double minWidth, const std::optional<Rect>& workArea);

// What the user sees of a window whose X11 window (`client`) is wrapped in decorations and
// padded with an invisible shadow; and back.
Rect visibleFrame(const Rect& client, const Insets& decorations, const Insets& shadow);
Rect clientRect(const Rect& visible, const Insets& decorations, const Insets& shadow);

// The frame at `progress` (0 to 1) of the way from `from` to `to`.
Rect interpolate(const Rect& from, const Rect& to, double progress);

// A monitor's share of the desktop's work area (which window managers publish as one
// rectangle); the whole monitor when there is none or they do not meet.
Rect monitorWorkArea(const Rect& monitor, const std::optional<Rect>& desktopWorkArea);

// The _NET_WM_STRUT_PARTIAL values reserving `grip` along a monitor's edge when that edge is
// also the edge of the whole desktop (`root`); none at an edge between two monitors.
std::optional<std::array<long, 12>> dockStrut(DockSide side, const Rect& monitor, const Rect& root, double grip);

}  // namespace corvina
