#include <gtest/gtest.h>

#include "window/TimingCurve.hpp"
#include "window/WindowGeometry.hpp"

using namespace corvina;

namespace {

// A 1440 × 900 monitor with a 25-pixel panel along its top.
const ScreenFrames laptop{{0, 0, 1440, 900}, {0, 25, 1440, 875}};
const Rect window800{320, 150, 800, 600};

TEST(WindowDockGeometry, HiddenFrameLeavesOnlyTheGripOnScreenCentredOnTheWorkArea) {
    const Rect left = hiddenDockFrame(window800, DockSide::left, laptop, 4);
    EXPECT_EQ(left, (Rect{-796, 162.5, 800, 600}));
    EXPECT_EQ(hiddenDockFrame(window800, DockSide::right, laptop, 4), (Rect{1436, 162.5, 800, 600}));
    EXPECT_EQ(hiddenDockFrame(window800, DockSide::none, laptop, 4), window800);
}

TEST(WindowDockGeometry, HiddenFrameFollowsAMonitorThatDoesNotStartAtZero) {
    const ScreenFrames second{{1440, 0, 1920, 1080}, {1440, 0, 1920, 1040}};
    EXPECT_EQ(hiddenDockFrame(window800, DockSide::left, second, 4).x, 1440 - 796);
    EXPECT_EQ(hiddenDockFrame(window800, DockSide::right, second, 4).x, 3360 - 4);
    EXPECT_EQ(hiddenDockFrame(window800, DockSide::right, second, 4).y, 220);
}

TEST(WindowDockGeometry, ShownFrameStandsAgainstTheWorkAreaEdge) {
    const ScreenFrames panelLeft{{0, 0, 1440, 900}, {48, 0, 1392, 900}};
    EXPECT_EQ(shownDockFrame(window800, DockSide::left, panelLeft), (Rect{48, 150, 800, 600}));
    EXPECT_EQ(shownDockFrame(window800, DockSide::right, laptop), (Rect{640, 162.5, 800, 600}));
    EXPECT_EQ(shownDockFrame(window800, DockSide::none, laptop), window800);
}

TEST(WindowDockGeometry, TriggerZoneIsTwentyPixelsFromTheEdgeBesideTheWorkArea) {
    EXPECT_TRUE(isInDockTriggerZone({20, 400}, DockSide::left, laptop, 20));
    EXPECT_FALSE(isInDockTriggerZone({21, 400}, DockSide::left, laptop, 20));
    EXPECT_TRUE(isInDockTriggerZone({1420, 400}, DockSide::right, laptop, 20));
    EXPECT_FALSE(isInDockTriggerZone({1419, 400}, DockSide::right, laptop, 20));
    // The panel band above the work area does not count; its bounds do.
    EXPECT_FALSE(isInDockTriggerZone({0, 10}, DockSide::left, laptop, 20));
    EXPECT_TRUE(isInDockTriggerZone({0, 25}, DockSide::left, laptop, 20));
    EXPECT_TRUE(isInDockTriggerZone({0, 900}, DockSide::left, laptop, 20));
    EXPECT_FALSE(isInDockTriggerZone({0, 400}, DockSide::none, laptop, 20));
}

TEST(WindowSplitGeometry, NarrowWindowGrowsAboutItsCentreInsideTheWorkArea) {
    const Rect narrow{200, 80, 1000, 700};  // centred at x = 700
    EXPECT_EQ(splitWidenedFrame(narrow, 1200, Rect{0, 0, 1440, 900}), (Rect{100, 80, 1200, 700}));
    // Flush with the right edge where the work area is narrower than the window.
    EXPECT_EQ(splitWidenedFrame(narrow, 1200, Rect{0, 0, 1100, 900})->x, -100);
    const Rect nearRight{800, 80, 1000, 700};  // centred at x = 1300
    EXPECT_EQ(splitWidenedFrame(nearRight, 1200, Rect{0, 0, 1440, 900})->x, 240);
    const Rect nearLeft{-300, 80, 1000, 700};
    EXPECT_EQ(splitWidenedFrame(nearLeft, 1200, Rect{0, 0, 1440, 900})->x, 0);
    EXPECT_EQ(splitWidenedFrame(nearLeft, 1200, std::nullopt)->x, -400);
}

TEST(WindowSplitGeometry, WindowAtLeastTheMinimumWidthIsLeftAlone) {
    EXPECT_FALSE(splitWidenedFrame({0, 0, 1200, 700}, 1200, Rect{0, 0, 1440, 900}));
    EXPECT_FALSE(splitWidenedFrame({0, 0, 1300, 700}, 1200, Rect{0, 0, 1440, 900}));
    EXPECT_TRUE(splitWidenedFrame({0, 0, 1199, 700}, 1200, Rect{0, 0, 1440, 900}));
}

TEST(WindowFrameGeometry, VisibleFrameDropsTheShadowAndAddsDecorations) {
    const Insets shadow{14, 14, 12, 17};
    const Rect client{100, 100, 828, 629};
    EXPECT_EQ(visibleFrame(client, {}, shadow), (Rect{114, 112, 800, 600}));
    const Insets titleBar{1, 1, 24, 1};
    EXPECT_EQ(visibleFrame({100, 100, 800, 600}, titleBar, {}), (Rect{99, 76, 802, 625}));
    for (const Rect& visible : {Rect{-796, 150, 800, 600}, Rect{0, 0, 1440, 900}}) {
        EXPECT_EQ(visibleFrame(clientRect(visible, titleBar, shadow), titleBar, shadow), visible);
    }
}

TEST(WindowScreenGeometry, MonitorWorkAreaIsItsShareOfTheDesktopWorkArea) {
    const Rect monitor{1440, 0, 1920, 1080};
    EXPECT_EQ(monitorWorkArea(monitor, Rect{0, 30, 3360, 1050}), (Rect{1440, 30, 1920, 1050}));
    EXPECT_EQ(monitorWorkArea(monitor, std::nullopt), monitor);
    EXPECT_EQ(monitorWorkArea(monitor, Rect{0, 0, 1440, 900}), monitor);
}

TEST(WindowScreenGeometry, WindowBelongsToTheMonitorHoldingMostOfIt) {
    const std::vector<Rect> monitors{{0, 0, 1440, 900}, {1440, 0, 1920, 1080}};
    EXPECT_EQ(monitorUnder({1000, 100, 800, 600}, monitors), 0u);  // 440 on the first, 360 on the second
    EXPECT_EQ(monitorUnder({1100, 100, 800, 600}, monitors), 1u);  // 340 and 460
    EXPECT_EQ(monitorUnder({-5000, 100, 800, 600}, monitors), 0u);
    EXPECT_FALSE(monitorUnder({0, 0, 10, 10}, {}));
}

TEST(WindowScreenGeometry, StrutReservesTheGripOnlyAtAnOuterEdge) {
    const Rect root{0, 0, 3360, 1080};
    const Rect leftMonitor{0, 0, 1440, 900};
    const auto left = dockStrut(DockSide::left, leftMonitor, root, 4);
    ASSERT_TRUE(left);
    EXPECT_EQ(*left, (std::array<long, 12>{4, 0, 0, 0, 0, 899, 0, 0, 0, 0, 0, 0}));
    const auto right = dockStrut(DockSide::right, Rect{1440, 0, 1920, 1080}, root, 4);
    ASSERT_TRUE(right);
    EXPECT_EQ(*right, (std::array<long, 12>{0, 4, 0, 0, 0, 0, 0, 1079, 0, 0, 0, 0}));
    EXPECT_FALSE(dockStrut(DockSide::right, leftMonitor, root, 4));
    EXPECT_FALSE(dockStrut(DockSide::none, leftMonitor, root, 4));
}

TEST(WindowAnimationCurve, CurvesRunFromStartToEndAndKeepTheirShape) {
    for (const auto& curve : {TimingCurve::easeInEaseOut(), TimingCurve::quickSettle()}) {
        EXPECT_DOUBLE_EQ(curve.progress(0), 0);
        EXPECT_DOUBLE_EQ(curve.progress(1), 1);
        EXPECT_DOUBLE_EQ(curve.progress(2), 1);
        double previous = 0;
        for (double t = 0.05; t <= 1; t += 0.05) {
            EXPECT_GE(curve.progress(t), previous);
            previous = curve.progress(t);
        }
    }
    // Points worked out by hand at curve parameter 0.25 and 0.5.
    EXPECT_NEAR(TimingCurve::easeInEaseOut().progress(0.274375), 0.15625, 1e-6);
    EXPECT_NEAR(TimingCurve::easeInEaseOut().progress(0.5), 0.5, 1e-6);
    EXPECT_NEAR(TimingCurve::quickSettle().progress(0.3125), 0.8375, 1e-6);
    // A linear curve maps time to itself.
    EXPECT_NEAR(TimingCurve(0.25, 0.25, 0.75, 0.75).progress(0.3), 0.3, 1e-6);
}

TEST(WindowAnimationCurve, InterpolatedFramesMoveFromOneFrameToTheOther) {
    const Rect from{0, 0, 800, 600};
    const Rect to{-796, 150, 1200, 600};
    EXPECT_EQ(interpolate(from, to, 0), from);
    EXPECT_EQ(interpolate(from, to, 1), to);
    EXPECT_EQ(interpolate(from, to, 0.5), (Rect{-398, 75, 1000, 600}));
}

}  // namespace
