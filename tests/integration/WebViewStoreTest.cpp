#include <atomic>

#include "integration/WebFixture.hpp"
#include "support/ManualMainQueue.hpp"
#include "ui/CurrentPage.hpp"
#include "integration/WidgetChecks.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class WebViewStoreTest : public WebFixture {
protected:
    // Counts how often the server was asked for a path.
    std::atomic<int>& counted(const std::string& path, const std::string& body) {
        auto& hits = hitCounts[path];
        server.server.Get(path, [&hits, body](const httplib::Request&, httplib::Response& res) {
            ++hits;
            res.set_content(body, "text/html");
        });
        return hits;
    }
    std::map<std::string, std::atomic<int>> hitCounts;
};

TEST_F(WebViewStoreTest, OneViewAndOneLoadPerTabAndPaneUntilRemoved) {
    auto& hits = counted("/tag", "<title>tag</title>");
    const auto tag = tab("custom_X", "/tag");
    auto* first = store.page(tag).view();
    EXPECT_TRUE(isLoading("custom_X"));
    EXPECT_FALSE(isLoading("never-shown"));
    ASSERT_TRUE(loaded("custom_X"));
    EXPECT_EQ(store.page(tag).view(), first);
    // A second load, asked for then or by work posted then, would show as loading or be counted.
    ASSERT_TRUE(runPostedWork());
    EXPECT_FALSE(webkit_web_view_is_loading(first));
    EXPECT_EQ(hits, 1);
    EXPECT_EQ(store.pageKeys().size(), 1u);

    store.page(tag, Pane::secondary).view();
    ASSERT_TRUE(loaded("custom_X", Pane::secondary));
    store.removePage({"custom_X", 0});
    store.removePage({"custom_X", Pane::secondary});
    EXPECT_EQ(store.pageKeys().size(), 0u);
    EXPECT_FALSE(isLoading("custom_X"));
    state.setSelectedTabID("custom_X");
    onCurrentPage(state, store, &ServicePage::goBack);
    reloadCurrentStartPage(state, store);
    EXPECT_EQ(store.pageKeys().size(), 0u) << "page commands never create a page";
    store.page(tag).view();
    ASSERT_TRUE(loaded("custom_X"));
    EXPECT_EQ(hits, 3);
}

TEST_F(WebViewStoreTest, BothPanesHaveTheirOwnViewsButShareTheLoginWhichOutlivesTheCache) {
    server.server.Get("/login", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Set-Cookie", "session=alice; Path=/; Max-Age=3600");
        res.set_content("<title>in</title>", "text/html");
    });
    server.server.Get("/whoami", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content("<title>" + req.get_header_value("Cookie") + "</title>", "text/html");
    });
    auto* primary = store.page(tab("svc", "/login")).view();
    ASSERT_TRUE(loaded("svc"));
    auto* secondary = store.page(tab("svc", "/whoami"), Pane::secondary).view();
    EXPECT_NE(primary, secondary);
    EXPECT_EQ(existingView("svc", Pane::secondary), secondary);
    ASSERT_TRUE(loaded("svc", Pane::secondary));
    EXPECT_EQ(evaluate(secondary, "document.title"), "session=alice");
    EXPECT_EQ(evaluate(primary, "history.length"), "1") << "histories stay apart";

    bool cleared = false;
    store.clearCache([&] { cleared = true; });
    ASSERT_TRUE(eventually([&] { return cleared; }));
    EXPECT_EQ(evaluate(primary, "document.cookie"), "session=alice");
}

TEST_F(WebViewStoreTest, BackToStartLoadsTheStartAddressNotTheCurrentPage) {
    server.serve("/deep", "<title>deep</title>", "text/html");
    auto& startHits = counted("/home", "<title>home</title><a id=go href='/deep'>deep</a>");
    // Custom tags resolve their start address through the stored list.
    customTabs.add(CustomTab{"custom_A", "A", server.url("/home"), {}, 0});
    auto* view = store.page(tab("custom_A", "/home")).view();
    ASSERT_TRUE(loaded("custom_A"));
    evaluate(view, "document.getElementById('go').click()");
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "deep"; }));
    ASSERT_TRUE(eventually([&] { return webkit_web_view_can_go_back(view) && !webkit_web_view_is_loading(view); }));
    store.existingPage({"custom_A", 0})->goBack();
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "home"; }));
    ASSERT_TRUE(eventually([&] { return webkit_web_view_can_go_forward(view) && !webkit_web_view_is_loading(view); }));
    store.existingPage({"custom_A", 0})->goForward();
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "deep"; }));

    store.existingPage({"custom_A", 0})->loadStartAddress(store.startURL("custom_A"));
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "home"; }));
    EXPECT_EQ(startHits, 2);
    EXPECT_EQ(evaluate(view, "history.length"), "3") << "a new entry, not a reload of the old one";
}

TEST_F(WebViewStoreTest, ADroppedFileListReachesNoPageAndFlashesTheTip) {
    server.serve("/drop", "<script>window.drops = 0; addEventListener('drop', () => drops++);</script>", "text/html");
    auto* view = store.page(tab("svc", "/drop")).view();
    show(view);
    ASSERT_TRUE(loaded("svc"));

    EXPECT_TRUE(dropFileOn(GTK_WIDGET(view)));
    EXPECT_TRUE(eventually([&] { return store.existingPage({"svc", 0})->showsFileDropTip().get(); }));
    EXPECT_EQ(evaluate(view, "drops"), "0");
}

// The overlays' timing: a manual clock drives them.
class OverlayTimingTest : public ::testing::Test, protected AppObjects<ManualMainQueue> {
protected:
    WebViewStore& store = webViews;
};

// The language is the one of the moment a download ended; the text follows on the main queue.
TEST_F(OverlayTimingTest, DownloadReportsArePostedAndTheFileDropTipShowsThreeSeconds) {
    localization.setCurrentLanguage(AppLanguage::zhTW);
    store.downloads().reportFinished();
    localization.setCurrentLanguage(AppLanguage::en);
    EXPECT_FALSE(store.downloads().toastShown().get()) << "posted to the main queue";
    queue.drain();
    EXPECT_TRUE(store.downloads().toastShown().get());
    EXPECT_EQ(store.downloads().toastMessage().get(), "檔案下載已完成");
    store.downloads().dismissToast();
    EXPECT_FALSE(store.downloads().toastShown().get());

    store.downloads().reportFailed(std::nullopt);
    queue.drain();
    EXPECT_EQ(store.downloads().toastMessage().get(), "Download Failed: The download was interrupted");
    queue.advance(Milliseconds(3000));
    EXPECT_FALSE(store.downloads().toastShown().get());

    // A page whose address is never loaded is enough to drop on.
    auto& page = store.page(AITab{"svc", "about:blank", "svc", "svc", "svc", "x.circle.fill"});
    ASSERT_TRUE(dropFileOn(GTK_WIDGET(page.view())));
    queue.drain();
    EXPECT_TRUE(page.showsFileDropTip().get());
    queue.advance(Milliseconds(2000));
    ASSERT_TRUE(dropFileOn(GTK_WIDGET(page.view())));
    queue.drain();
    queue.advance(Milliseconds(2000));
    EXPECT_TRUE(page.showsFileDropTip().get()) << "a second drop shows the tip its full time again";
    queue.advance(Milliseconds(1000));
    EXPECT_FALSE(page.showsFileDropTip().get());
}

}  // namespace
