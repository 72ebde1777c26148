#include <atomic>

#include "integration/WebFixture.hpp"
#include "support/ManualMainQueue.hpp"
#include "web/page/WebKeys.hpp"

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
    auto* first = store.webView(tag, Pane::primary);
    EXPECT_TRUE(store.isTabLoading("custom_X", Pane::primary));
    EXPECT_FALSE(store.isTabLoading("never-shown", Pane::primary));
    ASSERT_TRUE(loaded("custom_X"));
    EXPECT_EQ(store.webView(tag, Pane::primary), first);
    settle();
    EXPECT_EQ(hits, 1);
    EXPECT_EQ(store.webViewCount(), 1u);

    store.webView(tag, Pane::secondary);
    ASSERT_TRUE(loaded("custom_X", Pane::secondary));
    store.removeWebView("custom_X", Pane::primary);
    store.removeWebView("custom_X", Pane::secondary);
    EXPECT_EQ(store.webViewCount(), 0u);
    EXPECT_TRUE(store.isLoading().get().empty());
    store.goBack("custom_X", Pane::primary);
    store.reloadStartPage("custom_X", Pane::primary);
    EXPECT_EQ(store.webViewCount(), 0u) << "page controls never create a web view";
    store.webView(tag, Pane::primary);
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
    auto* primary = store.webView(tab("svc", "/login"), Pane::primary);
    ASSERT_TRUE(loaded("svc"));
    auto* secondary = store.webView(tab("svc", "/whoami"), Pane::secondary);
    EXPECT_NE(primary, secondary);
    EXPECT_EQ(store.existingWebView("svc", Pane::secondary), secondary);
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
    auto* view = store.webView(tab("custom_A", "/home"), Pane::primary);
    ASSERT_TRUE(loaded("custom_A"));
    evaluate(view, "document.getElementById('go').click()");
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "deep"; }));
    ASSERT_TRUE(eventually([&] { return webkit_web_view_can_go_back(view) && !webkit_web_view_is_loading(view); }));
    store.goBack("custom_A", Pane::primary);
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "home"; }));
    ASSERT_TRUE(eventually([&] { return webkit_web_view_can_go_forward(view) && !webkit_web_view_is_loading(view); }));
    store.goForward("custom_A", Pane::primary);
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "deep"; }));

    store.reloadStartPage("custom_A", Pane::primary);
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.title") == "home"; }));
    EXPECT_EQ(startHits, 2);
    EXPECT_EQ(evaluate(view, "history.length"), "3") << "a new entry, not a reload of the old one";
}

TEST_F(WebViewStoreTest, ADroppedFileListReachesNoPageAndFlashesTheTip) {
    server.serve("/drop", "<script>window.drops = 0; addEventListener('drop', () => drops++);</script>", "text/html");
    auto* view = store.webView(tab("svc", "/drop"), Pane::primary);
    show(view);
    ASSERT_TRUE(loaded("svc"));

    // Find the view's file-drop handler and hand it a file list, as a drag from a file manager would.
    GtkDropTarget* target = nullptr;
    GListModel* controllers = gtk_widget_observe_controllers(GTK_WIDGET(view));
    for (guint i = 0; i < g_list_model_get_n_items(controllers) && !target; ++i) {
        auto* controller = G_OBJECT(g_list_model_get_item(controllers, i));
        if (GTK_IS_DROP_TARGET(controller) && gtk_drop_target_get_gtypes(GTK_DROP_TARGET(controller), nullptr) &&
            gtk_event_controller_get_propagation_phase(GTK_EVENT_CONTROLLER(controller)) == GTK_PHASE_CAPTURE)
            target = GTK_DROP_TARGET(controller);
        g_object_unref(controller);
    }
    g_object_unref(controllers);
    ASSERT_NE(target, nullptr);

    GFile* file = g_file_new_for_path("/etc/hostname");
    GSList* files = g_slist_append(nullptr, file);
    GValue value = G_VALUE_INIT;
    g_value_init(&value, GDK_TYPE_FILE_LIST);
    g_value_set_boxed(&value, files);
    gboolean accepted = FALSE;
    g_signal_emit_by_name(target, "drop", &value, 10.0, 10.0, &accepted);
    g_value_unset(&value);
    g_slist_free(files);
    g_object_unref(file);

    EXPECT_TRUE(accepted);
    EXPECT_TRUE(eventually([&] { return store.showFileDropTip().get(); }));
    EXPECT_EQ(evaluate(view, "drops"), "0");
}

// The overlays' timing needs no engine: a manual clock drives them.
class OverlayTimingTest : public ::testing::Test, protected AppObjects<ManualMainQueue> {
protected:
    WebViewStore& store = webViews;
};

// The language is the one of the moment a download ended; the text follows on the main queue.
TEST_F(OverlayTimingTest, DownloadReportsArePostedAndTheFileDropTipShowsThreeSeconds) {
    localization.setCurrentLanguage(AppLanguage::zhTW);
    store.reportDownloadFinished();
    localization.setCurrentLanguage(AppLanguage::en);
    EXPECT_FALSE(store.showDownloadToast().get()) << "posted to the main queue";
    queue.drain();
    EXPECT_TRUE(store.showDownloadToast().get());
    EXPECT_EQ(store.downloadToastMessage().get(), "檔案下載已完成");
    store.dismissDownloadToast();
    EXPECT_FALSE(store.showDownloadToast().get());

    store.reportDownloadFailed(std::nullopt);
    queue.drain();
    EXPECT_EQ(store.downloadToastMessage().get(), "Download Failed: The download was interrupted");
    queue.advance(Milliseconds(3000));
    EXPECT_FALSE(store.showDownloadToast().get());

    store.flashFileDropTip();
    queue.drain();
    EXPECT_TRUE(store.showFileDropTip().get());
    queue.advance(Milliseconds(3000));
    EXPECT_FALSE(store.showFileDropTip().get());
}

}  // namespace
