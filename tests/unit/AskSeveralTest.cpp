#include <gtest/gtest.h>

#include "app/AskSeveral.hpp"
#include "app/CustomTabManager.hpp"
#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class AskSeveralTest : public ::testing::Test {
protected:
    // The composer's state over the file as it is now, as at a launch.
    AskSeveral& launch() {
        ask.reset();
        state.reset();
        tabs.reset();
        store = std::make_unique<PreferenceStore>(file);
        tabs = std::make_unique<CustomTabManager>(*store);
        state = std::make_unique<AppState>(*store, login, center, *tabs);
        ask = std::make_unique<AskSeveral>(*store, *state, *tabs);
        return *ask;
    }
    std::vector<std::string> targetIDs() {
        std::vector<std::string> ids;
        for (const auto& tab : ask->targets()) ids.push_back(tab.id);
        return ids;
    }
    nlohmann::json stored() { return nlohmann::json::parse(readFile(file))["askSeveralTargets"]; }

    TempDir dir;
    std::filesystem::path file = dir / "preferences.json";
    ManualMainQueue queue;
    NotificationCenter center{queue};
    FakeLoginItem login;
    std::unique_ptr<PreferenceStore> store;
    std::unique_ptr<CustomTabManager> tabs;
    std::unique_ptr<AppState> state;
    std::unique_ptr<AskSeveral> ask;
};

// With nothing stored the choice is what the panes show (seen or not), and follows them; a stored
// choice is kept in tab bar order, and the panes no longer matter.
TEST_F(AskSeveralTest, WithNothingStoredThePanesServicesAreChosenElseTheStoredOnes) {
    auto& composer = launch();
    int changes = 0;
    ScopedConnection watch = composer.observeChoice([&] { ++changes; });
    EXPECT_EQ(targetIDs(), std::vector<std::string>{"doubao"});
    state->toggleSplit();
    state->selectTab("kimi");
    EXPECT_EQ(targetIDs(), (std::vector<std::string>{"doubao", "kimi"}));
    EXPECT_GT(changes, 0);
    state->setWindowMinimized(true);
    EXPECT_EQ(targetIDs(), (std::vector<std::string>{"doubao", "kimi"})) << "in a pane counts, on screen or not";

    composer.setChosen("deepseek", true);
    EXPECT_EQ(targetIDs(), (std::vector<std::string>{"doubao", "deepseek", "kimi"})) << "what was shown stays chosen";
    composer.setChosen("doubao", false);
    state->selectTab("qianwen");
    EXPECT_EQ(targetIDs(), (std::vector<std::string>{"deepseek", "kimi"}));
    EXPECT_EQ(stored(), nlohmann::json({"deepseek", "kimi"}));

    launch();
    EXPECT_EQ(targetIDs(), (std::vector<std::string>{"deepseek", "kimi"})) << "kept across launches";
}

// Ids that name no service are neither chosen nor written back; a hidden service keeps its
// place in the choice without being a target.
TEST_F(AskSeveralTest, UnknownIdsAreIgnoredAndKeptOut) {
    writeFile(file, R"({"askSeveralTargets": ["kimi", "custom_gone", 7, "deepseek"]})");
    auto& composer = launch();
    EXPECT_EQ(targetIDs(), (std::vector<std::string>{"deepseek", "kimi"}));
    EXPECT_FALSE(composer.isChosen("custom_gone"));
    state->setHiddenAITabIDs({"kimi"});
    EXPECT_EQ(targetIDs(), std::vector<std::string>{"deepseek"});
    composer.setChosen("custom_gone", true);
    composer.setChosen("doubao", true);
    EXPECT_EQ(stored(), nlohmann::json({"deepseek", "doubao", "kimi"}));

    const CustomTab mine{newCustomTabID(), "Mine", "https://example.org/", {}, 0};
    tabs->add(mine);
    composer.setChosen(mine.id, true);
    EXPECT_TRUE(composer.isChosen(mine.id));
    tabs->deleteTab(mine.id);
    EXPECT_FALSE(composer.isChosen(mine.id)) << "a deleted tag is no target";

    writeFile(file, R"({"askSeveralTargets": "kimi"})");
    launch();
    EXPECT_EQ(targetIDs(), std::vector<std::string>{"doubao"}) << "not a list: as if nothing were stored";
}

TEST_F(AskSeveralTest, TheLastTwentyPromptsAreRecalledNewestFirst) {
    auto& composer = launch();
    EXPECT_FALSE(composer.recalled(1));
    for (int i = 1; i <= 22; ++i) composer.remember("prompt " + std::to_string(i));
    composer.remember("prompt 22");
    composer.remember(" \n\t");
    EXPECT_EQ(composer.historySize(), AskSeveral::historyLength);
    EXPECT_EQ(composer.recalled(1), "prompt 22");
    EXPECT_EQ(composer.recalled(20), "prompt 3");
    EXPECT_FALSE(composer.recalled(21));
    EXPECT_FALSE(composer.recalled(0));
    composer.remember("prompt 21");
    EXPECT_EQ(composer.recalled(1), "prompt 21");
    EXPECT_EQ(composer.recalled(2), "prompt 22");
    launch();
    EXPECT_EQ(ask->historySize(), 0u) << "in memory only";
}

}  // namespace
