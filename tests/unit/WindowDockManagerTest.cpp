#include <gtest/gtest.h>

#include "platform/NotificationCenter.hpp"
#include "unit/FakeDesktopWindow.hpp"
#include "window/DockNotifications.hpp"
#include "window/WindowDockManager.hpp"
#include "window/WindowMaximizer.hpp"

using namespace corvina;
using namespace corvina::testing;
using namespace std::chrono_literals;

namespace {

using Move = FakeDesktopWindow::Move;
const Rect hiddenLeft{-796, 162.5, 800, 600};
Move slide(const Rect& to) { return {to, TimingCurve::easeInEaseOut(), 400ms}; }
Move settle(const Rect& to) { return {to, TimingCurve::quickSettle(), 400ms}; }

class WindowDockManagerTest : public ::testing::Test {
protected:
    void dockAndSettle(DockSide side) {
        manager.dock(side);
        queue.advance(WindowDockManager::animationDuration);
    }
    void slideOutAndSettle() {
        window.pointerAt = Point{0, 400};
        queue.advance(WindowDockManager::pollInterval);
        ASSERT_TRUE(manager.isSlidOut());
        queue.advance(WindowDockManager::animationDuration);
    }
    int exitsPosted() {
        queue.drain();
        return exits;
    }

    ManualMainQueue queue;
    NotificationCenter notifications{queue};
    FakeDesktopWindow window{queue};
    WindowDockManager manager{window, queue, notifications};
    int exits = 0;
    ObserverToken exitObserver = notifications.addObserver(windowDidExitDockModeNotification, [this] { ++exits; });
};

// The window goes off screen but for its grip; the pointer near the edge (not while an
// animation runs) slides it out, leaving it slides it back. Inside the window, however far
// from the edge, it stays out.
TEST_F(WindowDockManagerTest, PointerAtTheEdgeSlidesTheDockedWindowOutAndLeavingItSlidesItBack) {
    manager.dock(DockSide::left);
    EXPECT_EQ(manager.dockSide(), DockSide::left);
    EXPECT_EQ(window.lastMove(), slide(hiddenLeft));
    EXPECT_EQ(std::pair(window.reservedEdge, window.reservedWidth), std::pair(DockSide::left, 4.0));
    window.pointerAt = Point{0, 400};
    queue.advance(300ms);  // two polls, both during the docking animation
    EXPECT_FALSE(manager.isSlidOut());
    window.pointerAt = Point{21, 400};
    queue.advance(1s);
    EXPECT_EQ(window.moves.size(), 1u);

    window.pointerAt = Point{20, 400};
    queue.advance(150ms);
    EXPECT_TRUE(manager.isSlidOut());
    EXPECT_EQ(window.lastMove(), slide({0, 162.5, 800, 600}));
    queue.advance(400ms);
    window.pointerAt = Point{790, 700};
    queue.advance(600ms);
    EXPECT_TRUE(manager.isSlidOut());
    window.pointerAt = Point{900, 400};
    queue.advance(150ms);
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_EQ(window.lastMove(), slide(hiddenLeft));
}

// Pages rest while only the grip is seen: the word goes out once the window got there, and
// back before it slides out, so the page is drawn while it comes into view.
TEST_F(WindowDockManagerTest, TellsWhenOnlyTheGripIsSeenAndWhenTheWindowComesBack) {
    std::vector<std::string> heard;
    ObserverToken in = notifications.addObserver(windowDidSlideInNotification, [&] { heard.push_back("in"); });
    ObserverToken out = notifications.addObserver(windowWillSlideOutNotification, [&] { heard.push_back("out"); });
    const auto told = [&] {
        queue.drain();
        return heard;
    };
    manager.dock(DockSide::left);
    queue.advance(300ms);
    EXPECT_TRUE(told().empty()) << "still on its way to the edge";
    queue.advance(100ms);
    EXPECT_EQ(told(), std::vector<std::string>{"in"});
    window.pointerAt = Point{0, 400};
    queue.advance(150ms);
    EXPECT_EQ(told(), (std::vector<std::string>{"in", "out"}));
    queue.advance(400ms);

    // Sliding in again, overtaken by the pointer coming back: the window never got there.
    window.pointerAt = Point{900, 400};
    queue.advance(350ms);
    manager.exitDock(true);
    queue.advance(1s);
    EXPECT_EQ(told(), (std::vector<std::string>{"in", "out"}));
}

// Only a move of the window resting slid out ends dock mode, where the user left it.
TEST_F(WindowDockManagerTest, UserMovingTheSlidOutWindowEndsDockMode) {
    dockAndSettle(DockSide::left);
    window.userMoves({-790, 162.5, 800, 600});  // slid in: nobody listens
    window.pointerAt = Point{0, 400};
    queue.advance(150ms);
    ASSERT_TRUE(manager.isAnimating());
    window.userMoves({-300, 162.5, 800, 600});  // during the slide out
    EXPECT_EQ(manager.dockSide(), DockSide::left);
    EXPECT_EQ(exitsPosted(), 0);
    queue.advance(400ms);

    const auto movesBefore = window.moves.size();
    window.userMoves({500, 300, 800, 600});
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_FALSE(manager.isSlidOut());
    window.userMoves({520, 300, 800, 600});
    EXPECT_EQ(exitsPosted(), 1);
    EXPECT_EQ(window.reservedEdge, DockSide::none);
    // Polling has stopped: the pointer still at the edge calls nothing out.
    queue.advance(1s);
    EXPECT_EQ(window.moves.size(), movesBefore);
    EXPECT_EQ(window.currentFrame, (Rect{520, 300, 800, 600}));
    EXPECT_EQ(queue.pendingTimers(), 0u);
}

// Undocking brings back the user's frame once, also after docking to the other side, which
// passes through undocked (and an undock while that is pending stays undocked).
TEST_F(WindowDockManagerTest, UndockReturnsToTheUsersFrameOnceAndTheOtherSideGoesThroughUndocked) {
    manager.exitDock(true);
    dockAndSettle(DockSide::left);
    slideOutAndSettle();
    manager.exitDock(true);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_EQ(window.lastMove(), settle(startFrame));
    queue.advance(400ms);
    const auto moves = window.moves.size();
    manager.exitDock(true);
    EXPECT_EQ(window.moves.size(), moves);
    EXPECT_EQ(exitsPosted(), 1);
    EXPECT_EQ(queue.pendingTimers(), 0u);

    dockAndSettle(DockSide::left);
    manager.dock(DockSide::right);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_EQ(exitsPosted(), 2);
    EXPECT_EQ(window.moves.size(), moves + 1);
    queue.advance(399ms);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    queue.advance(1ms);
    EXPECT_EQ(manager.dockSide(), DockSide::right);
    EXPECT_EQ(window.reservedEdge, DockSide::right);
    EXPECT_EQ(window.lastMove().target, (Rect{1436, 162.5, 800, 600}));
    queue.advance(1s);
    manager.exitDock(true);
    EXPECT_EQ(window.lastMove().target, startFrame) << "not the hidden frame of the first edge";

    dockAndSettle(DockSide::left);
    manager.dock(DockSide::right);
    manager.exitDock(true);
    queue.advance(1s);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_EQ(exitsPosted(), 4);
}

TEST_F(WindowDockManagerTest, ScreenChangeReplacesTheWindowOnTheNewEdgeInTheSameState) {
    const ScreenFrames bigger{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}};
    dockAndSettle(DockSide::right);
    window.changeMonitor(bigger);
    EXPECT_EQ(window.lastMove().target, (Rect{1916, 240, 800, 600}));
    queue.advance(400ms);
    window.pointerAt = Point{1919, 500};
    queue.advance(550ms);
    window.changeMonitor(laptop);
    EXPECT_TRUE(manager.isSlidOut());
    EXPECT_EQ(window.lastMove().target, (Rect{640, 162.5, 800, 600}));

    manager.exitDock(false);
    const auto moves = window.moves.size();
    window.changeMonitor(bigger);
    EXPECT_EQ(window.moves.size(), moves);
}

// Nothing happens without a side or a window; an animation ending after its manager is gone
// is harmless.
TEST_F(WindowDockManagerTest, DockingWithoutASideOrWindowOrAfterTheManagerIsGoneIsHarmless) {
    manager.dock(DockSide::none);
    window.exists = false;
    manager.dock(DockSide::left);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_TRUE(window.moves.empty());
    EXPECT_EQ(window.reservedEdge, DockSide::none);
    EXPECT_EQ(queue.pendingTimers(), 0u);

    window.exists = true;
    auto other = std::make_unique<WindowDockManager>(window, queue, notifications);
    other->dock(DockSide::left);
    other.reset();
    queue.advance(1s);
    EXPECT_EQ(window.currentFrame.x, -796);
    EXPECT_EQ(queue.pendingTimers(), 0u);
}

// Zooming back returns to the frame taken at the latest maximise, wherever the maximised
// window was dragged since; without a screen only the flag flips.
TEST(WindowMaximizer, ZoomTwiceReturnsToTheFrameBeforeMaximising) {
    ManualMainQueue queue;
    FakeDesktopWindow window{queue};
    WindowMaximizer maximizer{window};
    maximizer.toggle();
    EXPECT_TRUE(maximizer.isMaximized());
    EXPECT_EQ(window.lastMove(), settle(laptop.workArea));
    queue.advance(400ms);
    window.userMoves({600, 200, 1440, 875});
    maximizer.toggle();
    queue.advance(400ms);
    EXPECT_FALSE(maximizer.isMaximized());
    EXPECT_EQ(window.currentFrame, startFrame);
    window.userMoves({10, 30, 900, 640});
    maximizer.toggle();
    maximizer.toggle();
    EXPECT_EQ(window.lastMove().target, (Rect{10, 30, 900, 640}));

    queue.advance(400ms);
    window.userMoves({70, 40, 800, 600});
    window.monitor = std::nullopt;
    const auto moves = window.moves.size();
    maximizer.toggle();
    EXPECT_TRUE(maximizer.isMaximized());
    EXPECT_EQ(window.moves.size(), moves);
    window.userMoves({50, 60, 800, 600});
    maximizer.toggle();
    EXPECT_FALSE(maximizer.isMaximized());
    EXPECT_EQ(window.lastMove().target, (Rect{70, 40, 800, 600}));
}

}  // namespace
