#include "integration/StateFixture.hpp"
#include "pane/WebBrowserContainerView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// A stored tag whose address is not a web address: its pane says why and nothing is
// loaded, whatever the user presses; the other tags go on as usual.
class TagAddressTest : public StateFixture {
protected:
    TagAddressTest() { localization.setCurrentLanguage(AppLanguage::en); }

    std::string addTag(const std::string& name, const std::string& url) {
        customTabs.add(CustomTab{tagID(name), name, url, {}, 0});
        return tagID(name);
    }
    // What the page has loaded, if anything.
    std::string pageAddress(const std::string& id) {
        const char* uri = webkit_web_view_get_uri(existingView(id));
        return uri ? uri : "";
    }
};

TEST_F(TagAddressTest, AStoredTagThatIsNoWebAddressIsKeptButNeverOpened) {
    const auto secret = dir / "secret.html";
    writeFile(secret, "<title>secret</title>");
    const std::vector<std::string> ids = {addTag("file", "file://" + secret.string()),
                                          addTag("script", "javascript:document.title='script'"),
                                          addTag("data", "data:text/html,<title>data</title>")};
    auto& primary = pane();
    for (const auto& id : ids) {
        state.setSelectedTabID(id);
        ASSERT_TRUE(eventually([&] { return shows(primary, "page-trouble"); })) << id;
        EXPECT_EQ(textOf(primary, "page-trouble-title"), id.substr(7) + " cannot be opened");
        EXPECT_EQ(textOf(primary, "page-trouble-detail"), "This address can't be opened: only web addresses (http, https) can.");
        EXPECT_FALSE(shownOnScreen(troubleAction(primary))) << "nothing to try again";
        EXPECT_FALSE(spins(primary));
    }
    // Back to the start page, and the network coming back, open nothing either.
    store().existingPage({ids[0], 0})->loadStartAddress(store().startURL(ids[0]));
    store().retryUnreachablePages();
    // A load asked for, then or by work posted then, would be the page's address at once.
    ASSERT_TRUE(runPostedWork());
    for (const auto& id : ids) EXPECT_EQ(pageAddress(id), "") << id;
    EXPECT_TRUE(shows(primary, "page-trouble"));

    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(textOf(primary, "page-trouble-title"), "無法開啟 data");
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "無法開啟這個網址：只能開啟網頁網址（http、https）。");
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "无法打开这个网址：只能打开网页网址（http、https）。");

    // The tags are kept as they were; web addresses in other tags load as usual, and a
    // page that cannot be reached offers to try again.
    EXPECT_EQ(customTabs.find(ids[0])->url, "file://" + secret.string());
    state.setSelectedTabID(tagID("one"));
    ASSERT_TRUE(loaded(tagID("one")));
    EXPECT_FALSE(shows(primary, "page-trouble"));
    const int closedPort = std::make_unique<LocalServer>()->port();
    state.setSelectedTabID(addTag("closed", "http://127.0.0.1:" + std::to_string(closedPort) + "/"));
    ASSERT_TRUE(eventually([&] { return shows(primary, "page-trouble"); }));
    EXPECT_TRUE(shownOnScreen(troubleAction(primary)));
}

}  // namespace
