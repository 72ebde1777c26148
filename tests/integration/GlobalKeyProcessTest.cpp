#include <gtest/gtest.h>

#include <csignal>

#include <glib.h>
#include <nlohmann/json.hpp>

#include "app/AITab.hpp"
#include "integration/AppProcess.hpp"
#include "integration/EditorFixtures.hpp"
#include "integration/LocalServer.hpp"
#include "integration/Openbox.hpp"
#include "integration/SendingChatPage.hpp"
#include "support/Fakes.hpp"

using namespace corvina::testing;

namespace {

// A GlobalShortcuts portal of python-dbusmock on the test's session bus, for as long as it lives.
class ShortcutsPortalMock {
public:
    ShortcutsPortalMock() {
        const auto script = std::filesystem::path(__FILE__).parent_path() / "portal" / "global_shortcuts.py";
        // The system's Python, which has the mock library, whatever else is first on the path.
        const std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
        std::vector<std::string> args = {python, "-m", "dbusmock", "--template", script.string()};
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &pid_, nullptr);
    }
    ~ShortcutsPortalMock() {
        if (pid_ > 0) kill(pid_, SIGTERM);
    }
    bool ready() const {
        return eventually([&] { return call("Bound").rfind("(", 0) == 0; });
    }
    // Its answer as gdbus prints it.
    std::string call(const std::string& method, const std::string& arguments = "") const {
        return commandOutput("gdbus call --session --dest org.freedesktop.portal.Desktop --object-path "
                             "/org/freedesktop/portal/desktop --method org.freedesktop.DBus.Mock." +
                             method + " " + arguments + " 2>&1");
    }

private:
    GPid pid_ = 0;
};

// The real app with one chat page as its only service, in English, on a session bus of the
// test's own, under openbox (which minimises, restores and guards focus).
class GlobalKeyProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"dbus-daemon", "openbox"})
            if (commandOutput(std::string("command -v ") + tool).empty()) GTEST_SKIP() << tool << " is not installed";
        ASSERT_FALSE(bus.address().empty());
        ASSERT_TRUE(openbox.running());
        g_unsetenv("WAYLAND_DISPLAY");
        g_unsetenv("XDG_CURRENT_DESKTOP");
        g_setenv("XDG_SESSION_TYPE", "x11", true);
        std::filesystem::remove_all(configDir);
        server.serve("/area", sendingChatPage, "text/html");
    }
    void TearDown() override { g_setenv("XDG_SESSION_TYPE", "x11", true); }

    std::string launch() {
        nlohmann::json hidden = nlohmann::json::array();
        for (const auto& tab : corvina::builtInTabs()) hidden.push_back(tab.id);
        const std::string tags =
            nlohmann::json::array({{{"id", "custom_area"}, {"name", "area"}, {"url", server.url("/area")},
                                    {"attributes", 1}, {"createdAt", 0.0}}})
                .dump();
        gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(tags.data()), tags.size());
        writeFile(configDir / "preferences.json",
                  nlohmann::json{{"hiddenAITabIDs", hidden.dump()}, {"customTabs", {{"base64", encoded}}}, {"appLanguage", "en"}}
                      .dump());
        g_free(encoded);
        app = std::make_unique<AppProcess>();
        window = app->waitForWindow();
        // The page settles first: a page still loading may take the keyboard when it is done.
        EXPECT_TRUE(eventually([&] { return !pages.received("loaded").empty(); }, std::chrono::seconds(30)));
        return window;
    }
    // The window manager's active window, and the X server's keyboard focus in it.
    bool active() const {
        return commandOutput("xdotool getactivewindow 2>/dev/null") == window + "\n" &&
               commandOutput("xdotool getwindowfocus 2>/dev/null") == window + "\n";
    }
    bool minimised() const {
        return commandOutput("xprop -id " + window + " _NET_WM_STATE").find("_NET_WM_STATE_HIDDEN") != std::string::npos;
    }
    // The window's left edge on the screen; a docked window slid in is almost all left of 0.
    int left() const {
        const auto geometry = commandOutput("xdotool getwindowgeometry " + window);
        const auto at = geometry.find("Position: ");
        return at == std::string::npos ? 0 : std::stoi(geometry.substr(at + 10));
    }
    // Typed after the window came back: Enter in Ask Several asks the chat page.
    bool typedIntoTheComposer(const std::string& prompt, std::size_t count) {
        commandOutput("xdotool type --delay 30 '" + prompt + "' && xdotool key Return");
        const bool arrived =
            eventually([&] { return pages.received("area").size() >= count; }, std::chrono::seconds(30));
        EXPECT_EQ(pages.received("area").size(), count);
        return arrived && pages.received("area").back() == prompt;
    }

    std::filesystem::path configDir = std::filesystem::path(g_get_user_config_dir()) / "corvina";
    PrivateSessionBus bus;
    Openbox openbox;
    LocalServer server;
    EditorFixtures pages{server};
    std::unique_ptr<AppProcess> app;
    std::string window;
};

TEST_F(GlobalKeyProcessTest, OnX11TheKeyPressedInAnotherProgramHidesTheActiveWindowAndBringsItBackToTheComposer) {
    ASSERT_FALSE(launch().empty());
    ASSERT_TRUE(eventually([&] { return active(); }));
    for (const std::string prompt : {"after the key", "after the key again"}) {
        commandOutput("xdotool key ctrl+alt+space");
        EXPECT_TRUE(eventually([&] { return minimised(); })) << "the active window is minimised";
        // Another client has the keyboard now; the key still reaches the app.
        commandOutput("xdotool key ctrl+alt+space");
        EXPECT_TRUE(eventually([&] { return !minimised() && active(); })) << "back in front with the keyboard";
        EXPECT_TRUE(typedIntoTheComposer(prompt, prompt == "after the key" ? 1 : 2)) << testing::PrintToString(pages.received("area"));
    }
}

TEST_F(GlobalKeyProcessTest, OnX11ADockedWindowSlidInComesOutWithTheKeyboardAndGoesBackIn) {
    ASSERT_FALSE(launch().empty());
    ASSERT_TRUE(eventually([&] { return active(); }));
    // Dock Left: the first button of the toolbar centred on the window's right edge, below
    // the top strip.
    const auto size = commandOutput("xdotool getwindowgeometry " + window);
    const auto at = size.find("Geometry: ");
    ASSERT_NE(at, std::string::npos) << size;
    const int width = std::stoi(size.substr(at + 10));
    const int height = std::stoi(size.substr(size.find('x', at) + 1));
    commandOutput("xdotool mousemove --window " + window + " " + std::to_string(width - 27) + " " +
                  std::to_string((height + 42) / 2 - 176) + " click 1");
    // Docked with the pointer away from its edge, the window slides in.
    commandOutput("xdotool mousemove 1435 890");
    // All but its 4-pixel grip off the screen.
    const auto slidIn = [&] { return left() == 4 - width; };
    ASSERT_TRUE(eventually(slidIn, std::chrono::seconds(15))) << left();
    commandOutput("xdotool key ctrl+alt+space");
    EXPECT_TRUE(eventually([&] { return left() >= 0 && active(); })) << left();
    EXPECT_TRUE(typedIntoTheComposer("from the edge", 1)) << testing::PrintToString(pages.received("area"));
    commandOutput("xdotool key ctrl+alt+space");
    EXPECT_TRUE(eventually(slidIn)) << "the active docked window slides back in";
    EXPECT_FALSE(minimised());
}

TEST_F(GlobalKeyProcessTest, WithoutX11TheDesktopPortalBindsTheKeyAndItsActivationToggles) {
    ShortcutsPortalMock portal;
    ASSERT_TRUE(portal.ready());
    // A Wayland session in which the app is an X11 client: no grab, the portal instead.
    g_setenv("XDG_SESSION_TYPE", "wayland", true);
    ASSERT_FALSE(launch().empty());
    ASSERT_TRUE(eventually([&] { return portal.call("Bound").find("'toggle': 'CTRL+ALT+space'") != std::string::npos; }))
        << portal.call("Bound");
    ASSERT_TRUE(eventually([&] { return active(); }));
    portal.call("Press", "toggle");
    EXPECT_TRUE(eventually([&] { return minimised(); }));
    portal.call("Press", "toggle");
    EXPECT_TRUE(eventually([&] { return !minimised() && active(); }));
    EXPECT_TRUE(typedIntoTheComposer("after the portal key", 1)) << testing::PrintToString(pages.received("area"));
}

}  // namespace
