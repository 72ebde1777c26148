#include <gtest/gtest.h>

#include <gtkmm/label.h>
#include <gtkmm/window.h>
#include <gtkmm/windowhandle.h>

#include "integration/AppProcess.hpp"
#include "integration/Openbox.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "platform/NotificationCenter.hpp"
#include "window/WindowDockManager.hpp"
#include "window/WindowSetup.hpp"
#include "window/X11DesktopWindow.hpp"

// Xlib after gtkmm: its macros clash with gtkmm's names.
#include <gdk/x11/gdkx.h>

using namespace corvina;
using namespace corvina::testing;

namespace {

Display* xDisplay() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

// A CSD window like the main one, set up the way the application sets it up, on bare Xvfb
// (parameter false) or under openbox (true).
class WindowDockingTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            if (commandOutput("command -v openbox").empty()) GTEST_SKIP() << "openbox is not installed";
            openbox = std::make_unique<Openbox>();
            ASSERT_TRUE(openbox->running());
        }
        title.set_margin(6);
        handle.set_child(title);
        window.set_titlebar(handle);
        window.set_default_size(800, 600);
        window.present();
        probe = std::make_unique<X11DesktopWindow>(window.gobj());
        ASSERT_TRUE(eventually([this] { return window.get_mapped(); })) << "never mapped";
        ASSERT_TRUE(eventually([this] { return managed(); })) << "never managed";
        ASSERT_TRUE(eventually([this] { return probe->frame() && window.get_width() > 0; }));
        setup.attach(window);
        ASSERT_TRUE(setup.isAttached());
        before = *probe->frame();
        screen = *probe->screen();
        widthBefore = window.get_width();
    }
    void TearDown() override {
        probe.reset();
        window.destroy();
    }

    // Under a window manager the window is reparented into its frame first.
    bool managed() {
        if (!openbox) return true;
        ::Window root, parent, *children = nullptr;
        unsigned count;
        XQueryTree(xDisplay(), std::stoul(x11WindowID(window.gobj())), &root, &parent, &children, &count);
        if (children) XFree(children);
        return parent != root;
    }
    bool reaches(const Rect& target) {
        return eventually([&] { return probe->frame() == target; });
    }
    // Docked frames against the screen as it is now: a window manager shrinks the work area
    // by the grip's strip once docking reserves it.
    bool reachesDocked(DockSide side, bool shown) {
        return eventually([&] {
            return probe->frame() == (shown ? shownDockFrame(before, side, *probe->screen())
                                            : hiddenDockFrame(before, side, *probe->screen(), 4));
        });
    }
    void moveByHand(int x, int y) {
        commandOutput("xdotool windowmove " + x11WindowID(window.gobj()) + " " + std::to_string(x) + " " +
                      std::to_string(y));
    }

    std::unique_ptr<Openbox> openbox;
    GlibMainQueue queue;
    NotificationCenter notifications{queue};
    int exits = 0;
    ObserverToken exitObserver = notifications.addObserver(windowDidExitDockModeNotification, [this] { ++exits; });
    Gtk::Window window;
    Gtk::WindowHandle handle;
    Gtk::Label title{"Corvina"};
    WindowSetup setup{queue, notifications};
    std::unique_ptr<X11DesktopWindow> probe;
    Rect before;
    ScreenFrames screen;
    int widthBefore = 0;
};

// One window walked through every move, so the set-up (and openbox) is paid once.
TEST_P(WindowDockingTest, ZoomsDocksSlidesUndocksAndWidensBackToExactFramesWhereASetupWithoutWindowDoesNothing) {
    WindowSetup unattached{queue, notifications};
    EXPECT_FALSE(unattached.dock(DockSide::left));
    EXPECT_FALSE(unattached.undock());
    bool widened = false;
    unattached.widenForSplit(1200, [&] { widened = true; });
    EXPECT_TRUE(widened) << "nothing to wait for";
    setup.attach(window);  // as at the next map: must add no second manager
    setup.zoom();
    ASSERT_TRUE(reaches(screen.workArea));
    // The toolkit lays the window out again at its new size.
    EXPECT_TRUE(eventually([this] { return window.get_width() - widthBefore == int(screen.workArea.width - before.width); }));
    setup.zoom();
    ASSERT_TRUE(reaches(before));

    movePointer(1000, 450);
    ASSERT_TRUE(setup.dock(DockSide::left));
    ASSERT_TRUE(reachesDocked(DockSide::left, false));
    EXPECT_EQ(probe->frame()->x, screen.frame.minX() - 796);
    movePointer(0, screen.workArea.midY());
    ASSERT_TRUE(reachesDocked(DockSide::left, true));
    movePointer(1200, screen.workArea.midY());
    ASSERT_TRUE(reachesDocked(DockSide::left, false));
    ASSERT_TRUE(setup.undock());
    EXPECT_TRUE(reaches(before));
    EXPECT_TRUE(eventually([this] { return exits == 1; }));
    EXPECT_FALSE(eventually([this] { return exits > 1; }, std::chrono::milliseconds(500))) << "one manager only";

    movePointer(700, 450);
    ASSERT_TRUE(setup.dock(DockSide::right));
    ASSERT_TRUE(reachesDocked(DockSide::right, false));
    EXPECT_EQ(probe->frame()->x, screen.frame.maxX() - 4);
    movePointer(screen.frame.maxX() - 1, screen.workArea.midY());
    ASSERT_TRUE(reachesDocked(DockSide::right, true));
    // Moved by hand, it leaves dock mode where it was put. Moves right after our own are
    // taken for their echo; keep moving until one counts.
    int step = 0;
    ASSERT_TRUE(eventually([&] {
        moveByHand(100 + step++, 200);
        return exits == 2;
    }));
    movePointer(700, 450);
    movePointer(screen.frame.maxX() - 1, screen.workArea.midY());
    EXPECT_FALSE(eventually([&] { return probe->frame()->x > 300; }, std::chrono::milliseconds(800)))
        << "no longer docked: the edge calls nothing out";

    before = *probe->frame();
    widthBefore = window.get_width();
    bool done = false;
    setup.widenForSplit(1200, [&] { done = true; });
    EXPECT_FALSE(done);
    ASSERT_TRUE(eventually([&] { return done; }));
    EXPECT_EQ(*probe->frame(), *splitWidenedFrame(before, 1200, screen.workArea)) << "grown about its centre";
    EXPECT_TRUE(eventually([this] { return window.get_width() - widthBefore == 400; }));
    bool doneAtOnce = false;
    setup.widenForSplit(1200, [&] { doneAtOnce = true; });
    EXPECT_TRUE(doneAtOnce) << "wide enough already";
}

INSTANTIATE_TEST_SUITE_P(Window, WindowDockingTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "UnderOpenbox" : "OnBareX"; });

}  // namespace
