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
    void pointerFor(Point at, Milliseconds wait) {
        window.pointerAt = at;
        queue.advance(wait);
    }
    // The side docked to, whether slid out, the edge reserved.
    std::tuple<DockSide, bool, DockSide> docked() { return {manager.dockSide(), manager.isSlidOut(), window.reservedEdge}; }
    int exitsPosted() {
        queue.drain();
        return exits;
    }
    std::vector<std::string> told() {
        queue.drain();
        return heard;
    }

    ManualMainQueue queue;
    NotificationCenter notifications{queue};
    FakeDesktopWindow window{queue};
    WindowDockManager manager{window, queue, notifications};
    int exits = 0;
    std::vector<std::string> heard;
    ObserverToken exitObserver = notifications.addObserver(windowDidExitDockModeNotification, [this] { ++exits; });
    ObserverToken in = notifications.addObserver(windowDidSlideInNotification, [this] { heard.push_back("in"); });
    ObserverToken out = notifications.addObserver(windowWillSlideOutNotification, [this] { heard.push_back("out"); });
    ObserverToken docks = notifications.addObserver(windowDidDockNotification, [this] { heard.push_back("docked"); });
    ObserverToken refused =
        notifications.addObserver(windowCannotBePlacedNotification, [this] { heard.push_back("cannot place"); });
};

// The window goes off screen but for its grip; the pointer near the edge (not while an
// animation runs) slides it out, leaving it slides it back; inside the window, however far
// from the edge, it stays out. Pages rest while only the grip is seen: the word goes out once
// the window got there, and back before it slides out, so the page is drawn as it comes.
TEST_F(WindowDockManagerTest, PointerAtTheEdgeSlidesTheWindowOutAndLeavingItSlidesItBackTellingThePages) {
    manager.dock(DockSide::left);
    EXPECT_EQ(docked(), std::tuple(DockSide::left, false, DockSide::left));
    EXPECT_EQ(window.lastMove(), slide(hiddenLeft));
    EXPECT_EQ(window.reservedWidth, 4);
    pointerFor({0, 400}, 300ms);  // two polls, both during the docking animation
    EXPECT_TRUE(told().empty()) << "still on its way to the edge";
    EXPECT_FALSE(manager.isSlidOut());
    pointerFor({21, 400}, 1s);
    EXPECT_EQ(window.moves.size(), 1u);
    EXPECT_EQ(told(), (std::vector<std::string>{"docked", "in"}));
    heard.erase(heard.begin());

    pointerFor({20, 400}, 150ms);
    EXPECT_TRUE(manager.isSlidOut());
    EXPECT_EQ(window.lastMove(), slide({0, 162.5, 800, 600}));
    EXPECT_EQ(told(), (std::vector<std::string>{"in", "out"}));
    queue.advance(400ms);
    pointerFor({790, 700}, 600ms);
    EXPECT_TRUE(manager.isSlidOut());
    pointerFor({900, 400}, 150ms);
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_EQ(window.lastMove(), slide(hiddenLeft));
    queue.advance(400ms);
    EXPECT_EQ(told(), (std::vector<std::string>{"in", "out", "in"}));

    // Sliding in again, overtaken by an undock: the window never got there.
    pointerFor({0, 400}, 550ms);
    pointerFor({900, 400}, 350ms);
    manager.exitDock(true);
    queue.advance(1s);
    EXPECT_EQ(told(), (std::vector<std::string>{"in", "out", "in", "out"}));
}

// Brought out for a request from elsewhere, the window stays out while the pointer is away
// from it; put away, it slides in at once and the pointer brings it out again as before. An
// undocked window is neither moved out nor in.
TEST_F(WindowDockManagerTest, BroughtOutItStaysOutUntilPutAwayThenThePointerWorksAsBefore) {
    manager.putAway();
    manager.bringOut();
    EXPECT_TRUE(window.moves.empty());
    dockAndSettle(DockSide::left);
    pointerFor({900, 400}, 150ms);

    manager.bringOut();
    EXPECT_EQ(window.lastMove(), slide({0, 162.5, 800, 600}));
    queue.advance(400ms);
    pointerFor({900, 400}, 1s);
    EXPECT_TRUE(manager.isSlidOut()) << "held out though the pointer is elsewhere";

    manager.putAway();
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_EQ(window.lastMove(), slide(hiddenLeft));
    queue.advance(400ms);
    EXPECT_EQ(told(), (std::vector<std::string>{"docked", "in", "out", "in"}));
    // At the edge above the window, so the pointer never passes over it.
    pointerFor({0, 100}, 150ms);
    EXPECT_TRUE(manager.isSlidOut());
    queue.advance(400ms);
    pointerFor({900, 400}, 150ms);
    EXPECT_FALSE(manager.isSlidOut()) << "no longer held out";
}

// A desktop that leaves the window where it was (a window manager that ignores moves) gets
// the window manager's time to place it, then dock mode ends as if it never began: the edge
// is given back, nothing polls, and the app hears it cannot place its window. A window
// manager that places it late still docks.
TEST_F(WindowDockManagerTest, DockModeCountsOnlyOnceTheWindowHasReallyMoved) {
    window.ignoresMoves = true;
    manager.dock(DockSide::left);
    queue.advance(WindowDockManager::animationDuration);
    EXPECT_TRUE(told().empty()) << "not there yet";
    queue.advance(WindowDockManager::placementCheckInterval * (WindowDockManager::placementChecks - 1));
    EXPECT_EQ(manager.dockSide(), DockSide::left) << "the window manager still has time";
    queue.advance(WindowDockManager::placementCheckInterval);
    EXPECT_EQ(docked(), std::tuple(DockSide::none, false, DockSide::none));
    EXPECT_EQ(told(), std::vector<std::string>{"cannot place"});
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(window.currentFrame, startFrame);
    EXPECT_EQ(queue.pendingTimers(), 0u);

    heard.clear();
    manager.dock(DockSide::left);
    queue.advance(WindowDockManager::animationDuration + WindowDockManager::placementCheckInterval * 3);
    window.currentFrame = hiddenLeft;
    queue.advance(WindowDockManager::placementCheckInterval);
    EXPECT_EQ(told(), (std::vector<std::string>{"docked", "in"}));
    EXPECT_EQ(manager.dockSide(), DockSide::left);
    queue.advance(10s);
    EXPECT_EQ(told(), (std::vector<std::string>{"docked", "in"})) << "confirmed once";
}

// Only a move of the window resting slid out ends dock mode, where the user left it.
TEST_F(WindowDockManagerTest, UserMovingTheSlidOutWindowEndsDockMode) {
    dockAndSettle(DockSide::left);
    window.userMoves({-790, 162.5, 800, 600});  // slid in: nobody listens
    pointerFor({0, 400}, 150ms);
    ASSERT_TRUE(manager.isAnimating());
    window.userMoves({-300, 162.5, 800, 600});  // during the slide out
    EXPECT_EQ(docked(), std::tuple(DockSide::left, true, DockSide::left));
    EXPECT_EQ(exitsPosted(), 0);
    queue.advance(400ms);

    const auto movesBefore = window.moves.size();
    window.userMoves({500, 300, 800, 600});
    EXPECT_EQ(docked(), std::tuple(DockSide::none, false, DockSide::none));
    window.userMoves({520, 300, 800, 600});
    EXPECT_EQ(exitsPosted(), 1);
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
    pointerFor({0, 400}, 550ms);
    manager.exitDock(true);
    EXPECT_EQ(docked(), std::tuple(DockSide::none, false, DockSide::none));
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
    EXPECT_EQ(docked(), std::tuple(DockSide::right, false, DockSide::right));
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
    pointerFor({1919, 500}, 550ms);
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
