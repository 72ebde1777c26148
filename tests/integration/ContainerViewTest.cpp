#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "pane/WebBrowserContainerView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The real pane over the real state.
class ContainerViewTest : public StateFixture {
protected:
    bool allCreated(Pane which) {
        return eventually([&] {
            for (const char* name : {"one", "two", "three"})
                if (!existingView(tagID(name), which)) return false;
            return true;
        });
    }
};

int webProcesses() { return int(webProcessIDs().size()); }

// The memory budget over the real engine: with a short sleep time, services not shown or
// pointed at lose their page and its web process, and come back where they were.
class MemoryBudgetTest : public ContainerViewTest {
protected:
    MemoryBudgetTest() {
        // Objects to being left while its box holds text, and is slow to say so.
        server.serve("/asks", "<title>asks</title><textarea></textarea><script>"
                     "addEventListener('pointerdown', e => window.pressed = e.isTrusted);"
                     "onbeforeunload = () => { const t = Date.now(); while (Date.now() - t < 500);"
                     " if (document.querySelector('textarea').value) return 'unsent'; };"
                     "</script>", "text/html");
        customTabs.add(CustomTab{tagID("asks"), "asks", server.url("/asks"), {}, 0});
    }
};

TEST_F(ContainerViewTest, SwitchingShowsTheKeptPageWithoutReloadingAnything) {
    auto& primary = pane();
    EXPECT_TRUE(spins(primary));
    ASSERT_TRUE(allCreated());
    ASSERT_TRUE(loaded("custom_one") && loaded("custom_two"));
    EXPECT_TRUE(eventually([&] { return !spins(primary); }));
    auto* one = existingView("custom_one");
    auto* two = existingView("custom_two");
    EXPECT_EQ(shownView(primary), one);
    ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(GTK_WIDGET(one)); }));
    EXPECT_FALSE(gtk_widget_get_mapped(GTK_WIDGET(two))) << "hidden pages neither paint nor animate";

    evaluateScript(one, "window.typed = 'kept'");
    state.selectTab("custom_two");
    EXPECT_EQ(shownView(primary), two);
    EXPECT_TRUE(eventually([&] { return !gtk_widget_get_mapped(GTK_WIDGET(one)); }));
    state.selectTab("custom_one");
    EXPECT_EQ(shownView(primary), one);
    EXPECT_EQ(evaluateScript(one, "window.typed"), "kept");
    EXPECT_EQ(hits["one"], 1);
    EXPECT_EQ(hits["two"], 1);
}

// The row under the pointer gets its page mapped and drawn under the shown one, in the
// pane a click would select into, so a click finds it drawn. Docked and slid in, or
// minimised, nothing of the window is seen: the pages rest until the window comes back.
TEST_F(ContainerViewTest, ThePointedTabIsDrawnUnderTheShownOneAndPagesRestWhileTheWindowIsOutOfSight) {
    auto& primary = pane();
    ASSERT_TRUE(allCreated());
    ASSERT_TRUE(loaded(tagID("one")) && loaded(tagID("two")));
    auto* one = existingView(tagID("one"));
    auto* two = existingView(tagID("two"));
    const auto visible = [](WebKitWebView* view) { return evaluateScript(view, "document.visibilityState") == "visible"; };
    EXPECT_FALSE(visible(two));

    state.setPointedTabID(tagID("two"));
    EXPECT_TRUE(eventually([&] { return visible(one) && visible(two); }));
    EXPECT_EQ(shownView(primary), one) << "the pointed page stays under the shown one";
    EXPECT_FALSE(gtk_widget_get_can_target(GTK_WIDGET(two))) << "clicks still reach the shown page";
    EXPECT_FALSE(gtk_widget_get_can_focus(GTK_WIDGET(two))) << "so does the keyboard";

    notifications.post(windowDidSlideInNotification);
    EXPECT_TRUE(eventually([&] { return !visible(one) && !visible(two); }));
    state.selectTab(tagID("three"));
    auto* three = existingView(tagID("three"));
    EXPECT_FALSE(eventually([&] { return visible(three); }, std::chrono::milliseconds(600)))
        << "a switch while out of sight draws nothing";
    state.selectTab(tagID("one"));
    notifications.post(windowWillSlideOutNotification);
    EXPECT_TRUE(eventually([&] { return visible(one); }));
    state.setWindowMinimized(true);
    EXPECT_TRUE(eventually([&] { return !visible(one); }));
    notifications.post(windowDidExitDockModeNotification);
    EXPECT_FALSE(eventually([&] { return visible(one); }, std::chrono::milliseconds(600))) << "still minimised";
    state.setWindowMinimized(false);
    EXPECT_TRUE(eventually([&] { return visible(one); }));

    state.selectTab(tagID("two"));
    EXPECT_EQ(shownView(primary), two);
    EXPECT_TRUE(gtk_widget_get_can_target(GTK_WIDGET(two)) && gtk_widget_get_can_focus(GTK_WIDGET(two)));
    EXPECT_TRUE(eventually([&] { return !visible(one); }));
    state.enterSplitMode();
    state.setActivePane(Pane::secondary);
    state.setPointedTabID(tagID("one"));
    EXPECT_FALSE(eventually([&] { return visible(one); }, std::chrono::seconds(1)))
        << "a click would select into the other pane";

    // The pointed page's tab goes away while it is drawn in advance.
    state.setActivePane();
    state.setPointedTabID(tagID("three"));
    ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(GTK_WIDGET(three)); }));
    store().removePage({tagID("three"), 0});
    customTabs.deleteTab(tagID("three"));
    EXPECT_EQ(shownView(primary), two);
    state.setPointedTabID(tagID("one"));
    EXPECT_TRUE(eventually([&] { return visible(one); }));
}

TEST_F(ContainerViewTest, AnEmptySecondaryPaneShowsThePlaceholderAndOverlaysShowInBothPanes) {
    state.enterSplitMode();
    localization.setCurrentLanguage(AppLanguage::en);
    auto& secondary = pane(Pane::secondary);
    EXPECT_TRUE(shows(secondary, "pane-placeholder"));
    EXPECT_EQ(store().pageKeys().size(), 0u);
    localization.setCurrentLanguage(AppLanguage::zhTW);
    state.selectTab("custom_two");
    EXPECT_FALSE(shows(secondary, "pane-placeholder"));
    EXPECT_EQ(shownView(secondary), existingView("custom_two", Pane::secondary));
    EXPECT_EQ(existingView("custom_two"), nullptr);

    auto& primary = pane();
    store().downloads().reportFinished();
    ASSERT_TRUE(eventually([&] { return shows(primary, "download-toast") && shows(secondary, "download-toast"); }));
    EXPECT_EQ(textOf(secondary, "toast-message"), "檔案下載已完成");
    click(widgetWithClass<Gtk::Button>(secondary, "toast-close"));
    EXPECT_FALSE(shows(primary, "download-toast")) << "closed in one pane, closed in both";
    ASSERT_TRUE(dropFileOn(GTK_WIDGET(shownView(secondary))));
    ASSERT_TRUE(eventually([&] { return shows(secondary, "file-drop-tip"); }));
    EXPECT_EQ(textOf(secondary, "tip-text"), "請點擊頁面上 +號 或 上傳按鍵 上傳檔案");
    EXPECT_FALSE(shows(primary, "file-drop-tip")) << "the tip shows where the files were dropped";
}

// A failure's reason may hold a long path with no place to break. The toast wraps it inside
// its pane however narrow the pane, takes its own width where there is room, and is as tall
// as its wrapped text needs. (Secondary panes with no service: no page needed.)
TEST_F(ContainerViewTest, ALongFailureToastWrapsWithinItsPane) {
    std::vector<WebBrowserContainerView*> views;
    for (int width : {900, 300, 120}) {
        panes.push_back(std::make_unique<WebBrowserContainerView>(context, Pane::secondary));
        show(*panes.back(), width, 400);
        views.push_back(panes.back().get());
    }
    localization.setCurrentLanguage(AppLanguage::en);
    store().downloads().reportFailed("Error opening file /home/someone/Downloads/" + std::string(160, 'x') +
                                 ".zip: File name too long");
    const auto revealed = [](WebBrowserContainerView* view) {
        auto& toast = widgetWithClass(*view, "download-toast");
        return shownOnScreen(toast) && gtk_revealer_get_child_revealed(GTK_REVEALER(toast.get_parent()->gobj()));
    };
    ASSERT_TRUE(eventually([&] { return std::ranges::all_of(views, revealed); }));
    for (auto* view : views) {
        auto& toast = widgetWithClass(*view, "download-toast");
        graphene_rect_t bounds;
        ASSERT_TRUE(gtk_widget_compute_bounds(GTK_WIDGET(toast.gobj()), GTK_WIDGET(view->gobj()), &bounds));
        const int paneWidth = view->get_width();
        EXPECT_GT(bounds.origin.x, 0) << paneWidth;
        EXPECT_LT(bounds.origin.x + bounds.size.width, paneWidth) << paneWidth;
        EXPECT_EQ(bounds.size.width, std::min(DownloadToast::width, paneWidth - 24)) << paneWidth;
        int needed = 0;
        gtk_widget_measure(GTK_WIDGET(toast.gobj()), GTK_ORIENTATION_VERTICAL, toast.get_width(), &needed, nullptr,
                           nullptr, nullptr);
        EXPECT_GE(toast.get_height(), needed) << paneWidth;
    }
    EXPECT_LT(views.back()->get_width(), DownloadToast::width) << "a pane narrower than the toast was tried";
}

TEST_F(ContainerViewTest, AHiddenServiceStillSelectedShowsNothing) {
    state.setHiddenAITabIDs({});
    state.selectTab("doubao");
    state.setHiddenAITabIDs({"doubao"});  // moves the selection on...
    state.setSelectedTabID("doubao");      // ...but the id can still be set directly
    auto& primary = pane();
    EXPECT_EQ(shownView(primary), nullptr);
    EXPECT_FALSE(spins(primary));
}

}  // namespace

TEST_F(MemoryBudgetTest, ServicesLoadWhenFirstShown) {
    settings.setLoadServicesWhenOpened(true);
    pane();
    ASSERT_TRUE(loaded(tagID("one")));
    EXPECT_FALSE(eventually([&] { return store().pageKeys().size() > 1; }, std::chrono::milliseconds(800)));
    state.setPointedTabID(tagID("two"));
    state.selectTab(tagID("two"));
    ASSERT_TRUE(loaded(tagID("two")));
    EXPECT_EQ(store().pageKeys().size(), 2u);
    EXPECT_EQ(hits["three"], 0);
    settings.setLoadServicesWhenOpened(false);
    EXPECT_TRUE(eventually([&] { return store().pageKeys().size() == 4; })) << "off again: the rest load behind";
}

TEST_F(MemoryBudgetTest, UnusedServicesSleepAndWakeWhereTheyWere) {
    pane();
    ASSERT_TRUE(allCreated());
    ASSERT_TRUE(eventually([&] { return existingView(tagID("asks")); }));
    for (const char* name : {"one", "two", "three", "asks"}) ASSERT_TRUE(loaded(tagID(name))) << name;
    auto* two = existingView(tagID("two"));
    evaluateScript(two, "history.pushState({}, '', '/two/later'); 'moved'");
    evaluateScript(two, "addEventListener('beforeunload', e => e.preventDefault()); 'objects'");
    // Only a page the user has pressed on holds something of theirs.
    state.selectTab(tagID("asks"));
    auto* asks = existingView(tagID("asks"));
    ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(GTK_WIDGET(asks)); }));
    clickWithPointer(*Glib::wrap(GTK_WIDGET(asks)), 40, 30);
    ASSERT_TRUE(eventually([&] { return evaluateScript(asks, "window.pressed === true") == "true"; }));
    evaluateScript(asks, "document.querySelector('textarea').value = 'unsent'");
    state.selectTab(tagID("one"));
    const int before = webProcesses();
    ASSERT_GE(before, 4);

    state.setPointedTabID(tagID("three"));
    settings.setSleepUnusedServicesAfter(std::chrono::seconds(1));
    ASSERT_TRUE(eventually([&] { return store().isAsleep({tagID("two"), 0}); }, std::chrono::seconds(10)))
        << "a page never pressed on goes, whatever its leave handler says";
    EXPECT_EQ(existingView(tagID("two")), nullptr);
    EXPECT_TRUE(eventually([&] { return webProcesses() == before - 1; })) << "its web process ended";
    EXPECT_EQ(store().sleepingTabIDs().get(), std::set<std::string>{tagID("two")});
    EXPECT_FALSE(eventually([&] { return store().pageKeys().size() < 3; }, std::chrono::seconds(3)))
        << "the shown, the pointed and the asking page stay";
    ASSERT_FALSE(store().isAsleep({tagID("asks"), 0}));
    EXPECT_EQ(evaluateScript(asks, "document.querySelector('textarea').value"), "unsent");
    evaluateScript(asks, "document.querySelector('textarea').value = ''");
    EXPECT_TRUE(eventually([&] { return store().isAsleep({tagID("asks"), 0}); }, std::chrono::seconds(10)))
        << "asked again, it now lets go";

    state.selectTab(tagID("two"));
    ASSERT_TRUE(eventually([&] { return existingView(tagID("two")); }));
    ASSERT_TRUE(loaded(tagID("two")));
    EXPECT_EQ(evaluateScript(existingView(tagID("two")), "location.pathname"), "/two/later");
    EXPECT_FALSE(store().isAsleep({tagID("two"), 0})) << "woken";
    EXPECT_TRUE(eventually([&] { return store().isAsleep({tagID("one"), 0}); }, std::chrono::seconds(10)))
        << "the page shown before is now unused";
}

namespace {

// The sleeper asked a page to go just before the user showed it again; the page answers
// only after that. The page on screen stays as it is, whatever it answers.
TEST_F(MemoryBudgetTest, AServiceShownAgainBeforeItsPageAnswersKeepsThePage) {
    pane();
    state.selectTab(tagID("one"));
    ASSERT_TRUE(allCreated());
    ASSERT_TRUE(loaded(tagID("two")));
    auto* two = existingView(tagID("two"));
    evaluateScript(two, "window.mark = 'kept'; 1");
    // Busy for a while: our question waits for the page's main thread.
    evaluateScript(two, "setTimeout(() => { const t = Date.now(); while (Date.now() - t < 1500); }, 0); 1");

    store().putToSleep({tagID("two"), 0});
    state.selectTab(tagID("two"));
    EXPECT_EQ(evaluateScript(two, "window.mark"), "kept") << "answered after the page was busy";
    EXPECT_FALSE(eventually([&] { return existingView(tagID("two")) != two; }, std::chrono::seconds(3)))
        << "the page shown was closed and loaded again";
    EXPECT_FALSE(store().isAsleep({tagID("two"), 0}));
    EXPECT_EQ(evaluateScript(two, "window.mark"), "kept");
}

}  // namespace
