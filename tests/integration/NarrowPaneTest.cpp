#include <string>

#include "integration/WebFixture.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// A page in a window as wide as a pane, told the pane's width as a pane tells it.
class NarrowPaneTest : public WebFixture {
protected:
    NarrowPaneTest() {
        server.serve("/page", "<!doctype html><title>page</title><p>wide or narrow</p>", "text/html");
        page = &store.page(tab("svc", "/page"), Pane::primary);
        window = show(page->view());
    }

    // Resizes the window to `width` and waits until the view has that width.
    bool paneWidthIs(int width) {
        gtk_window_set_default_size(window, width, 600);
        return eventually([&] { return gtk_widget_get_width(GTK_WIDGET(page->view())) == width; });
    }
    // The width the page lays itself out at, in CSS pixels, once it is `expected`; else the
    // last one seen when the wait ran out.
    std::string layoutWidthOnceAt(const std::string& expected) {
        std::string seen;
        eventually([&] { return (seen = evaluate(page->view(), "window.innerWidth")) == expected; });
        return seen;
    }
    // The layout width once it is within a pixel below `expected`: at a scale like 60 % the
    // engine rounds the width down. Else the last one seen.
    int layoutWidthOnceNear(int expected) {
        int seen = 0;
        eventually([&] {
            seen = std::stoi(evaluate(page->view(), "window.innerWidth"));
            return seen == expected || seen == expected - 1;
        });
        return seen;
    }
    double engineZoom() const { return webkit_web_view_get_zoom_level(page->view()); }

    ServicePage* page = nullptr;
    GtkWindow* window = nullptr;
};

TEST_F(NarrowPaneTest, ANarrowPaneLaysItsPageOutDesktopWideOnTopOfTheUsersZoomWhileTheSettingIsOn) {
    ASSERT_TRUE(loaded("svc"));
    ASSERT_TRUE(paneWidthIs(400));
    EXPECT_EQ(layoutWidthOnceAt("400"), "400") << "a page no pane has measured is at the user's zoom";

    page->setPaneWidth(400);
    EXPECT_EQ(layoutWidthOnceAt("640"), "640");
    page->reload();
    ASSERT_TRUE(loaded("svc"));
    EXPECT_EQ(layoutWidthOnceAt("640"), "640") << "a new document keeps the pane's zoom";

    // The user's zoom goes on top, and stays the user's own.
    settings.pageZoom().zoomIn("svc");
    EXPECT_DOUBLE_EQ(engineZoom(), 1.1 * 0.625);
    EXPECT_DOUBLE_EQ(settings.pageZoom().level("svc"), 1.1);
    settings.pageZoom().reset("svc");
    EXPECT_EQ(layoutWidthOnceAt("640"), "640");

    settings.setKeepDesktopLayoutInNarrowPanes(false);
    EXPECT_EQ(layoutWidthOnceAt("400"), "400");
    settings.setKeepDesktopLayoutInNarrowPanes(true);
    EXPECT_EQ(layoutWidthOnceAt("640"), "640");

    // Wide again: back at full size, with the user's zoom alone.
    ASSERT_TRUE(paneWidthIs(1000));
    page->setPaneWidth(1000);
    EXPECT_EQ(layoutWidthOnceAt("1000"), "1000");
    settings.pageZoom().zoomIn("svc");
    settings.pageZoom().zoomIn("svc");
    EXPECT_EQ(layoutWidthOnceAt("800"), "800") << "1000 px at 125 %";
    EXPECT_DOUBLE_EQ(engineZoom(), 1.25);
}

// Below the smallest scale the page is not zoomed out further, and a pane that is not laid
// out yet (no width) changes nothing.
TEST_F(NarrowPaneTest, AVeryNarrowPaneZoomsOutNoFurtherThanTheSmallestScale) {
    ASSERT_TRUE(loaded("svc"));
    ASSERT_TRUE(paneWidthIs(300));
    page->setPaneWidth(300);
    EXPECT_NEAR(layoutWidthOnceNear(500), 500, 1) << "300 px at 60 %";
    page->setPaneWidth(0);
    EXPECT_DOUBLE_EQ(engineZoom(), 0.6);
}

}  // namespace
