#include <gtest/gtest.h>

#include <sys/stat.h>

#include <glib.h>
#include <nlohmann/json.hpp>

#include "app/AITab.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "support/Fakes.hpp"

using namespace corvina::testing;

namespace {

// The test driver gives every run a private HOME; start each test from no preferences.
class AppLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove_all(configDir);
        std::filesystem::remove_all(std::filesystem::path(g_get_user_config_dir()) / "autostart");
    }
    nlohmann::json preferences() const {
        return nlohmann::json::parse(readFile(configDir / "preferences.json"), nullptr, false);
    }

    std::filesystem::path configDir = std::filesystem::path(g_get_user_config_dir()) / "corvina";
};

TEST_F(AppLaunchTest, TheTabBarShortcutTogglesAndIsStored) {
    // The only service is a local page whose text field takes the keyboard focus.
    LocalServer server;
    server.serve("/chat", "<body style='margin:0'><textarea autofocus style='width:100%;height:100vh'></textarea>"
                 "<script>addEventListener('keydown', e => e.preventDefault(), true)</script>",
                 "text/html");
    nlohmann::json hidden = nlohmann::json::array();
    for (const auto& tab : corvina::builtInTabs()) hidden.push_back(tab.id);
    const std::string tags = nlohmann::json::array(
        {{{"id", "custom_CHAT"}, {"name", "Chat"}, {"url", server.url("/chat")}, {"attributes", 1}, {"createdAt", 0.0}}}).dump();
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(tags.data()), tags.size());
    writeFile(configDir / "preferences.json",
              nlohmann::json{{"hiddenAITabIDs", hidden.dump()}, {"customTabs", {{"base64", encoded}}}}.dump());
    g_free(encoded);

    AppProcess app;
    const auto window = app.waitForWindow();
    ASSERT_FALSE(window.empty()) << "the main window never showed";
    EXPECT_TRUE(eventually([&] { return preferences()["launchAtLogin"] == false; }))
        << "the login-item setting is applied at start";

    // The page's text field has the keyboard focus: the shortcut must still reach the app.
    commandOutput("xdotool mousemove --window " + window + " 400 300 click 1 type hello");
    app.sendKeys(window, "ctrl+alt+s");
    EXPECT_TRUE(eventually([&] { return preferences()["showSidebar"] == false; })) << readFile(configDir / "preferences.json");
    app.sendKeys(window, "ctrl+alt+s");
    EXPECT_TRUE(eventually([&] { return preferences()["showSidebar"] == true; }));
}

TEST_F(AppLaunchTest, AnUnreadablePreferenceFileIsKeptAside) {
    writeFile(configDir / "preferences.json", "{ not json");
    AppProcess app;
    const auto window = app.waitForWindow();
    ASSERT_FALSE(window.empty());
    EXPECT_TRUE(eventually([&] { return preferences().is_object(); }));
    EXPECT_EQ(readFile(configDir / "preferences.json.corrupt"), "{ not json");
}

// A FIFO at the preference path would hold the app before its window; it is kept aside
// like a file that does not parse. A path that cannot be opened at all (a link to itself)
// is left as it is: the app runs on defaults and writes nothing over it.
TEST_F(AppLaunchTest, APreferencePathThatIsNoReadableFileNeitherHoldsTheAppNorIsReplaced) {
    const auto file = configDir / "preferences.json";
    std::filesystem::create_directories(configDir);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    {
        AppProcess app;
        ASSERT_FALSE(app.waitForWindow().empty()) << "the window never showed";
        EXPECT_TRUE(std::filesystem::is_fifo(configDir / "preferences.json.corrupt"));
        EXPECT_TRUE(eventually([&] { return preferences().is_object(); }));
    }
    std::filesystem::remove_all(configDir);
    std::filesystem::create_directories(configDir);
    std::filesystem::create_symlink("preferences.json", file);
    AppProcess app;
    // What the app stores at launch it stores while it starts and prepares its window,
    // before the window shows: those writes have had their chance.
    ASSERT_FALSE(app.waitForWindow().empty());
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(configDir), std::filesystem::directory_iterator()), 1);
}

TEST_F(AppLaunchTest, ASecondLaunchPresentsTheRunningWindow) {
    if (commandOutput("command -v dbus-daemon").empty()) GTEST_SKIP() << "no session bus here";
    // Both launches share one private session bus, as in a desktop session.
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().empty());
    AppProcess first;
    ASSERT_FALSE(first.waitForWindow().empty());
    AppProcess second;
    EXPECT_TRUE(second.waitForExit(std::chrono::seconds(10))) << "the second launch should hand over and end";
    EXPECT_TRUE(first.running());
    // Once the hand-over has settled, one main window is shown.
    EXPECT_TRUE(eventually([] { return commandOutput("xdotool search --onlyvisible --name '^Corvina$' | wc -l") == "1\n"; }));
}

}  // namespace
