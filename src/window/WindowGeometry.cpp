#include "window/WindowGeometry.hpp"

#include <algorithm>

namespace corvina {

double overlapArea(const Rect& a, const Rect& b) {
    const double width = std::min(a.maxX(), b.maxX()) - std::max(a.minX(), b.minX());
    const double height = std::min(a.maxY(), b.maxY()) - std::max(a.minY(), b.minY());
    return width > 0 && height > 0 ? width * height : 0;
}

std::optional<std::size_t> monitorUnder(const Rect& frame, const std::vector<Rect>& monitors) {
    if (monitors.empty()) return std::nullopt;
    std::size_t best = 0;
    for (std::size_t i = 1; i < monitors.size(); ++i)
        if (overlapArea(frame, monitors[i]) > overlapArea(frame, monitors[best])) best = i;
    return best;
}

namespace {

double centredY(const Rect& preDock, const ScreenFrames& screen) { return screen.workArea.midY() - preDock.height / 2; }

}  // namespace

Rect hiddenDockFrame(const Rect& preDock, DockSide side, const ScreenFrames& screen, double grip) {
    if (side == DockSide::none) return preDock;
    const double x = side == DockSide::left ? screen.frame.minX() - preDock.width + grip : screen.frame.maxX() - grip;
    return {x, centredY(preDock, screen), preDock.width, preDock.height};
}

Rect shownDockFrame(const Rect& preDock, DockSide side, const ScreenFrames& screen) {
    if (side == DockSide::none) return preDock;
    const double x = side == DockSide::left ? screen.workArea.minX() : screen.workArea.maxX() - preDock.width;
    return {x, centredY(preDock, screen), preDock.width, preDock.height};
}

bool isInDockTriggerZone(Point p, DockSide side, const ScreenFrames& screen, double zone) {
    const bool besideWorkArea = p.y >= screen.workArea.minY() && p.y <= screen.workArea.maxY();
    switch (side) {
    case DockSide::left:
        return besideWorkArea && p.x <= screen.frame.minX() + zone;
    case DockSide::right:
        return besideWorkArea && p.x >= screen.frame.maxX() - zone;
    case DockSide::none:
        break;
    }
    return false;
}

std::optional<Rect> splitWidenedFrame(const Rect& frame, double minWidth, const std::optional<Rect>& workArea) {
    if (frame.width >= minWidth) return std::nullopt;
    double x = frame.midX() - minWidth / 2;
    // Flush with the right edge (and beyond the left one) where the work area is too narrow.
    if (workArea) x = std::min(std::max(workArea->minX(), x), workArea->maxX() - minWidth);
    return Rect{x, frame.y, minWidth, frame.height};
}

Rect visibleFrame(const Rect& client, const Insets& decorations, const Insets& shadow) {
    return {client.x - decorations.left + shadow.left, client.y - decorations.top + shadow.top,
            client.width + decorations.left + decorations.right - shadow.left - shadow.right,
            client.height + decorations.top + decorations.bottom - shadow.top - shadow.bottom};
}

Rect clientRect(const Rect& visible, const Insets& decorations, const Insets& shadow) {
    return {visible.x + decorations.left - shadow.left, visible.y + decorations.top - shadow.top,
            visible.width - decorations.left - decorations.right + shadow.left + shadow.right,
            visible.height - decorations.top - decorations.bottom + shadow.top + shadow.bottom};
}

Rect interpolate(const Rect& from, const Rect& to, double progress) {
    auto between = [progress](double a, double b) { return a + (b - a) * progress; };
    return {between(from.x, to.x), between(from.y, to.y), between(from.width, to.width),
            between(from.height, to.height)};
}

Rect monitorWorkArea(const Rect& monitor, const std::optional<Rect>& desktopWorkArea) {
    if (!desktopWorkArea || overlapArea(monitor, *desktopWorkArea) == 0) return monitor;
    const double x = std::max(monitor.minX(), desktopWorkArea->minX());
    const double y = std::max(monitor.minY(), desktopWorkArea->minY());
    return {x, y, std::min(monitor.maxX(), desktopWorkArea->maxX()) - x,
            std::min(monitor.maxY(), desktopWorkArea->maxY()) - y};
}

std::optional<std::array<long, 12>> dockStrut(DockSide side, const Rect& monitor, const Rect& root, double grip) {
    // Fields: left, right, top, bottom, then the start and end of each along its edge.
    std::array<long, 12> strut{};
    const long top = static_cast<long>(monitor.minY());
    const long bottom = static_cast<long>(monitor.maxY()) - 1;
    if (side == DockSide::left && monitor.minX() == root.minX()) {
        strut[0] = static_cast<long>(grip);
        strut[4] = top;
        strut[5] = bottom;
        return strut;
    }
    if (side == DockSide::right && monitor.maxX() == root.maxX()) {
        strut[1] = static_cast<long>(grip);
        strut[6] = top;
        strut[7] = bottom;
        return strut;
    }
    return std::nullopt;
}

}  // namespace corvina
