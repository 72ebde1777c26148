#include <gtest/gtest.h>

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

struct Invocation {
    int status = -1;
    std::string output;
    std::string errors;
};

// The real app with two chat pages as its only services, in English, on a session bus of
// the test's own; `corvina` runs a second invocation beside it.
class CommandLineProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (commandOutput("command -v dbus-daemon").empty()) GTEST_SKIP() << "no session bus here";
        ASSERT_FALSE(bus.address().empty());
        std::filesystem::remove_all(configDir);
        std::filesystem::remove_all(std::filesystem::path(g_get_user_config_dir()) / "autostart");
        nlohmann::json hidden = nlohmann::json::array();
        for (const auto& tab : corvina::builtInTabs()) hidden.push_back(tab.id);
        nlohmann::json tags = nlohmann::json::array();
        for (const char* name : {"area", "other"}) {
            server.serve(std::string("/") + name, sendingChatPage, "text/html");
            tags.push_back({{"id", std::string("custom_") + name},
                            {"name", name},
                            {"url", server.url(std::string("/") + name)},
                            {"attributes", 1},
                            {"createdAt", 0.0}});
        }
        const std::string tagText = tags.dump();
        gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(tagText.data()), tagText.size());
        writeFile(configDir / "preferences.json", nlohmann::json{{"hiddenAITabIDs", hidden.dump()},
                                                                 {"customTabs", {{"base64", encoded}}},
                                                                 {"appLanguage", "en"}}
                                                      .dump());
        g_free(encoded);
    }

    // Starts the app and waits until it has shown its window and stored what it stores at launch.
    std::string launch() {
        app = std::make_unique<AppProcess>();
        const auto window = app->waitForWindow();
        EXPECT_TRUE(eventually([&] { return preferences().contains("launchAtLogin"); }));
        return window;
    }

    // `corvina ARGUMENTS` with `input` on its standard input, until it ends.
    Invocation corvina(const std::vector<std::string>& arguments, const std::string& input = "") {
        const auto out = dir / "out", err = dir / "err";
        std::string command = "printf %s " + quoted(input) + " | timeout 30 " + quoted(CORVINA_BINARY);
        for (const auto& argument : arguments) command += " " + quoted(argument);
        command += " >" + quoted(out) + " 2>" + quoted(err) + "; echo $?";
        Invocation run;
        run.status = std::stoi(commandOutput(command));
        run.output = readFile(out);
        run.errors = readFile(err);
        return run;
    }
    // The same, again while a prompt still under way keeps the app from taking another.
    Invocation corvinaWhenFree(const std::vector<std::string>& arguments, const std::string& input = "") {
        Invocation run;
        eventually([&] { return (run = corvina(arguments, input)).status != 1; }, std::chrono::seconds(30));
        return run;
    }

    static std::string quoted(const std::string& text) {
        gchar* quoted = g_shell_quote(text.c_str());
        std::string result = quoted;
        g_free(quoted);
        return result;
    }
    nlohmann::json preferences() const {
        return nlohmann::json::parse(readFile(configDir / "preferences.json"), nullptr, false);
    }
    bool arrived(const std::string& name, std::size_t count) {
        return eventually([&] { return pages.received(name).size() >= count; }, std::chrono::seconds(30));
    }

    std::filesystem::path configDir = std::filesystem::path(g_get_user_config_dir()) / "corvina";
    TempDir dir;
    PrivateSessionBus bus;
    LocalServer server;
    EditorFixtures pages{server};
    std::unique_ptr<AppProcess> app;
};

TEST_F(CommandLineProcessTest, ShowAndAskReachTheRunningAppAndWrongArgumentsChangeNothing) {
    ASSERT_FALSE(launch().empty()) << "the main window never showed";
    const std::string before = readFile(configDir / "preferences.json");

    const std::string services = "The services there are: custom_area, custom_other\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{"--bogus"}, "corvina: Unknown option: --bogus\n"},
        {{"--ask", " \n "}, "corvina: The prompt is empty\n"},
        {{"--to", "custom_area"}, "corvina: --to goes only with --ask\n"},
        {{"--ask", "not sent", "--show", "custom_other"},
         "corvina: Give only one of --toggle, --ask, --show and --help (--show is one too many)\n"},
        {{"--ask", "not sent", "--to", "custom_area,custom_nope"}, "corvina: Unknown service: custom_nope\n" + services},
        // A hidden service is not one the user can be shown.
        {{"--show", corvina::builtInTabs().front().id},
         "corvina: Unknown service: " + corvina::builtInTabs().front().id + "\n" + services},
    };
    for (const auto& [arguments, message] : wrong) {
        const auto run = corvina(arguments);
        EXPECT_EQ(run.status, 2) << arguments.front();
        EXPECT_EQ(run.errors, message);
        EXPECT_EQ(run.output, "");
    }
    const auto blank = corvina({"--ask", "-", "--to", "custom_area"}, " \n\t\n");
    EXPECT_EQ(blank.status, 2);
    EXPECT_EQ(blank.errors, "corvina: The prompt is empty\n");
    EXPECT_TRUE(app->running());
    EXPECT_EQ(readFile(configDir / "preferences.json"), before) << "a wrong command line changed the app";

    const auto show = corvina({"--show", "custom_other"});
    EXPECT_EQ(show.status, 0) << show.errors;
    EXPECT_EQ(show.output + show.errors, "");
    EXPECT_TRUE(eventually([&] {
        return preferences().value("paneTabIDs", std::string()).find("custom_other") != std::string::npos;
    })) << readFile(configDir / "preferences.json");

    const auto ask = corvinaWhenFree({"--ask", "Hello from the command line", "--to", "custom_area"});
    EXPECT_EQ(ask.status, 0) << ask.errors;
    EXPECT_EQ(ask.output, "custom_area\n");
    ASSERT_TRUE(arrived("area", 1));
    // Had a wrong command line sent anything, it would have come first.
    EXPECT_EQ(pages.received("area"), std::vector<std::string>{"Hello from the command line"});

    const auto piped = corvinaWhenFree({"--ask", "-", "--to", "custom_other,custom_area"},
                                       "From standard input,\nover two lines\n");
    EXPECT_EQ(piped.status, 0) << piped.errors;
    EXPECT_EQ(piped.output, "custom_area\ncustom_other\n") << "in tab bar order";
    ASSERT_TRUE(arrived("area", 2));
    ASSERT_TRUE(arrived("other", 1));
    EXPECT_EQ(pages.received("area"),
              (std::vector<std::string>{"Hello from the command line", "From standard input,\nover two lines"}));
    EXPECT_EQ(pages.received("other"), std::vector<std::string>{"From standard input,\nover two lines"});
}

TEST_F(CommandLineProcessTest, WithNoAppRunningWrongArgumentsStartNothingAndHelpDescribesTheOptions) {
    const auto wrong = corvina({"--show"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.errors, "corvina: --show needs a value\n");
    // The process that would have become the app has ended without a window.
    EXPECT_EQ(commandOutput("xdotool search --onlyvisible --name '^Corvina$' | wc -l"), "0\n");

    const auto help = corvina({"--help"});
    EXPECT_EQ(help.status, 0) << help.errors;
    for (const char* option : {"--toggle", "--ask TEXT", "--ask -", "--to ID[,ID...]", "--show ID", "one per line"})
        EXPECT_NE(help.output.find(option), std::string::npos) << option << " in\n" << help.output;
}

// Toggling needs a window manager to minimise and restore the window.
TEST_F(CommandLineProcessTest, ToggleHidesTheActiveWindowAndBringsItBackWithTheKeyboardInTheComposer) {
    if (commandOutput("command -v openbox").empty()) GTEST_SKIP() << "openbox is not installed";
    Openbox openbox;
    ASSERT_TRUE(openbox.running());
    const auto window = launch();
    ASSERT_FALSE(window.empty());
    const auto active = [&] { return commandOutput("xdotool getactivewindow 2>/dev/null") == window + "\n"; };
    const auto hidden = [&] {
        return commandOutput("xprop -id " + window + " _NET_WM_STATE").find("_NET_WM_STATE_HIDDEN") != std::string::npos;
    };
    ASSERT_TRUE(eventually(active)) << "the new window should have the keyboard";

    // Each time the window comes back the keyboard is in the composer, also when the page had
    // it and the composer was open already: Enter there asks the service the pane shows.
    const std::vector<std::string> prompts = {"typed after a toggle", "typed after another toggle"};
    for (std::size_t round = 0; round < prompts.size(); ++round) {
        commandOutput("xdotool mousemove --window " + window + " 400 300 click 1");
        EXPECT_EQ(corvina({"--toggle"}).status, 0);
        EXPECT_TRUE(eventually(hidden)) << "the active window should be minimised";
        EXPECT_EQ(corvina({"--toggle"}).status, 0);
        EXPECT_TRUE(eventually([&] { return !hidden() && active(); })) << "the window should be back in front";
        commandOutput("xdotool type --delay 30 '" + prompts[round] + "' && xdotool key Return");
        ASSERT_TRUE(arrived("area", round + 1)) << round;
    }
    EXPECT_EQ(pages.received("area"), prompts);
}

}  // namespace
