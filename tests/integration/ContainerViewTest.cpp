#include <gtkmm/window.h>

#include "app/AppContext.hpp"
#include "app/AppSettings.hpp"
#include "integration/WebFixture.hpp"
#include "panels/ClipboardManager.hpp"
#include "platform/NotificationCenter.hpp"
#include "web/WebBrowserContainerView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The real pane over the real state, showing custom tags served locally (built-ins hidden,
// so nothing leaves the machine).
class ContainerViewTest : public ::testing::Test {
protected:
    ContainerViewTest() {
        std::set<std::string> all;
        for (const auto& tab : builtInTabs()) all.insert(tab.id);
        state.setHiddenAITabIDs(all);
        for (const char* name : {"one", "two", "three"}) {
            server.server.Get(std::string("/") + name, [this, name](const httplib::Request&, httplib::Response& res) {
                ++hits[name];
                res.set_content(std::string("<title>") + name + "</title>", "text/html");
            });
            customTabs.add(CustomTab{std::string("custom_") + name, name, server.url(std::string("/") + name), {}, 0});
        }
        state.selectFirstVisibleTab();
    }
    ~ContainerViewTest() override {
        for (auto& window : windows) window->destroy();
    }

    WebBrowserContainerView& pane(Pane which) {
        panes.push_back(std::make_unique<WebBrowserContainerView>(context, which));
        windows.push_back(std::make_unique<Gtk::Window>());
        windows.back()->set_default_size(900, 600);
        windows.back()->set_child(*panes.back());
        windows.back()->present();
        return *panes.back();
    }
    WebViewStore& store() { return state.webViewStore(); }
    bool allCreated(Pane which) {
        return eventually([&] {
            for (const char* name : {"one", "two", "three"})
                if (!store().existingWebView(std::string("custom_") + name, which)) return false;
            return true;
        });
    }
    bool loaded(const std::string& id, Pane which) {
        return eventually([&] { return !store().isTabLoading(id, which); }, std::chrono::seconds(15));
    }

    TempDir dir;
    LocalServer server;
    std::map<std::string, std::atomic<int>> hits;
    GlibMainQueue queue;
    NotificationCenter notifications{queue};
    PreferenceStore preferences{dir / "preferences.json"};
    FakePasteboard pasteboard;
    FakeLoginItem login;
    LocalizationManager localization{preferences};
    AppSettings settings{preferences};
    CustomTabManager customTabs{preferences};
    ClipboardManager clipboard{pasteboard, queue};
    DownloadSettings downloads{preferences, queue, dir / "Downloads"};
    AppState state{preferences, login, notifications, customTabs,
                   std::make_unique<WebViewStore>(queue, localization, downloads, customTabs,
                                                  WebViewStore::Folders{dir / "web", dir / "cache"})};
    AppContext context{queue, notifications, preferences, pasteboard, state, settings, localization, clipboard,
                       customTabs, downloads};
    std::vector<std::unique_ptr<WebBrowserContainerView>> panes;
    std::vector<std::unique_ptr<Gtk::Window>> windows;
};

TEST_F(ContainerViewTest, SwitchingShowsTheKeptPageWithoutReloadingAnything) {
    auto& primary = pane(Pane::primary);
    ASSERT_TRUE(allCreated(Pane::primary));
    ASSERT_TRUE(loaded("custom_one", Pane::primary) && loaded("custom_two", Pane::primary));
    auto* one = store().existingWebView("custom_one", Pane::primary);
    auto* two = store().existingWebView("custom_two", Pane::primary);
    EXPECT_EQ(primary.shownWebView(), one);
    ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(GTK_WIDGET(one)); }));
    EXPECT_FALSE(gtk_widget_get_mapped(GTK_WIDGET(two))) << "hidden pages neither paint nor animate";

    evaluateScript(one, "window.typed = 'kept'");
    state.selectTab("custom_two");
    EXPECT_EQ(primary.shownWebView(), two);
    EXPECT_TRUE(eventually([&] { return !gtk_widget_get_mapped(GTK_WIDGET(one)); }));
    state.selectTab("custom_one");
    EXPECT_EQ(primary.shownWebView(), one);
    EXPECT_EQ(evaluateScript(one, "window.typed"), "kept");
    EXPECT_EQ(hits["one"], 1);
    EXPECT_EQ(hits["two"], 1);
}

TEST_F(ContainerViewTest, AnEmptySecondaryPaneShowsThePlaceholderAndMakesNoWebView) {
    state.enterSplitMode();
    localization.setCurrentLanguage(AppLanguage::en);
    auto& secondary = pane(Pane::secondary);
    EXPECT_TRUE(secondary.showsPlaceholder());
    EXPECT_EQ(store().webViewCount(), 0u);
    localization.setCurrentLanguage(AppLanguage::zhTW);
    state.selectTab("custom_two");
    EXPECT_FALSE(secondary.showsPlaceholder());
    EXPECT_EQ(secondary.shownWebView(), store().existingWebView("custom_two", Pane::secondary));
    EXPECT_EQ(store().existingWebView("custom_two", Pane::primary), nullptr);
}

TEST_F(ContainerViewTest, TheSpinnerFollowsTheShownPage) {
    auto& primary = pane(Pane::primary);
    EXPECT_TRUE(primary.showsSpinner());
    ASSERT_TRUE(loaded("custom_one", Pane::primary));
    EXPECT_TRUE(eventually([&] { return !primary.showsSpinner(); }));
}

TEST_F(ContainerViewTest, OverlaysShowInBothPanesAndCloseTogether) {
    state.enterSplitMode();
    auto& primary = pane(Pane::primary);
    auto& secondary = pane(Pane::secondary);
    localization.setCurrentLanguage(AppLanguage::zhTW);
    store().presentDownloadToast("檔案下載已完成");
    ASSERT_TRUE(eventually([&] { return primary.showsToast() && secondary.showsToast(); }));
    EXPECT_EQ(secondary.toast().message(), "檔案下載已完成");
    g_signal_emit_by_name(secondary.toast().closeButton().gobj(), "clicked");
    EXPECT_FALSE(primary.showsToast());

    store().flashFileDropTip();
    ASSERT_TRUE(eventually([&] { return primary.showsFileDropTip(); }));
    EXPECT_EQ(primary.fileDropTip().text(), "請點擊頁面上 +號 或 上傳按鍵 上傳檔案");
}

TEST_F(ContainerViewTest, AHiddenServiceStillSelectedShowsNothing) {
    state.setHiddenAITabIDs({});
    state.selectTab("doubao");
    state.setHiddenAITabIDs({"doubao"});  // moves the selection on...
    state.setSelectedTabID("doubao");      // ...but the id can still be set directly
    auto& primary = pane(Pane::primary);
    EXPECT_EQ(primary.shownWebView(), nullptr);
    EXPECT_FALSE(primary.showsSpinner());
}

}  // namespace
