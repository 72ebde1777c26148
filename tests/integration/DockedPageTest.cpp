#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "window/WindowSetup.hpp"
#include "window/X11DesktopWindow.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

constexpr unsigned long green = 0x008000;

// A docked main window over the real pane and engine, read back from the screen's pixels:
// the page must be on screen whenever the window is.
class DockedPageTest : public StateFixture {
protected:
    DockedPageTest() {
        server.serve("/green", "<title>green</title><body style='margin:0;background:#008000'></body>", "text/html");
        customTabs.add(CustomTab{tagID("green"), "green", server.url("/green"), {}, 0});
        state.selectTab(tagID("green"));
    }
    ~DockedPageTest() override { state.setWindowControl(nullptr); }

    // What the user sees in the middle of the pane, once it has had its chance to draw.
    bool paneShows(unsigned long colour) {
        return eventually([&] {
            auto& view = *panes.back();
            return screenColourAt(view, view.get_width() / 2.0, view.get_height() / 2.0) == colour;
        }, std::chrono::seconds(5));
    }
    std::optional<Rect> frame() { return probe ? probe->frame() : std::nullopt; }
    std::optional<ScreenFrames> screen() { return probe ? probe->screen() : std::nullopt; }

    WindowSetup setup{queue, notifications};
    std::unique_ptr<X11DesktopWindow> probe;
};

TEST_F(DockedPageTest, ThePageIsOnScreenAgainWhenTheDockedWindowSlidesOutAndWhenItUndocks) {
    pane();
    Gtk::Window& window = *windows.back();
    ASSERT_TRUE(loaded(tagID("green")));
    ASSERT_TRUE(eventually([&] { return window.get_mapped(); }));
    probe = std::make_unique<X11DesktopWindow>(window.gobj());
    ASSERT_TRUE(paneShows(green)) << "drawn before any docking";
    setup.attach(window);
    state.setWindowControl(&setup);
    const Rect before = *frame();
    const double middle = screen()->workArea.midY();

    movePointer(1000, middle);
    state.dockWindow(DockSide::left);
    ASSERT_TRUE(eventually([&] { return state.isWindowOutOfSight().get(); })) << "never slid in";
    for (int round = 0; round < 2; ++round) {
        movePointer(0, middle);
        ASSERT_TRUE(eventually([&] { return frame() && frame()->x == screen()->frame.minX(); })) << "round " << round;
        EXPECT_TRUE(paneShows(green)) << "slid out, round " << round;
        movePointer(1200, middle);
        ASSERT_TRUE(eventually([&] { return state.isWindowOutOfSight().get(); })) << "round " << round;
    }

    state.undockWindow();
    ASSERT_TRUE(eventually([&] { return frame() == before; }));
    EXPECT_FALSE(state.isWindowOutOfSight().get());
    EXPECT_TRUE(paneShows(green)) << "undocked";
}

}  // namespace
