#include <fstream>

#include <glib.h>

#include "integration/AccountsFixture.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class ProxyTest : public AccountsFixture {
protected:
    ProxyTest() {
        server.server.Get(R"(/page/(\w+))", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content("<title>" + req.matches[1].str() + "</title>", "text/html");
        });
        // Whatever the machine's environment says, the shared session goes direct unless a test says otherwise.
        settings.setProxy({ProxyMode::none, "", {}});
    }
    ProxySetting through(const TinyProxy& proxy) { return {ProxyMode::manual, proxy.address(), {}}; }
    void setProxy(const std::string& id, ProxySetting proxy) {
        auto edited = tag(id);
        edited.proxy = std::move(proxy);
        customTabs.replace(edited);
    }
    // Loads a new address in the page and waits for it.
    bool visit(ServicePage& page, const std::string& name) {
        page.loadStartAddress(server.url("/page/" + name));
        return titled(page, name);
    }

    TinyProxy proxy;
};

TEST_F(ProxyTest, ATagsManualProxyCarriesItsPagesAloneAndEveryChangeAppliesAtOnce) {
    auto store = makeStore(engineFolders());
    const auto proxied = addTag("proxied", server.url("/page/first"), true, through(proxy));
    const auto direct = addTag("direct", server.url("/page/second"), false);
    ASSERT_TRUE(titled(open(*store, proxied), "first"));
    ASSERT_TRUE(titled(open(*store, direct), "second"));
    EXPECT_TRUE(proxy.forwarded("/page/first")) << proxy.log();
    EXPECT_FALSE(proxy.forwarded("/page/second")) << "a shared-session service does not go through a tag's proxy";

    // The tag goes direct from its next request on, without a restart.
    setProxy(proxied, {ProxyMode::none, "", {}});
    ASSERT_TRUE(visit(*store->existingPage({proxied, 0}), "third"));
    EXPECT_FALSE(proxy.forwarded("/page/third"));

    // The shared session's own choice, from the settings.
    settings.setProxy(through(proxy));
    ASSERT_TRUE(visit(*store->existingPage({direct, 0}), "fourth"));
    EXPECT_TRUE(proxy.forwarded("/page/fourth"));
    // Hosts on the bypass list go direct.
    settings.setProxy({ProxyMode::manual, proxy.address(), {"127.0.0.1"}});
    ASSERT_TRUE(visit(*store->existingPage({direct, 0}), "fifth"));
    EXPECT_FALSE(proxy.forwarded("/page/fifth"));
}

TEST_F(ProxyTest, AProxyThatCannotBeReachedIsWhatThePaneSays) {
    const auto closed = addTag("closed", server.url("/page/never"), true,
                               {ProxyMode::manual, "http://127.0.0.1:" + std::to_string(unusedPort()), {}});
    state.setSelectedTabID(closed);
    auto& shown = pane();
    ASSERT_TRUE(eventually([&] { return StateFixture::shows(shown, "page-trouble"); }, std::chrono::seconds(15)));
    EXPECT_EQ(textOf(shown, "page-trouble-detail"), displayHost(server.url("/")) + ": the proxy could not be reached.");
    EXPECT_EQ(troubleAction(shown).get_label(), "Try Again");
}

// The environment a network process starts with is the one it keeps, so this runs in a
// process of its own started with the proxy variables set (the test below).
TEST_F(ProxyTest, NoProxyIgnoresTheEnvironmentsProxyWhereTheSystemSettingFollowsIt) {
    const char* logFile = g_getenv("CORVINA_TEST_PROXY_LOG");
    if (!logFile) GTEST_SKIP() << "started by EnvironmentProxy below";
    auto store = makeStore(engineFolders());
    const auto tagged = addTag("tagged", server.url("/page/none"), true, {ProxyMode::none, "", {}});
    ASSERT_TRUE(titled(open(*store, tagged), "none"));
    setProxy(tagged, {ProxyMode::system, "", {}});
    ASSERT_TRUE(visit(*store->existingPage({tagged, 0}), "system"));
    std::ifstream file(logFile);
    const std::string log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(log.find("/page/none"), std::string::npos) << log;
    EXPECT_NE(log.find("/page/system"), std::string::npos) << "the environment's proxy is in force here\n" << log;
}

TEST(EnvironmentProxy, IsIgnoredByNoProxy) {
    TinyProxy proxy;
    std::vector<std::pair<std::string, std::string>> variables{{"CORVINA_TEST_PROXY_LOG", proxy.logFile().string()},
                                                                {"no_proxy", ""}, {"NO_PROXY", ""}};
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY"})
        variables.emplace_back(name, proxy.address());
    const auto [passed, output] =
        runInOwnProcess("ProxyTest.NoProxyIgnoresTheEnvironmentsProxyWhereTheSystemSettingFollowsIt", variables);
    EXPECT_TRUE(passed) << output;
}

}  // namespace

namespace {

// Every widget under `root`, depth first.
void collect(GtkWidget* root, std::vector<GtkWidget*>& found) {
    for (GtkWidget* child = gtk_widget_get_first_child(root); child; child = gtk_widget_get_next_sibling(child)) {
        found.push_back(child);
        collect(child, found);
    }
}

template <class Test>
std::vector<GtkWidget*> widgetsIn(GtkWidget* root, Test test) {
    std::vector<GtkWidget*> all, matching;
    collect(root, all);
    for (auto* widget : all)
        if (test(widget)) matching.push_back(widget);
    return matching;
}

TEST_F(ProxyTest, AProxyAskingForAPasswordIsAnsweredInThePaneAsASitesOwnLogin) {
    TinyProxy guarded("alice secret");
    const auto tagged = addTag("guarded", server.url("/page/behind"), true, {ProxyMode::manual, guarded.address(), {}});
    state.setSelectedTabID(tagged);
    auto& shown = pane();
    auto* view = GTK_WIDGET(store().existingPage({tagged, 0})->view());
    std::vector<GtkWidget*> fields;
    ASSERT_TRUE(eventually([&] {
        fields = widgetsIn(view, [](GtkWidget* w) { return GTK_IS_TEXT(w) && gtk_widget_is_visible(w); });
        return fields.size() >= 2;
    }, std::chrono::seconds(15))) << "the engine's own login, inside the page";
    EXPECT_FALSE(StateFixture::shows(shown, "page-trouble"));
    gtk_editable_set_text(GTK_EDITABLE(fields[0]), "alice");
    gtk_editable_set_text(GTK_EDITABLE(fields[1]), "secret");
    const auto signIn = widgetsIn(view, [](GtkWidget* w) {
        return GTK_IS_BUTTON(w) && gtk_widget_is_visible(w) && gtk_button_get_label(GTK_BUTTON(w)) &&
               std::string(gtk_button_get_label(GTK_BUTTON(w))) == "_Authenticate";
    });
    ASSERT_EQ(signIn.size(), 1u);
    gtk_widget_activate(signIn.front());
    EXPECT_TRUE(titled(*store().existingPage({tagged, 0}), "behind"));
    EXPECT_TRUE(guarded.forwarded("/page/behind"));
}

}  // namespace
