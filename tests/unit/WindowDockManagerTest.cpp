#include <gtest/gtest.h>

#include "app/AppState.hpp"
#include "app/CustomTabManager.hpp"
#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"
#include "web/WebViewStore.hpp"
#include "window/WindowControls.hpp"

using namespace corvina;
using namespace corvina::testing;
using namespace std::chrono_literals;

namespace {

// A 1440 × 900 monitor with a 25-pixel panel along its top.
const ScreenFrames laptop{{0, 0, 1440, 900}, {0, 25, 1440, 875}};
const Rect startFrame{320, 150, 800, 600};

// A window on a pretend desktop; its animations take their time on the manual clock.
class FakeDesktopWindow final : public DesktopWindow {
public:
    struct Move {
        Rect target;
        TimingCurve curve;
        Milliseconds duration;
    };

    explicit FakeDesktopWindow(ManualMainQueue& queue) : queue_(queue) {}

    std::optional<Rect> frame() const override { return exists ? std::optional(currentFrame) : std::nullopt; }
    std::optional<ScreenFrames> screen() const override { return exists ? monitor : std::nullopt; }
    std::optional<Point> pointer() const override { return pointerAt; }

    void animateFrame(const Rect& target, const TimingCurve& curve, Milliseconds duration,
                      std::function<void()> done) override {
        if (!exists) return done();
        timer_.reset();
        if (auto interrupted = std::exchange(running_, nullptr)) interrupted();
        moves.push_back({target, curve, duration});
        running_ = std::move(done);
        timer_ = queue_.after(duration, [this, target] {
            currentFrame = target;
            std::exchange(running_, nullptr)();
        });
    }
    void reserveEdge(DockSide side, double width) override {
        reservedEdge = side;
        reservedWidth = width;
    }
    sigc::signal<void()>& signalMovedByUser() override { return movedByUser_; }
    sigc::signal<void()>& signalScreenChanged() override { return screenChanged_; }

    void userMoves(const Rect& to) {
        currentFrame = to;
        movedByUser_.emit();
    }
    void changeMonitor(const ScreenFrames& to) {
        monitor = to;
        screenChanged_.emit();
    }

    bool exists = true;
    Rect currentFrame = startFrame;
    std::optional<ScreenFrames> monitor = laptop;
    std::optional<Point> pointerAt = Point{700, 450};
    std::vector<Move> moves;
    DockSide reservedEdge = DockSide::none;
    double reservedWidth = 0;

private:
    ManualMainQueue& queue_;
    std::function<void()> running_;
    TimerHandle timer_;
    sigc::signal<void()> movedByUser_;
    sigc::signal<void()> screenChanged_;
};

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
    const FakeDesktopWindow::Move& lastMove() const { return window.moves.back(); }

    ManualMainQueue queue;
    NotificationCenter notifications{queue};
    FakeDesktopWindow window{queue};
    WindowDockManager manager{window, queue, notifications};
    int exits = 0;
    ObserverToken exitObserver = notifications.addObserver(windowDidExitDockModeNotification, [this] { ++exits; });
};

TEST_F(WindowDockManagerTest, DockingWithoutASideOrAWindowDoesNothing) {
    manager.dock(DockSide::none);
    window.exists = false;
    manager.dock(DockSide::left);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_TRUE(window.moves.empty());
    EXPECT_EQ(window.reservedEdge, DockSide::none);
    EXPECT_EQ(queue.pendingTimers(), 0u);
}

TEST_F(WindowDockManagerTest, DockingPushesTheWindowOffScreenButForItsGrip) {
    manager.dock(DockSide::left);
    EXPECT_EQ(manager.dockSide(), DockSide::left);
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_TRUE(manager.isAnimating());
    EXPECT_EQ(lastMove().target, (Rect{-796, 162.5, 800, 600}));
    EXPECT_EQ(lastMove().curve, TimingCurve::easeInEaseOut());
    EXPECT_EQ(lastMove().duration, 400ms);
    EXPECT_EQ(window.reservedEdge, DockSide::left);
    EXPECT_EQ(window.reservedWidth, 4);
    queue.advance(400ms);
    EXPECT_FALSE(manager.isAnimating());
}

TEST_F(WindowDockManagerTest, DockingRightOnAWideScreenLeavesTheGripAtItsRightEdge) {
    dockAndSettle(DockSide::right);
    EXPECT_EQ(window.currentFrame, (Rect{1436, 162.5, 800, 600}));
    EXPECT_EQ(window.reservedEdge, DockSide::right);
}

TEST_F(WindowDockManagerTest, PointerAtTheEdgeSlidesTheWindowOutAndLeavingItSlidesItBack) {
    dockAndSettle(DockSide::left);
    window.pointerAt = Point{21, 400};
    queue.advance(150ms);
    EXPECT_FALSE(manager.isSlidOut());
    window.pointerAt = Point{20, 400};
    queue.advance(150ms);
    EXPECT_TRUE(manager.isSlidOut());
    EXPECT_EQ(lastMove().target, (Rect{0, 162.5, 800, 600}));
    EXPECT_EQ(lastMove().curve, TimingCurve::easeInEaseOut());
    queue.advance(400ms);

    // Inside the window, however far from the edge, it stays out.
    window.pointerAt = Point{790, 700};
    queue.advance(600ms);
    EXPECT_TRUE(manager.isSlidOut());
    window.pointerAt = Point{900, 400};
    queue.advance(150ms);
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_EQ(lastMove().target, (Rect{-796, 162.5, 800, 600}));
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
    queue.advance(150ms);
    queue.advance(200ms);
    manager.exitDock(true);
    queue.advance(1s);
    EXPECT_EQ(told(), (std::vector<std::string>{"in", "out"}));
}

TEST_F(WindowDockManagerTest, PointerInThePanelBandAboveTheWorkAreaDoesNotCallTheWindowOut) {
    dockAndSettle(DockSide::left);
    window.pointerAt = Point{0, 10};
    queue.advance(1s);
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_EQ(window.moves.size(), 1u);
}

TEST_F(WindowDockManagerTest, NoSlideStartsWhileAnAnimationRuns) {
    manager.dock(DockSide::left);
    window.pointerAt = Point{0, 400};
    queue.advance(300ms);  // two polls, both during the docking animation
    EXPECT_FALSE(manager.isSlidOut());
    EXPECT_EQ(window.moves.size(), 1u);
    queue.advance(150ms);
    EXPECT_TRUE(manager.isSlidOut());
}

TEST_F(WindowDockManagerTest, UserMovingTheSlidOutWindowEndsDockModeWhereTheUserLeftIt) {
    dockAndSettle(DockSide::left);
    slideOutAndSettle();
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

TEST_F(WindowDockManagerTest, MovesOutsideTheSlidOutRestingStateKeepDockMode) {
    dockAndSettle(DockSide::left);
    window.userMoves({-790, 162.5, 800, 600});  // slid in: nobody listens
    window.pointerAt = Point{0, 400};
    queue.advance(150ms);
    ASSERT_TRUE(manager.isAnimating());
    window.userMoves({-300, 162.5, 800, 600});  // during the slide out
    EXPECT_EQ(manager.dockSide(), DockSide::left);
    EXPECT_EQ(exitsPosted(), 0);
}

TEST_F(WindowDockManagerTest, UndockBringsTheWindowBackToItsExactFrame) {
    dockAndSettle(DockSide::left);
    slideOutAndSettle();
    manager.exitDock(true);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_EQ(lastMove().target, startFrame);
    EXPECT_EQ(lastMove().curve, TimingCurve::quickSettle());
    queue.advance(400ms);
    EXPECT_EQ(window.currentFrame, startFrame);
    EXPECT_EQ(exitsPosted(), 1);
    EXPECT_EQ(queue.pendingTimers(), 0u);
}

TEST_F(WindowDockManagerTest, UndockOnAnUndockedWindowPostsNothing) {
    manager.exitDock(true);
    dockAndSettle(DockSide::right);
    manager.exitDock(true);
    const auto moves = window.moves.size();
    manager.exitDock(true);
    EXPECT_EQ(window.moves.size(), moves);
    EXPECT_EQ(exitsPosted(), 1);
}

TEST_F(WindowDockManagerTest, DockingToTheOtherSidePassesThroughUndocked) {
    dockAndSettle(DockSide::left);
    manager.dock(DockSide::right);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_EQ(exitsPosted(), 1);
    EXPECT_EQ(window.moves.size(), 1u);
    queue.advance(399ms);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    queue.advance(1ms);
    EXPECT_EQ(manager.dockSide(), DockSide::right);
    EXPECT_EQ(lastMove().target, (Rect{1436, 162.5, 800, 600}));
    // Undocking brings back the user's frame, not the hidden frame of the first edge.
    queue.advance(1s);
    manager.exitDock(true);
    EXPECT_EQ(lastMove().target, startFrame);
}

TEST_F(WindowDockManagerTest, UndockWhileTheOtherSideIsPendingStaysUndocked) {
    dockAndSettle(DockSide::left);
    manager.dock(DockSide::right);
    manager.exitDock(true);
    queue.advance(1s);
    EXPECT_EQ(manager.dockSide(), DockSide::none);
    EXPECT_EQ(exitsPosted(), 1);
}

TEST_F(WindowDockManagerTest, ScreenChangeReplacesTheWindowOnTheNewEdgeInTheSameState) {
    const ScreenFrames bigger{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}};
    dockAndSettle(DockSide::right);
    window.changeMonitor(bigger);
    EXPECT_EQ(lastMove().target, (Rect{1916, 240, 800, 600}));
    queue.advance(400ms);
    window.pointerAt = Point{1919, 500};
    queue.advance(150ms);
    queue.advance(400ms);
    window.changeMonitor(laptop);
    EXPECT_TRUE(manager.isSlidOut());
    EXPECT_EQ(lastMove().target, (Rect{640, 162.5, 800, 600}));

    manager.exitDock(false);
    const auto moves = window.moves.size();
    window.changeMonitor(bigger);
    EXPECT_EQ(window.moves.size(), moves);
}

TEST(WindowDockManagerLifetime, AnimationEndingAfterTheManagerIsGoneIsHarmless) {
    ManualMainQueue queue;
    NotificationCenter notifications{queue};
    FakeDesktopWindow window{queue};
    auto manager = std::make_unique<WindowDockManager>(window, queue, notifications);
    manager->dock(DockSide::left);
    manager.reset();
    queue.advance(1s);
    EXPECT_EQ(window.currentFrame.x, -796);
    EXPECT_EQ(queue.pendingTimers(), 0u);
}

class WindowMaximizerTest : public ::testing::Test {
protected:
    ManualMainQueue queue;
    FakeDesktopWindow window{queue};
    WindowMaximizer maximizer{window};
};

TEST_F(WindowMaximizerTest, ZoomTwiceReturnsToTheExactFrame) {
    maximizer.toggle();
    EXPECT_TRUE(maximizer.isMaximized());
    EXPECT_EQ(window.moves.back().target, laptop.workArea);
    EXPECT_EQ(window.moves.back().curve, TimingCurve::quickSettle());
    EXPECT_EQ(window.moves.back().duration, 400ms);
    queue.advance(400ms);
    maximizer.toggle();
    queue.advance(400ms);
    EXPECT_FALSE(maximizer.isMaximized());
    EXPECT_EQ(window.currentFrame, startFrame);
}

TEST_F(WindowMaximizerTest, ZoomBackIgnoresWhereTheMaximisedWindowWasDragged) {
    maximizer.toggle();
    queue.advance(400ms);
    window.userMoves({600, 200, 1440, 875});
    maximizer.toggle();
    EXPECT_EQ(window.moves.back().target, startFrame);
    // The normal frame is taken anew at every maximise.
    queue.advance(400ms);
    window.userMoves({10, 30, 900, 640});
    maximizer.toggle();
    maximizer.toggle();
    EXPECT_EQ(window.moves.back().target, (Rect{10, 30, 900, 640}));
}

TEST_F(WindowMaximizerTest, ZoomWithoutAScreenOnlyFlipsTheFlag) {
    window.monitor = std::nullopt;
    maximizer.toggle();
    EXPECT_TRUE(maximizer.isMaximized());
    EXPECT_TRUE(window.moves.empty());
    window.userMoves({50, 60, 800, 600});
    maximizer.toggle();
    EXPECT_FALSE(maximizer.isMaximized());
    EXPECT_EQ(window.moves.back().target, startFrame);
}

// The application state driving the real controls of a pretend window.
class WindowControlsTest : public ::testing::Test {
protected:
    WindowControlsTest() { state.setWindowControl(&controls); }

    TempDir dir;
    ManualMainQueue queue;
    NotificationCenter notifications{queue};
    FakeLoginItem login;
    PreferenceStore preferences{dir / "preferences.json"};
    CustomTabManager customTabs{preferences};
    AppState state{preferences, login, notifications, customTabs};
    FakeDesktopWindow window{queue};
    WindowControls controls{window, queue, notifications};
};

TEST_F(WindowControlsTest, SplitModeWaitsForANarrowWindowToWiden) {
    window.currentFrame = {200, 80, 1000, 700};
    window.monitor = ScreenFrames{{0, 0, 1440, 900}, {0, 0, 1440, 900}};
    state.enterSplitMode();
    EXPECT_FALSE(state.isSplitMode());
    EXPECT_EQ(window.moves.back().target, (Rect{100, 80, 1200, 700}));
    EXPECT_EQ(window.moves.back().curve, TimingCurve::quickSettle());
    EXPECT_EQ(window.moves.back().duration, 400ms);
    queue.advance(400ms);
    EXPECT_TRUE(state.isSplitMode());
}

TEST_F(WindowControlsTest, WindowExactlyAsWideAsSplitModeNeedsIsNotResized) {
    window.currentFrame = {100, 80, 1200, 700};
    state.enterSplitMode();
    EXPECT_TRUE(state.isSplitMode());
    EXPECT_TRUE(window.moves.empty());
}

TEST_F(WindowControlsTest, DraggingTheDockedWindowAwayResetsTheStatesDockSide) {
    state.dockWindow(1);
    EXPECT_EQ(state.dockSide().get(), 1);
    EXPECT_EQ(controls.dockManager().dockSide(), DockSide::left);
    queue.advance(400ms);
    window.pointerAt = Point{0, 400};
    queue.advance(550ms);
    window.userMoves({400, 100, 800, 600});
    queue.drain();
    EXPECT_EQ(state.dockSide().get(), 0);
}

TEST_F(WindowControlsTest, UndockThroughTheStateRestoresTheWindow) {
    state.dockWindow(2);
    queue.advance(400ms);
    state.undockWindow();
    queue.advance(400ms);
    EXPECT_EQ(state.dockSide().get(), 0);
    EXPECT_EQ(window.currentFrame, startFrame);
    EXPECT_EQ(controls.dockManager().dockSide(), DockSide::none);
}

}  // namespace
