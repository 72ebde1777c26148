#include <gtest/gtest.h>

#include <atspi/atspi.h>
#include <signal.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include <nlohmann/json.hpp>

#include "app/AITab.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "support/Fakes.hpp"

using namespace corvina::testing;

namespace {

// One element of the app's accessibility tree as a screen reader gets it.
struct Element {
    std::string name;
    std::string role;
    // The names of the elements above it, for the failure message.
    std::string place;
};

std::string nameOf(AtspiAccessible* accessible) {
    g_autofree char* name = atspi_accessible_get_name(accessible, nullptr);
    return name ? name : "";
}

// Everything in the tree under `node`. A page is a tree of its own, from the engine: not
// walked.
void collect(AtspiAccessible* node, const std::string& place, std::vector<Element>& found) {
    const int count = atspi_accessible_get_child_count(node, nullptr);
    for (int i = 0; i < count; ++i) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(node, i, nullptr);
        if (!child) continue;
        g_autofree char* role = atspi_accessible_get_role_name(child, nullptr);
        Element element{nameOf(child), role ? role : "", place};
        found.push_back(element);
        const std::string below = place + " > " + (element.name.empty() ? element.role : element.name);
        if (element.role != "document web" && found.size() < 5000)
            collect(child, below, found);
        g_object_unref(child);
    }
}

// The real app, started as a user would with a screen reader's bus beside its session bus,
// read over AT-SPI.
class ScreenReaderTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (commandOutput("command -v dbus-daemon").empty() ||
            commandOutput("ls /usr/share/dbus-1/services/org.a11y.Bus.service 2>/dev/null").empty())
            return;
        // The accessibility library keeps its first bus for the life of the process.
        bus = new PrivateSessionBus();
        atspi_init();
    }

    static void TearDownTestSuite() {
        // The screen reader's bus, started for the session bus, would outlive it.
        if (bus && !bus->address().empty()) {
            const std::string reply = commandOutput(
                "dbus-send --bus='" + bus->address() +
                "' --print-reply=literal --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetConnectionUnixProcessID "
                "string:org.a11y.Bus 2>/dev/null");
            if (const auto at = reply.find("uint32 "); at != std::string::npos) kill(std::stoi(reply.substr(at + 7)), SIGTERM);
        }
        delete std::exchange(bus, nullptr);
    }

    void SetUp() override {
        if (!bus || bus->address().empty()) GTEST_SKIP() << "no accessibility bus here";
        pages.serve("/green", "<title>green</title><body style='background:#0a0'>", "text/html");
        pages.serve("/blue", "<title>blue</title><body style='background:#00a'>", "text/html");
        const auto config = std::filesystem::path(g_get_user_config_dir()) / "corvina";
        std::filesystem::remove_all(config);
        nlohmann::json hidden = nlohmann::json::array();
        for (const auto& tab : corvina::builtInTabs()) hidden.push_back(tab.id);
        const std::string tags =
            nlohmann::json::array({{{"id", "custom_GREEN"}, {"name", "Green"}, {"url", pages.url("/green")}, {"attributes", 1},
                                    {"createdAt", 0.0}},
                                   {{"id", "custom_BLUE"}, {"name", "Blue"}, {"url", pages.url("/blue")}, {"attributes", 1},
                                    {"createdAt", 1.0}}})
                .dump();
        g_autofree gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(tags.data()), tags.size());
        writeFile(config / "preferences.json",
                  nlohmann::json{{"hiddenAITabIDs", hidden.dump()}, {"customTabs", {{"base64", encoded}}}, {"appLanguage", "en"}}
                      .dump());
        // The test display turns the toolkit's accessibility off; the app gets it back.
        app = std::make_unique<AppProcess>(std::vector<std::string>{"env", "-u", "GTK_A11Y", "-u", "NO_AT_BRIDGE"});
        window = app->waitForWindow();
        ASSERT_FALSE(window.empty());
        ASSERT_TRUE(eventually([&] { return (root = findApp()) != nullptr; }, std::chrono::seconds(20)))
            << "the app never appeared on the accessibility bus";
    }
    void TearDown() override {
        if (root) g_object_unref(root);
    }

    AtspiAccessible* findApp() {
        AtspiAccessible* desktop = atspi_get_desktop(0);
        AtspiAccessible* found = nullptr;
        const int count = atspi_accessible_get_child_count(desktop, nullptr);
        for (int i = 0; i < count && !found; ++i) {
            AtspiAccessible* child = atspi_accessible_get_child_at_index(desktop, i, nullptr);
            if (!child) continue;
            if (atspi_accessible_get_process_id(child, nullptr) == guint(app->pid()) &&
                atspi_accessible_get_child_count(child, nullptr) > 0)
                found = child;
            else
                g_object_unref(child);
        }
        g_object_unref(desktop);
        return found;
    }

    // The whole tree as it is now, read afresh.
    std::vector<Element> tree() {
        atspi_accessible_clear_cache(root);
        std::vector<Element> found;
        collect(root, "", found);
        return found;
    }
    int count(const std::vector<Element>& elements, const std::string& name, const std::string& role) {
        return int(std::count_if(elements.begin(), elements.end(),
                                 [&](const Element& e) { return e.name == name && e.role == role; }));
    }
    // The composer's controls: its field, its Ask button and a toggle per service, a second
    // button of the service's name beside its tab bar row.
    int composerControls(const std::vector<Element>& elements) {
        return count(elements, "Ask the chosen services", "text") + count(elements, "Ask", "push button") +
               std::max(0, count(elements, "Green", "push button") - 1) +
               std::max(0, count(elements, "Blue", "push button") - 1);
    }
    static std::string listed(const std::vector<Element>& elements) {
        std::string text;
        for (const auto& e : elements) text += "\n  " + e.place + " > " + e.role + " \"" + e.name + "\"";
        return text;
    }
    // Controls met twice under one name: one of them stands for something out of sight. A
    // control inside another of its name (a menu button's own button) is the same one.
    static std::string twice(const std::vector<Element>& elements) {
        std::map<std::pair<std::string, std::string>, int> seen;
        for (const auto& e : elements)
            if ((e.role == "push button" || e.role == "toggle button") && !e.name.empty() &&
                !e.place.ends_with("> " + e.name))
                ++seen[{e.role, e.name}];
        std::string listed;
        for (const auto& [control, count] : seen)
            if (count > 1) listed += "\n  " + control.first + " \"" + control.second + "\" " + std::to_string(count) + " times";
        return listed;
    }

    static inline PrivateSessionBus* bus = nullptr;
    LocalServer pages;
    std::unique_ptr<AppProcess> app;
    std::string window;
    AtspiAccessible* root = nullptr;
};

// A screen reader meets only what is on screen: the closed composer's controls are not in
// the tree, the open composer's all are, and closing takes them out again; of a part with
// two faces (the tab bar's header, wide or narrow) only the one shown is there.
TEST_F(ScreenReaderTree, HoldsTheComposerOnlyWhileItIsOpen) {
    std::vector<Element> elements;
    const auto tabRow = [&] {
        elements = tree();
        return std::any_of(elements.begin(), elements.end(), [](const Element& e) { return e.name == "Green"; });
    };
    ASSERT_TRUE(eventually(tabRow, std::chrono::seconds(10))) << "the tab bar's row is not in the tree:" << listed(elements);
    EXPECT_EQ(composerControls(elements), 0);
    EXPECT_EQ(twice(elements), "");

    app->sendKeys(window, "ctrl+shift+k");
    EXPECT_TRUE(eventually([&] { return composerControls(elements = tree()) == 4; }, std::chrono::seconds(10)))
        << composerControls(elements) << " of the composer's 4 controls in the tree";
    EXPECT_EQ(twice(elements), "\n  push button \"Blue\" 2 times\n  push button \"Green\" 2 times");

    app->sendKeys(window, "Escape");
    EXPECT_TRUE(eventually([&] { return composerControls(elements = tree()) == 0; }, std::chrono::seconds(10)))
        << "closed, the composer still has " << composerControls(elements) << " controls in the tree";
    EXPECT_EQ(twice(elements), "");
}

}  // namespace
