#include <gtest/gtest.h>

#include "unit/FakeDesktopWindow.hpp"
#include "window/TimingCurve.hpp"
#include "window/WindowGeometry.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// Hidden, only the grip is on screen, centred on the work area; shown, the window stands
// against the work area's edge. Monitors need not start at zero. (The dock manager's tests
// walk through the frames on the plain laptop screen.)
TEST(WindowDockGeometry, FramesStandAtTheWorkAreaEdgeAndTheTriggerZoneIsTwentyPixelsBesideIt) {
    const ScreenFrames second{{1440, 0, 1920, 1080}, {1440, 0, 1920, 1040}};
    const ScreenFrames panelLeft{{0, 0, 1440, 900}, {48, 0, 1392, 900}};
    EXPECT_EQ(hiddenDockFrame(startFrame, DockSide::none, laptop, 4), startFrame);
    EXPECT_EQ(hiddenDockFrame(startFrame, DockSide::left, second, 4), (Rect{1440 - 796, 220, 800, 600}));
    EXPECT_EQ(hiddenDockFrame(startFrame, DockSide::right, second, 4), (Rect{3360 - 4, 220, 800, 600}));
    EXPECT_EQ(shownDockFrame(startFrame, DockSide::left, panelLeft), (Rect{48, 150, 800, 600}));
    EXPECT_EQ(shownDockFrame(startFrame, DockSide::none, laptop), startFrame);

    // The trigger zone: twenty pixels from the edge beside the work area; the panel band
    // above it does not count, its bounds do.
    const std::vector<std::tuple<Point, DockSide, bool>> cases = {
        {{20, 400}, DockSide::left, true},    {{21, 400}, DockSide::left, false},
        {{1420, 400}, DockSide::right, true}, {{1419, 400}, DockSide::right, false},
        {{0, 10}, DockSide::left, false},     {{0, 25}, DockSide::left, true},
        {{0, 900}, DockSide::left, true},     {{0, 400}, DockSide::none, false},
    };
    for (const auto& [point, side, inside] : cases)
        EXPECT_EQ(isInDockTriggerZone(point, side, laptop, 20), inside) << point.x << "," << point.y;
}

// A narrow window grows about its centre inside the work area, flush with the right edge
// where the work area is narrower than the window; one at least as wide is left alone.
TEST(WindowSplitGeometry, NarrowWindowGrowsAboutItsCentreInsideTheWorkArea) {
    const Rect screen{0, 0, 1440, 900};
    EXPECT_EQ(splitWidenedFrame({200, 80, 1000, 700}, 1200, Rect{0, 0, 1100, 900})->x, -100);
    EXPECT_EQ(splitWidenedFrame({800, 80, 1000, 700}, 1200, screen)->x, 240);
    EXPECT_EQ(splitWidenedFrame({-300, 80, 1000, 700}, 1200, screen)->x, 0);
    EXPECT_EQ(splitWidenedFrame({-300, 80, 1000, 700}, 1200, std::nullopt)->x, -400);
    EXPECT_FALSE(splitWidenedFrame({0, 0, 1200, 700}, 1200, screen));
    EXPECT_FALSE(splitWidenedFrame({0, 0, 1300, 700}, 1200, screen));
    EXPECT_TRUE(splitWidenedFrame({0, 0, 1199, 700}, 1200, screen));
}

TEST(WindowScreenGeometry, FramesMonitorsWorkAreasAndStruts) {
    // The visible frame drops the shadow and adds the decorations.
    const Insets shadow{14, 14, 12, 17};
    const Insets titleBar{1, 1, 24, 1};
    EXPECT_EQ(visibleFrame({100, 100, 828, 629}, {}, shadow), (Rect{114, 112, 800, 600}));
    EXPECT_EQ(visibleFrame({100, 100, 800, 600}, titleBar, {}), (Rect{99, 76, 802, 625}));
    for (const Rect& visible : {Rect{-796, 150, 800, 600}, Rect{0, 0, 1440, 900}})
        EXPECT_EQ(visibleFrame(clientRect(visible, titleBar, shadow), titleBar, shadow), visible);

    // A monitor's work area is its share of the desktop's; a window belongs to the monitor
    // holding most of it; the strut reserves the grip only at an outer edge of the desktop.
    const Rect monitor{1440, 0, 1920, 1080};
    EXPECT_EQ(monitorWorkArea(monitor, Rect{0, 30, 3360, 1050}), (Rect{1440, 30, 1920, 1050}));
    EXPECT_EQ(monitorWorkArea(monitor, std::nullopt), monitor);
    EXPECT_EQ(monitorWorkArea(monitor, Rect{0, 0, 1440, 900}), monitor);

    const std::vector<Rect> monitors{{0, 0, 1440, 900}, monitor};
    EXPECT_EQ(monitorUnder({1000, 100, 800, 600}, monitors), 0u);  // 440 on the first, 360 on the second
    EXPECT_EQ(monitorUnder({1100, 100, 800, 600}, monitors), 1u);  // 340 and 460
    EXPECT_EQ(monitorUnder({-5000, 100, 800, 600}, monitors), 0u);
    EXPECT_FALSE(monitorUnder({0, 0, 10, 10}, {}));

    const Rect root{0, 0, 3360, 1080};
    EXPECT_EQ(dockStrut(DockSide::left, monitors[0], root, 4), (std::array<long, 12>{4, 0, 0, 0, 0, 899, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(dockStrut(DockSide::right, monitor, root, 4), (std::array<long, 12>{0, 4, 0, 0, 0, 0, 0, 1079, 0, 0, 0, 0}));
    EXPECT_FALSE(dockStrut(DockSide::right, monitors[0], root, 4));
    EXPECT_FALSE(dockStrut(DockSide::none, monitors[0], root, 4));
}

TEST(WindowAnimationCurve, CurvesRunFromStartToEndAndKeepTheirShape) {
    for (const auto& curve : {TimingCurve::easeInEaseOut(), TimingCurve::quickSettle()}) {
        EXPECT_DOUBLE_EQ(curve.progress(0), 0);
        EXPECT_DOUBLE_EQ(curve.progress(1), 1);
        EXPECT_DOUBLE_EQ(curve.progress(2), 1);
        for (double t = 0.05; t <= 1; t += 0.05) EXPECT_GE(curve.progress(t), curve.progress(t - 0.05));
    }
    // Points worked out by hand at curve parameter 0.25 and 0.5.
    EXPECT_NEAR(TimingCurve::easeInEaseOut().progress(0.274375), 0.15625, 1e-6);
    EXPECT_NEAR(TimingCurve::easeInEaseOut().progress(0.5), 0.5, 1e-6);
    EXPECT_NEAR(TimingCurve::quickSettle().progress(0.3125), 0.8375, 1e-6);
    EXPECT_NEAR(TimingCurve(0.25, 0.25, 0.75, 0.75).progress(0.3), 0.3, 1e-6) << "linear maps time to itself";

    const Rect from{0, 0, 800, 600}, to{-796, 150, 1200, 600};
    EXPECT_EQ(interpolate(from, to, 0), from);
    EXPECT_EQ(interpolate(from, to, 1), to);
    EXPECT_EQ(interpolate(from, to, 0.5), (Rect{-398, 75, 1000, 600}));
}

}  // namespace
