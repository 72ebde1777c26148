#include <gtest/gtest.h>

#include <glib.h>
#include <nlohmann/json.hpp>

#include "integration/AppProcess.hpp"
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
    AppProcess app;
    const auto window = app.waitForWindow();
    ASSERT_FALSE(window.empty()) << "the main window never showed";
    EXPECT_TRUE(eventually([&] { return preferences()["launchAtLogin"] == false; }))
        << "the login-item setting is applied at start";

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

TEST_F(AppLaunchTest, ASecondLaunchPresentsTheRunningWindow) {
    if (commandOutput("command -v dbus-daemon").empty()) GTEST_SKIP() << "no session bus here";
    // Both launches share one private session bus, as in a desktop session.
    const std::string started = commandOutput(
        "dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile 2>/dev/null | head -2");
    const auto newline = started.find('\n');
    ASSERT_NE(newline, std::string::npos);
    const std::string address = started.substr(0, newline), pid = started.substr(newline + 1);
    std::shared_ptr<void> stopBus(nullptr, [pid](void*) { commandOutput("kill " + pid); });
    g_setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), true);
    AppProcess first;
    ASSERT_FALSE(first.waitForWindow().empty());
    AppProcess second;
    EXPECT_TRUE(second.waitForExit(std::chrono::seconds(10))) << "the second launch should hand over and end";
    EXPECT_TRUE(first.running());
    EXPECT_EQ(commandOutput("xdotool search --onlyvisible --name '^Corvina$' | wc -l"), "1\n");
}

}  // namespace
