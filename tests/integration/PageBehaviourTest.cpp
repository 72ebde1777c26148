#include <atomic>
#include <csignal>
#include <memory>
#include <thread>

#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"
#include "integration/X11Window.hpp"
#include "pane/WebBrowserContainerView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// Pages that go wrong, ask for permissions, notify and open windows, in a real pane over
// the real engine, with pages from a local server.
class PageBehaviourTest : public StateFixture {
protected:
    PageBehaviourTest() {
        settings.setLoadServicesWhenOpened(true);
        localization.setCurrentLanguage(AppLanguage::en);
    }

    // A service of its own whose start page is served (and counted) at /name.
    std::string addService(const std::string& name, const std::string& body) {
        server.server.Get("/" + name, [this, name, body](const httplib::Request&, httplib::Response& res) {
            ++hits[name];
            res.set_content(body, "text/html");
        });
        return addServiceAt(name, server.url("/" + name));
    }
    std::string addServiceAt(const std::string& name, const std::string& url) {
        customTabs.add(CustomTab{tagID(name), name, url, {}, 0});
        state.setSelectedTabID(tagID(name));
        return tagID(name);
    }
    WebKitWebView* page(const std::string& id, Pane which = Pane::primary) {
        return existingView(id, which);
    }
    ServicePage& servicePage(const std::string& id) { return *store().existingPage({id, 0}); }
    bool anyTrouble() {
        for (const auto& key : store().pageKeys())
            if (store().existingPage(key)->trouble().get()) return true;
        return false;
    }
    bool titled(WebKitWebView* view, const std::string& title) {
        return eventually([&] { return evaluateScript(view, "document.title") == title; });
    }
    std::string host() const { return displayHost(server.url("/")); }
};

TEST_F(PageBehaviourTest, AKilledPageShowsWhatHappenedAndOnlyAPageOverItsMemoryLimitReloadsByItselfOnce) {
    // Another site, so the engine gives it a web process of its own.
    server.serve("/other", "<title>other</title>", "text/html");
    std::string otherURL = server.url("/other");
    otherURL.replace(otherURL.find("127.0.0.1"), 9, "localhost");
    const auto other = addServiceAt("other", otherURL);
    auto& secondary = pane(Pane::secondary);
    state.enterSplitMode();
    state.setSecondaryTabID(other);
    ASSERT_TRUE(loaded(other, Pane::secondary));
    ASSERT_TRUE(titled(page(other, Pane::secondary), "other"));
    const auto before = webProcessIDs();
    const auto chat = addService("chat", "<title>chat</title>");
    auto& primary = pane();
    ASSERT_TRUE(loaded(chat));
    ASSERT_TRUE(titled(page(chat), "chat"));

    // The chat page's web process is among those that came with it (the engine may have
    // started a spare one too).
    for (int pid : webProcessIDs()) {
        if (std::find(before.begin(), before.end(), pid) != before.end()) continue;
        ::kill(pid, SIGKILL);
        if (eventually([&] { return shows(primary, "page-trouble"); }, std::chrono::seconds(3))) break;
    }
    ASSERT_TRUE(shows(primary, "page-trouble"));
    EXPECT_EQ(textOf(primary, "page-trouble-title"), "chat stopped working");
    EXPECT_EQ(troubleAction(primary).get_label(), "Reload");
    EXPECT_FALSE(shows(secondary, "page-trouble"));
    EXPECT_EQ(evaluateScript(page(other, Pane::secondary), "document.title"), "other") << "the other pane goes on";
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(textOf(primary, "page-trouble-title"), "chat 已停止运行");
    // The page dealt with its crash when it showed the notice; a reload would have been asked
    // for then, or by work it posted, and the view would be loading still or have loaded.
    ASSERT_TRUE(runPostedWork());
    EXPECT_FALSE(webkit_web_view_is_loading(page(chat))) << "no reload by itself after a crash";
    EXPECT_EQ(hits["chat"], 1) << "no reload by itself after a crash";

    troubleAction(primary).activate();
    EXPECT_TRUE(eventually([&] { return !shows(primary, "page-trouble") && !isLoading(chat); }));
    EXPECT_TRUE(titled(page(chat), "chat"));
    ASSERT_TRUE(loaded(chat));
    EXPECT_EQ(hits["chat"], 2);

    // A page ended for its memory use comes back by itself, once; the second time the user decides.
    localization.setCurrentLanguage(AppLanguage::en);
    servicePage(chat).webProcessTerminated(WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT);
    EXPECT_TRUE(eventually([&] { return hits["chat"] == 3; }));
    EXPECT_FALSE(shows(primary, "page-trouble"));
    // That load is over in the engine too (the page's own flag may not have been raised yet).
    ASSERT_TRUE(eventually([&] { return !webkit_web_view_is_loading(page(chat)); }) && loaded(chat));
    servicePage(chat).webProcessTerminated(WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT);
    EXPECT_TRUE(shows(primary, "page-trouble"));
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "The page used too much memory and was closed.");
    servicePage(chat).webProcessTerminated(WEBKIT_WEB_PROCESS_TERMINATED_BY_API);
    ASSERT_TRUE(runPostedWork());
    EXPECT_FALSE(webkit_web_view_is_loading(page(chat))) << "our own ending reloads nothing";
    EXPECT_EQ(hits["chat"], 3);
}

// Neither a load the user stopped nor one turned into a download is a failure; an
// unreachable service shows our page, retries once by itself and loads once it listens.
TEST_F(PageBehaviourTest, OnlyAnUnreachableServiceIsAFailureAndItLoadsOnceItListens) {
    // The server holds its answer until the load has been stopped (polled, for a while at most).
    auto stopped = std::make_shared<std::atomic<bool>>(false);
    server.server.Get("/slow", [this, stopped](const httplib::Request&, httplib::Response& res) {
        ++hits["slow"];
        for (int wait = 0; wait < 300 && !*stopped; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        res.set_content("<title>slow</title>", "text/html");
    });
    server.serve("/file", "data", "application/octet-stream", "attachment; filename=\"file.bin\"");
    const auto slow = addServiceAt("slow", server.url("/slow"));
    auto& primary = pane();
    // Stopped while the server is answering.
    ASSERT_TRUE(eventually([&] { return hits["slow"] == 1; }));
    webkit_web_view_stop_loading(page(slow));
    ASSERT_TRUE(loaded(slow));
    *stopped = true;
    state.selectTab(addServiceAt("file", server.url("/file")));
    // The engine reports a load's failure before its end: both ends have been dealt with.
    ASSERT_TRUE(eventually([&] { return page(tagID("file")) != nullptr; }) && loaded(tagID("file")));
    EXPECT_FALSE(shows(primary, "page-trouble"));
    EXPECT_FALSE(anyTrouble());

    // A port nothing listens on any more: every connection is refused.
    const int port = std::make_unique<LocalServer>()->port();
    const auto id = addServiceAt("late", "http://127.0.0.1:" + std::to_string(port) + "/late");
    ASSERT_TRUE(eventually([&] { return shows(primary, "page-trouble"); }));
    EXPECT_EQ(textOf(primary, "page-trouble-title"), "late cannot be reached");
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "127.0.0.1:" + std::to_string(port) + " refused the connection.");
    EXPECT_EQ(troubleAction(primary).get_label(), "Try Again");
    EXPECT_FALSE(spins(primary));

    // The network comes back: one retry, which fails again while nothing listens.
    int failures = 0;
    ScopedConnection watch = servicePage(id).trouble().observe([&] { failures += servicePage(id).trouble().get().has_value(); });
    store().retryUnreachablePages();
    ASSERT_TRUE(eventually([&] { return failures > 0 && !webkit_web_view_is_loading(page(id)); })) << "the retry failed";
    EXPECT_TRUE(shows(primary, "page-trouble"));
    LocalServer late(port);
    late.serve("/late", "<title>late</title>", "text/html");
    store().retryUnreachablePages();
    // A second retry would have asked for the page at once, or from work it posted.
    ASSERT_TRUE(runPostedWork());
    EXPECT_FALSE(webkit_web_view_is_loading(page(id))) << "a failure retries by itself only once";
    EXPECT_TRUE(shows(primary, "page-trouble")) << "a failure retries by itself only once";

    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(troubleAction(primary).get_label(), "再試一次");
    troubleAction(primary).activate();
    EXPECT_TRUE(eventually([&] { return !shows(primary, "page-trouble"); }));
    EXPECT_TRUE(titled(page(id), "late"));
}

// The engine refuses some ports outright: loaded directly it shows a blank page and
// reports nothing, through a redirect it reports a failure.
TEST_F(PageBehaviourTest, AServiceOnABlockedPortSaysWhyInsteadOfABlankPage) {
    const auto id = addServiceAt("blocked", "http://127.0.0.1:1/");
    auto& primary = pane();
    ASSERT_TRUE(eventually([&] { return shows(primary, "page-trouble"); }));
    EXPECT_EQ(textOf(primary, "page-trouble-title"), "blocked cannot be reached");
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "127.0.0.1:1 uses a port that web pages may not use.");
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "127.0.0.1:1 使用的端口不允许网页使用。");

    // Trying again fails the same way, and says so again.
    int changes = 0;
    ScopedConnection watch = servicePage(id).trouble().observe([&] { ++changes; });
    troubleAction(primary).activate();
    ASSERT_TRUE(eventually([&] { return changes >= 2 && shows(primary, "page-trouble"); })) << "cleared, then shown again";
    // The blank page the engine puts in its place has committed and finished: nothing follows.
    ASSERT_TRUE(eventually([&] { return !webkit_web_view_is_loading(page(id)); }) && loaded(id));
    EXPECT_TRUE(shows(primary, "page-trouble"));

    server.server.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
        res.set_redirect("http://127.0.0.1:6000/chat");
    });
    localization.setCurrentLanguage(AppLanguage::zhTW);
    const auto moved = addServiceAt("moved", server.url("/moved"));
    ASSERT_TRUE(eventually([&] { return page(moved) && servicePage(moved).trouble().get().has_value(); }));
    EXPECT_TRUE(eventually([&] { return textOf(primary, "page-trouble-detail") == "127.0.0.1:6000 使用的連接埠不允許網頁使用。"; }))
        << textOf(primary, "page-trouble-detail");
}

// The system's network monitor says there is no connection: a name that cannot be found
// is the missing network, not the server.
TEST_F(PageBehaviourTest, WithoutANetworkAnUnreachableServiceSaysTheComputerIsOffline) {
    network.connected = false;
    const auto id = addServiceAt("away", "http://corvina-test.invalid/");
    auto& primary = pane();
    ASSERT_TRUE(eventually([&] { return shows(primary, "page-trouble"); }, std::chrono::seconds(30)));
    EXPECT_EQ(textOf(primary, "page-trouble-title"), "away cannot be reached");
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "corvina-test.invalid: this computer is not connected to the network.");
    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "corvina-test.invalid：這部電腦沒有連上網路。");

    // Connected, the same failure is the name's.
    network.connected = true;
    localization.setCurrentLanguage(AppLanguage::en);
    int changes = 0;
    ScopedConnection watch = servicePage(id).trouble().observe([&] { ++changes; });
    troubleAction(primary).activate();
    ASSERT_TRUE(eventually([&] { return changes >= 2 && shows(primary, "page-trouble"); }, std::chrono::seconds(30)));
    EXPECT_EQ(textOf(primary, "page-trouble-detail"), "corvina-test.invalid: the server's name could not be found.");
}

TEST_F(PageBehaviourTest, PermissionsAreAskedInThePaneRememberedPerSiteAndNotificationsReachTheDesktop) {
    // The page hears that a notification of its was dealt with (its show event), shown on
    // the desktop or not.
    const auto id = addService("ask", "<title>ask</title><script>"
                                      "function ask() { Notification.requestPermission().then(p => document.title = p); }"
                                      "let shown = 0; function notify() { const n = new Notification('Hi', {body: 'there'});"
                                      " n.onclick = () => document.title = 'clicked';"
                                      " n.onshow = () => document.title = 'shown ' + ++shown; }</script>");
    auto& primary = pane();
    ASSERT_TRUE(loaded(id));
    evaluateScript(page(id), "ask(); 1");
    ASSERT_TRUE(eventually([&] { return shows(primary, "permission-bar"); }));
    EXPECT_EQ(textOf(primary, "permission-question"), host() + " wants to show notifications");
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(textOf(primary, "permission-question"), host() + " 想要显示通知");
    widgetLabelled<Gtk::Button>(primary, "允许").activate();
    EXPECT_TRUE(titled(page(id), "granted"));
    EXPECT_FALSE(shows(primary, "permission-bar"));

    // Remembered in the store's file, for the site.
    PreferenceStore file(engine.data / "site-permissions.json");
    SitePermissions reread(file);
    EXPECT_EQ(reread.answer(*siteOf(server.url("/")), PermissionKind::notifications), true);
    evaluateScript(page(id), "document.title = 'asking'; ask(); 1");
    EXPECT_TRUE(titled(page(id), "granted"));
    EXPECT_FALSE(shows(primary, "permission-bar")) << "asked once per site";

    // Shown in the active window, the page's notification stays off the desktop.
    state.selectTab(id);
    evaluateScript(page(id), "notify(); 1");
    ASSERT_TRUE(eventually([&] { return servicePage(id).notifiedRecently(); }));
    EXPECT_TRUE(notifier.sent.empty()) << "nothing for the page the user looks at";
    state.selectTab(tagID("one"));
    evaluateScript(page(id), "notify(); 1");
    ASSERT_TRUE(eventually([&] { return notifier.sent.size() == 1; }));
    EXPECT_EQ(notifier.sent[0].title, "ask");
    EXPECT_EQ(notifier.sent[0].body, "Hi\nthere");
    state.selectTab(tagID("one"));
    const auto place = store().activateNotification(notifier.sent[0].id);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(*place, (PageKey{id, 0}));
    EXPECT_TRUE(titled(page(id), "clicked")) << "the page hears of the click";
    EXPECT_FALSE(store().activateNotification(notifier.sent[0].id).has_value()) << "a click counts once";

    // A microphone request denied is not asked again. No microphone on a test machine: the
    // engine's stand-in devices.
    localization.setCurrentLanguage(AppLanguage::en);
    const auto voice = addService("voice", "<title>voice</title><script>function ask() {"
                                           "navigator.mediaDevices.getUserMedia({audio: true}).then("
                                           "() => document.title = 'yes', e => document.title = 'no ' + e.name); }</script>");
    ASSERT_TRUE(eventually([&] { return page(voice) != nullptr; }) && loaded(voice));
    webkit_settings_set_enable_mock_capture_devices(webkit_web_view_get_settings(page(voice)), TRUE);
    evaluateScript(page(voice), "ask(); 1");
    ASSERT_TRUE(eventually([&] { return shows(primary, "permission-bar"); }));
    EXPECT_EQ(textOf(primary, "permission-question"), host() + " wants to use your microphone");
    widgetLabelled<Gtk::Button>(primary, "Deny").activate();
    EXPECT_TRUE(titled(page(voice), "no NotAllowedError"));
    evaluateScript(page(voice), "document.title = 'again'; ask(); 1");
    EXPECT_TRUE(titled(page(voice), "no NotAllowedError"));
    EXPECT_FALSE(shows(primary, "permission-bar"));

    store().sitePermissions().reset();
    EXPECT_EQ(store().sitePermissions().answerCount().get(), 0);
}

// Real key presses are the user's gesture; a page's own script is not.
class NewWindowTest : public PageBehaviourTest {
protected:
    NewWindowTest() {
        server.server.Get("/popup", [this](const httplib::Request&, httplib::Response& res) {
            ++hits["popup"];
            res.set_content("<title>popup</title><script>window.opener && window.opener.postMessage('hello', '*');"
                            "</script>",
                            "text/html");
        });
        opener = addService("opener", "<title>opener</title><a id=go target=_blank href='/popup'>new</a><script>"
                                      "onkeydown = e => { if (e.key == 'o') window.signin = window.open('/popup', 'signin',"
                                      "'width=400,height=500'); };"
                                      "let releases = 0; onkeyup = () => releases++;"
                                      "onmessage = e => document.title = e.data;</script>");
    }
    // Returns once the page has had the key's release: the engine hands the page its keys
    // in order, so what the press did, a new window asked for and decided on included, is done.
    void pressOnPage(const std::string& focus, const std::string& keys) {
        gtk_widget_grab_focus(GTK_WIDGET(page(opener)));
        evaluateScript(page(opener), focus);
        const std::string before = evaluateScript(page(opener), "releases");
        pressKeys(windows.front()->gobj(), keys);
        EXPECT_TRUE(eventually([&] { return evaluateScript(page(opener), "releases") != before; })) << keys;
    }
    std::string opener;
};

// The same page under each setting: what the user opens goes where the setting says, and a
// script without the user's gesture opens nothing anywhere.
TEST_F(NewWindowTest, WhatTheUserOpensGoesWhereTheSettingSays) {
    // The title changes once the page's own try at a window has been answered.
    server.serve("/auto",
                 "<title>auto</title><script>setTimeout(() => { window.open('/popup'); document.title = 'tried'; }, 50);"
                 "</script>",
                 "text/html");
    pane();
    ASSERT_TRUE(loaded(opener));
    pressOnPage("document.getElementById('go').focus(); 1", "Return");
    pressOnPage("document.body.focus(); 1", "o");
    EXPECT_EQ(hits["popup"], 0);
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_EQ(windowsWithClass("popup-window").size(), 0u);
    EXPECT_EQ(evaluateScript(page(opener), "location.pathname"), "/opener");

    for (auto target : {NewWindowTarget::browser, NewWindowTarget::app}) {
        settings.setNewWindowTarget(target);
        const auto id = addServiceAt("auto" + rawValue(target), server.url("/auto"));
        ASSERT_TRUE(eventually([&] { return page(id) != nullptr; }) && loaded(id));
        ASSERT_TRUE(titled(page(id), "tried"));
    }
    EXPECT_EQ(hits["popup"], 0);
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_EQ(windowsWithClass("popup-window").size(), 0u);

    state.setSelectedTabID(opener);
    ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(GTK_WIDGET(page(opener))); }));
    settings.setNewWindowTarget(NewWindowTarget::browser);
    pressOnPage("document.getElementById('go').focus(); 1", "Return");
    EXPECT_EQ(launcher.opened, std::vector{server.url("/popup")});
    EXPECT_EQ(windowsWithClass("popup-window").size(), 0u);
    EXPECT_EQ(hits["popup"], 0);

    // A sign-in pop-up opens in our window, talks to its opener and closes with it.
    settings.setNewWindowTarget(NewWindowTarget::app);
    pressOnPage("document.body.focus(); 1", "o");
    ASSERT_TRUE(eventually([&] { return windowsWithClass("popup-window").size() == 1; }));
    EXPECT_TRUE(titled(page(opener), "hello")) << "the pop-up's window.opener is the page";
    auto* popupWindow = windowsWithClass("popup-window").at(0);
    ASSERT_EQ(widgetsOfType(*Glib::wrap(popupWindow), WEBKIT_TYPE_WEB_VIEW).size(), 1u) << "the window shows the pop-up's page";
    EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(popupWindow)), windows.front()->gobj());
    EXPECT_TRUE(eventually([&] { return gtk_widget_get_mapped(GTK_WIDGET(popupWindow)); }));
    EXPECT_EQ(launcher.opened.size(), 1u);
    evaluateScript(page(opener), "window.signin.close(); 1");
    EXPECT_TRUE(eventually([&] { return windowsWithClass("popup-window").size() == 0; }));
}

}  // namespace

