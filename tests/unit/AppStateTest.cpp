#include <gtest/gtest.h>

#include "app/AppState.hpp"
#include "app/CustomTabManager.hpp"
#include "support/Fakes.hpp"
#include "unit/FakeDesktopWindow.hpp"
#include "window/DockNotifications.hpp"
#include "window/WindowControls.hpp"
#include "window/WindowSetup.hpp"

using namespace corvina;
using namespace corvina::testing;
using namespace std::chrono_literals;

namespace {

// The application state, made anew from the same file, driving the real controls of a
// pretend window.
class AppStateTest : public ::testing::Test {
protected:
    std::unique_ptr<AppState> makeState() {
        store = std::make_unique<PreferenceStore>(file);
        tabs = std::make_unique<CustomTabManager>(*store);
        return std::make_unique<AppState>(*store, login, center, *tabs);
    }
    std::unique_ptr<AppState> makeStateWithWindow() {
        auto state = makeState();
        state->setWindowControl(&controls);
        return state;
    }
    nlohmann::json stored() { return nlohmann::json::parse(readFile(file)); }
    CustomTab tag(const std::string& name) { return CustomTab{newCustomTabID(), name, "https://example.org/", {}, 0}; }
    std::set<std::string> allBuiltInsBut(std::set<std::string> shown) {
        std::set<std::string> hidden;
        for (const auto& tab : builtInTabs())
            if (!shown.contains(tab.id)) hidden.insert(tab.id);
        return hidden;
    }

    TempDir dir;
    std::filesystem::path file = dir / "preferences.json";
    ManualMainQueue queue;
    NotificationCenter center{queue};
    FakeLoginItem login;
    std::unique_ptr<PreferenceStore> store;
    std::unique_ptr<CustomTabManager> tabs;
    FakeDesktopWindow window{queue};
    WindowControls controls{window, queue, center};
};

// The first launch starts from defaults; a second state on the same file sees what the first stored.
TEST_F(AppStateTest, StartsFromDefaultsAndASecondStateSeesWhatTheFirstStored) {
    {
        auto state = makeState();
        EXPECT_TRUE(state->showSidebar());
        EXPECT_EQ(state->sidebarPosition().get(), SidebarPosition::left);
        EXPECT_EQ(state->selectedTabID().get(), "doubao");
        EXPECT_EQ(state->dockSide().get(), 0);
        EXPECT_FALSE(state->isSplitMode());
        EXPECT_EQ(login.unregisterCalls, 1);
        EXPECT_EQ(stored()["autoDockOnLaunch"], false);
        EXPECT_FALSE(stored().contains("hiddenAITabIDs"));
        state->toggleSidebar();
        state->setSidebarPosition(SidebarPosition::right);
        state->setHiddenAITabIDs({"kimi", "deepseek"});
        state->setLaunchAtLogin(true);
        state->setShowDetailPanel(true);
    }
    auto state = makeState();
    EXPECT_FALSE(state->showSidebar());
    EXPECT_EQ(state->sidebarPosition().get(), SidebarPosition::right);
    EXPECT_EQ(state->hiddenAITabIDs().get(), (std::set<std::string>{"deepseek", "kimi"}));
    EXPECT_TRUE(state->launchAtLogin());
    EXPECT_TRUE(state->autoDockOnLaunch());
    EXPECT_TRUE(login.registered);
    EXPECT_FALSE(state->showDetailPanel()) << "the detail panel is not remembered";
    EXPECT_EQ(stored()["hiddenAITabIDs"], R"(["deepseek","kimi"])");
}

TEST_F(AppStateTest, WrongTypedValuesFallBackToDefaultsAndAHiddenSelectionMovesOn) {
    writeFile(file, R"({"showSidebar": "false", "sidebarPosition": "Right", "launchAtLogin": 1,
                        "hiddenAITabIDs": "[\"kimi\", 3]"})");
    auto state = makeState();
    EXPECT_TRUE(state->showSidebar());
    EXPECT_EQ(state->sidebarPosition().get(), SidebarPosition::left);
    EXPECT_FALSE(state->launchAtLogin());
    EXPECT_TRUE(state->hiddenAITabIDs().get().empty());
    EXPECT_EQ(stored()["hiddenAITabIDs"], "[\"kimi\", 3]") << "an undecodable hidden set is left as stored";

    writeFile(file, R"({"hiddenAITabIDs": "[\"doubao\",\"doubao\"]"})");
    state = makeState();
    EXPECT_EQ(state->selectedTabID().get(), "qianwen");
    EXPECT_EQ(stored()["hiddenAITabIDs"], R"(["doubao"])");
}

TEST_F(AppStateTest, HidingAServiceClearsItsPaneOrFallsBackToTheFirstCustomTag) {
    auto state = makeState();
    state->enterSplitModeAnimated();
    state->selectTab("kimi");
    ASSERT_EQ(state->secondaryTabID().get(), "kimi");
    state->setHiddenAITabIDs({"kimi"});
    EXPECT_FALSE(state->secondaryTabID().get());
    EXPECT_TRUE(state->isSplitMode());
    EXPECT_EQ(state->selectedTabID().get(), "doubao");
    state->setHiddenAITabIDs({});
    EXPECT_FALSE(state->secondaryTabID().get()) << "showing it again changes no selection";

    const auto all = allBuiltInsBut({});
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(state->selectedTabID().get(), "doubao") << "nothing else to show";
    state->setHiddenAITabIDs({});
    auto first = tag("First"), second = tag("Second");
    tabs->add(first);
    tabs->add(second);
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(state->selectedTabID().get(), first.id);
}

TEST_F(AppStateTest, SplitModeSwitchesResetTheSecondaryPane) {
    auto state = makeState();
    state->enterSplitMode();  // no window yet: switches at once
    EXPECT_TRUE(state->isSplitMode());
    EXPECT_EQ(state->activePane().get(), Pane::secondary);
    state->selectTab("deepseek");
    EXPECT_EQ(state->secondaryTabID().get(), "deepseek");
    EXPECT_EQ(state->selectedTabID().get(), "doubao");
    state->setActivePane(Pane::primary);
    state->selectTab("kimi");
    EXPECT_EQ(state->selectedTabID().get(), "kimi");

    state->exitSplitMode();
    EXPECT_FALSE(state->isSplitMode());
    EXPECT_FALSE(state->secondaryTabID().get());
    EXPECT_EQ(state->activePane().get(), Pane::primary);
    // Outside split mode a secondary active pane does not divert the selection.
    state->setActivePane(Pane::secondary);
    state->selectTab("zai");
    EXPECT_EQ(state->selectedTabID().get(), "zai");
    EXPECT_FALSE(state->secondaryTabID().get());
}

TEST_F(AppStateTest, SplitModeWaitsForANarrowWindowToWiden) {
    auto state = makeStateWithWindow();
    window.currentFrame = {100, 80, AppState::splitModeMinWidth, 700};
    state->enterSplitMode();
    EXPECT_TRUE(state->isSplitMode()) << "wide enough already";
    EXPECT_TRUE(window.moves.empty());
    state->exitSplitMode();

    window.currentFrame = {200, 80, 1000, 700};
    window.monitor = ScreenFrames{{0, 0, 1440, 900}, {0, 0, 1440, 900}};
    state->enterSplitMode();
    EXPECT_FALSE(state->isSplitMode());
    EXPECT_EQ(window.lastMove().target, (Rect{100, 80, 1200, 700}));
    EXPECT_EQ(window.lastMove().curve, TimingCurve::quickSettle());
    EXPECT_EQ(window.lastMove().duration, 400ms);
    queue.advance(400ms);
    EXPECT_TRUE(state->isSplitMode());
}

TEST_F(AppStateTest, DockingNeedsAWindowWithADockManager) {
    auto state = makeState();
    state->dockWindow(2);
    EXPECT_EQ(state->dockSide().get(), 0) << "no window set up yet";
    WindowSetup unattached{queue, center};
    state->setWindowControl(&unattached);
    state->dockWindow(1);
    EXPECT_EQ(state->dockSide().get(), 0);

    state->setWindowControl(&controls);
    state->dockWindow(7);
    EXPECT_EQ(controls.dockManager().dockSide(), DockSide::none);
    state->dockWindow(2);
    EXPECT_EQ(state->dockSide().get(), 2);
    EXPECT_EQ(controls.dockManager().dockSide(), DockSide::right);
    queue.advance(400ms);
    state->undockWindow();
    queue.advance(400ms);
    EXPECT_EQ(state->dockSide().get(), 0);
    EXPECT_EQ(window.currentFrame, startFrame);
    EXPECT_EQ(controls.dockManager().dockSide(), DockSide::none);
}

TEST_F(AppStateTest, DraggingTheDockedWindowAwayResetsTheDockSideOnTheMainQueue) {
    auto state = makeStateWithWindow();
    state->dockWindow(1);
    EXPECT_EQ(controls.dockManager().dockSide(), DockSide::left);
    queue.advance(400ms);
    window.pointerAt = Point{0, 400};
    queue.advance(550ms);
    window.userMoves({400, 100, 800, 600});
    EXPECT_EQ(state->dockSide().get(), 1) << "delivered on the main queue, not at once";
    queue.drain();
    EXPECT_EQ(state->dockSide().get(), 0);

    // A notification that arrives after the state is gone does nothing.
    center.post(windowDidExitDockModeNotification);
    state.reset();
    queue.drain();
}

TEST_F(AppStateTest, TheLoginItemFollowsTheSettingEvenWhenRefused) {
    auto state = makeState();
    login.refuse = true;
    state->setLaunchAtLogin(true);
    EXPECT_TRUE(state->launchAtLogin());
    EXPECT_TRUE(state->autoDockOnLaunch());
    EXPECT_EQ(stored()["launchAtLogin"], true);
    EXPECT_EQ(stored()["autoDockOnLaunch"], true);
    login.refuse = false;
    state->setLaunchAtLogin(false);
    EXPECT_FALSE(state->autoDockOnLaunch());
    EXPECT_EQ(stored()["autoDockOnLaunch"], false);
}

// The keys that pick services go by the tab bar's rows: shown built-ins, then the tags.
TEST_F(AppStateTest, RowKeysPickVisibleRowsAndStepsWrapInTheActivePane) {
    auto state = makeState();
    state->setHiddenAITabIDs(allBuiltInsBut({"deepseek", "kimi"}));
    const auto first = tag("first"), last = tag("last");
    tabs->add(first);
    tabs->add(last);
    ASSERT_EQ(state->visibleTabs().size(), 4u);

    state->selectTabAt(2);
    EXPECT_EQ(state->selectedTabID().get(), first.id) << "the third row is the first tag";
    state->selectTabAt(7);
    EXPECT_EQ(state->selectedTabID().get(), first.id) << "no eighth row: nothing changes";
    state->selectLastTab();
    EXPECT_EQ(state->selectedTabID().get(), last.id);
    state->selectNeighbourTab(1);
    EXPECT_EQ(state->selectedTabID().get(), "deepseek") << "next wraps to the first row";
    state->selectNeighbourTab(-1);
    EXPECT_EQ(state->selectedTabID().get(), last.id) << "previous wraps to the last row";

    // In split mode the keys act on the active pane only; switching panes changes which.
    state->enterSplitMode();
    state->selectNeighbourTab(1);
    EXPECT_EQ(state->secondaryTabID().get(), std::optional<std::string>("deepseek"))
        << "an empty secondary pane steps on from the primary's tab";
    EXPECT_EQ(state->selectedTabID().get(), last.id);
    state->switchActivePane();
    state->selectTabAt(1);
    EXPECT_EQ(state->selectedTabID().get(), "kimi");
    EXPECT_EQ(state->secondaryTabID().get(), std::optional<std::string>("deepseek"));
    state->exitSplitMode();
    state->switchActivePane();
    EXPECT_EQ(state->activePane().get(), Pane::primary) << "one pane: nothing to switch to";
}

TEST_F(AppStateTest, PanelKeysOpenTheirKindOrCloseIt) {
    auto state = makeState();
    state->toggleDetailPanel(DetailPanelType::clipboard);
    EXPECT_TRUE(state->showDetailPanel());
    EXPECT_EQ(state->detailPanelType().get(), DetailPanelType::clipboard);
    state->toggleDetailPanel(DetailPanelType::customTags);
    EXPECT_TRUE(state->showDetailPanel()) << "another kind switches the open panel over";
    EXPECT_EQ(state->detailPanelType().get(), DetailPanelType::customTags);
    state->toggleDetailPanel(DetailPanelType::customTags);
    EXPECT_FALSE(state->showDetailPanel());
}

// A click on a page's notification shows its service where it lives.
TEST_F(AppStateTest, ANotifiedServiceIsShownInItsPaneAndTheWindowBroughtOut) {
    window.currentFrame = {100, 80, AppState::splitModeMinWidth, 700};
    auto state = makeStateWithWindow();
    state->dockWindow(1);
    queue.advance(400ms);
    state->showServiceIn("kimi", Pane::secondary);
    EXPECT_EQ(state->selectedTabID().get(), "kimi") << "outside split mode there is one pane";
    EXPECT_TRUE(controls.dockManager().isSlidOut());
    queue.advance(400ms);
    EXPECT_TRUE(state->isTabShown("kimi", Pane::primary));

    state->enterSplitMode();
    state->showServiceIn("deepseek", Pane::secondary);
    EXPECT_EQ(state->secondaryTabID().get(), "deepseek");
    EXPECT_EQ(state->activePane().get(), Pane::secondary);
    EXPECT_EQ(state->selectedTabID().get(), "kimi");
    EXPECT_TRUE(state->isTabShown("deepseek", Pane::secondary));
    EXPECT_FALSE(state->isTabShown("deepseek", Pane::primary));
    state->showServiceIn("doubao", Pane::primary);
    EXPECT_EQ(state->activePane().get(), Pane::primary);

    state->setHiddenAITabIDs({"qwen"});
    state->showServiceIn("qwen", Pane::primary);
    EXPECT_EQ(state->selectedTabID().get(), "doubao") << "a hidden service is not selected";
    state->setWindowMinimized(true);
    EXPECT_FALSE(state->isTabShown("doubao", Pane::primary));
}

}  // namespace
