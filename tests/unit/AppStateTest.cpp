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

// Split mode, the primary pane's tab, the secondary pane's, the active pane.
using Panes = std::tuple<bool, std::string, std::optional<std::string>, Pane>;
// Sidebar shown and where, launch at login, dock at launch, the hidden services.
using Prefs = std::tuple<bool, SidebarPosition, bool, bool, std::set<std::string>>;
constexpr auto primary = Pane::primary;
constexpr auto secondary = Pane::secondary;

// The application state, made anew from the same file, driving the real controls of a
// pretend window.
class AppStateTest : public ::testing::Test {
protected:
    std::unique_ptr<AppState> makeState(bool withWindow = false) {
        store = std::make_unique<PreferenceStore>(file);
        tabs = std::make_unique<CustomTabManager>(*store);
        auto state = std::make_unique<AppState>(*store, login, center, *tabs);
        if (withWindow) state->setWindowControl(&controls);
        return state;
    }
    Panes panes(const AppState& s) {
        return {s.isSplitMode(), s.selectedTabID().get(), s.secondaryTabID().get(), s.activePane().get()};
    }
    Prefs prefs(const AppState& s) {
        return {s.showSidebar(), s.sidebarPosition(), s.launchAtLogin(), s.autoDockOnLaunch(), s.hiddenAITabIDs()};
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

// Values of the wrong type read as defaults (the first launch's too); a second state on the
// same file sees what the first stored. Launch at login is kept, and docks at launch, even
// when the system refuses it.
TEST_F(AppStateTest, WrongTypedValuesReadAsDefaultsAndASecondStateSeesWhatTheFirstStored) {
    writeFile(file, R"({"showSidebar": "false", "sidebarPosition": "Right", "launchAtLogin": 1,
                        "hiddenAITabIDs": "[\"kimi\", 3]"})");
    {
        auto state = makeState();
        EXPECT_EQ(prefs(*state), (Prefs{true, SidebarPosition::left, false, false, {}}));
        EXPECT_EQ(panes(*state), (Panes{false, "doubao", std::nullopt, primary}));
        EXPECT_EQ(login.unregisterCalls, 1);
        EXPECT_EQ(stored()["autoDockOnLaunch"], false);
        EXPECT_EQ(stored()["hiddenAITabIDs"], "[\"kimi\", 3]") << "an undecodable hidden set is left as stored";
        state->toggleSidebar();
        state->setSidebarPosition(SidebarPosition::right);
        state->setHiddenAITabIDs({"kimi", "deepseek"});
        login.refuse = true;
        state->setLaunchAtLogin(true);
        // Another kind of panel switches the open one over; its own kind closes it.
        state->toggleDetailPanel(DetailPanelType::clipboard);
        state->toggleDetailPanel(DetailPanelType::customTags);
        EXPECT_EQ(std::pair(state->showDetailPanel().get(), state->detailPanelType().get()),
                  std::pair(true, DetailPanelType::customTags));
        state->toggleDetailPanel(DetailPanelType::customTags);
        EXPECT_FALSE(state->showDetailPanel());
        state->toggleDetailPanel(DetailPanelType::clipboard);
    }
    login.refuse = false;
    auto state = makeState();
    EXPECT_EQ(prefs(*state), (Prefs{false, SidebarPosition::right, true, true, {"deepseek", "kimi"}}));
    EXPECT_TRUE(login.registered);
    EXPECT_FALSE(state->showDetailPanel()) << "the detail panel is not remembered";
    EXPECT_EQ(stored()["hiddenAITabIDs"], R"(["deepseek","kimi"])");
    state->setLaunchAtLogin(false);
    EXPECT_FALSE(state->autoDockOnLaunch() || login.registered);
    EXPECT_EQ(stored()["autoDockOnLaunch"], false);
}

// A stored hidden set moves the selection on at launch; hiding a service later clears its
// pane, or falls back to the first custom tag when every built-in is hidden.
TEST_F(AppStateTest, HidingAServiceMovesTheSelectionOnOrClearsItsPane) {
    writeFile(file, R"({"hiddenAITabIDs": "[\"doubao\",\"doubao\"]"})");
    auto state = makeState();
    EXPECT_EQ(state->selectedTabID().get(), "qianwen");
    EXPECT_EQ(stored()["hiddenAITabIDs"], R"(["doubao"])");
    state->enterSplitModeAnimated();
    state->selectTab("kimi");
    ASSERT_EQ(state->secondaryTabID().get(), "kimi");
    state->setHiddenAITabIDs({"kimi"});
    EXPECT_EQ(panes(*state), (Panes{true, "qianwen", std::nullopt, secondary}));
    state->setHiddenAITabIDs({});
    EXPECT_FALSE(state->secondaryTabID().get()) << "showing it again changes no selection";

    const auto all = allBuiltInsBut({});
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(state->selectedTabID().get(), "qianwen") << "nothing else to show";
    state->setHiddenAITabIDs({});
    auto first = tag("First"), second = tag("Second");
    tabs->add(first);
    tabs->add(second);
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(state->selectedTabID().get(), first.id);
}

// With no row selected (every service hidden, the selection kept on a hidden one), writing the
// hidden set again repairs the selection onto the first row there is now, the row keys' first
// step lands on the first or the last row, and an empty secondary pane stays empty.
TEST_F(AppStateTest, FromNoSelectedRowTheSelectionIsRepairedOntoARow) {
    auto state = makeState();
    const auto all = allBuiltInsBut({});
    state->setHiddenAITabIDs(all);
    const std::string kept = state->selectedTabID().get();
    ASSERT_TRUE(all.contains(kept));
    const auto first = tag("first"), last = tag("last");
    tabs->add(first);
    tabs->add(last);
    EXPECT_EQ(state->selectedTabID().get(), kept) << "a new tag takes no selection";

    state->selectNeighbourTab(-1);
    EXPECT_EQ(state->selectedTabID().get(), last.id);
    state->setSelectedTabID(kept);
    state->selectNeighbourTab(1);
    EXPECT_EQ(state->selectedTabID().get(), first.id);

    state->setSelectedTabID(kept);
    state->enterSplitModeAnimated();
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(panes(*state), (Panes{true, first.id, std::nullopt, secondary}));
}

// Entering or leaving split mode empties the secondary pane; a window too narrow for two panes
// is widened first, and split mode starts once it got there.
TEST_F(AppStateTest, SplitModeSwitchesResetTheSecondaryPaneAndWaitForANarrowWindowToWiden) {
    auto state = makeState();
    state->enterSplitMode();  // no window yet: switches at once
    state->selectTab("deepseek");
    EXPECT_EQ(panes(*state), (Panes{true, "doubao", "deepseek", secondary}));
    state->setActivePane(primary);
    state->selectTab("kimi");
    EXPECT_EQ(panes(*state), (Panes{true, "kimi", "deepseek", primary}));
    state->exitSplitMode();
    EXPECT_EQ(panes(*state), (Panes{false, "kimi", std::nullopt, primary}));
    // Outside split mode a secondary active pane does not divert the selection.
    state->setActivePane(secondary);
    state->selectTab("zai");
    EXPECT_EQ(panes(*state), (Panes{false, "zai", std::nullopt, secondary}));

    state->setWindowControl(&controls);
    window.currentFrame = {100, 80, AppState::splitModeMinWidth, 700};
    state->enterSplitMode();
    EXPECT_TRUE(state->isSplitMode()) << "wide enough already";
    EXPECT_TRUE(window.moves.empty());
    state->exitSplitMode();
    window.currentFrame = {200, 80, 1000, 700};
    window.monitor = ScreenFrames{{0, 0, 1440, 900}, {0, 0, 1440, 900}};
    state->enterSplitMode();
    EXPECT_FALSE(state->isSplitMode());
    EXPECT_EQ(window.lastMove(), (FakeDesktopWindow::Move{{100, 80, 1200, 700}, TimingCurve::quickSettle(), 400ms}));
    queue.advance(400ms);
    EXPECT_TRUE(state->isSplitMode());
}

// Docking needs a window with a dock manager and counts once the window got there; dragging
// the docked window away resets the dock side, delivered on the main queue.
TEST_F(AppStateTest, DockingNeedsAWindowAndDraggingTheWindowAwayUndocks) {
    auto state = makeState();
    state->dockWindow(DockSide::right);
    EXPECT_EQ(state->dockSide().get(), DockSide::none) << "no window set up yet";
    WindowSetup unattached{queue, center};
    state->setWindowControl(&unattached);
    state->dockWindow(DockSide::left);
    EXPECT_EQ(state->dockSide().get(), DockSide::none);

    state->setWindowControl(&controls);
    const auto sides = [&] { return std::pair(state->dockSide().get(), controls.dockManager().dockSide()); };
    state->dockWindow(DockSide::none);
    EXPECT_EQ(sides(), std::pair(DockSide::none, DockSide::none)) << "no such side";
    state->dockWindow(DockSide::right);
    EXPECT_EQ(sides(), std::pair(DockSide::none, DockSide::right)) << "the side counts once the window is there";
    queue.advance(400ms);
    EXPECT_EQ(sides(), std::pair(DockSide::right, DockSide::right));
    state->undockWindow();
    EXPECT_EQ(sides(), std::pair(DockSide::none, DockSide::none));
    queue.advance(400ms);

    state->dockWindow(DockSide::left);
    window.pointerAt = Point{0, 400};
    queue.advance(950ms);
    window.userMoves({400, 100, 800, 600});
    EXPECT_EQ(state->dockSide().get(), DockSide::left) << "delivered on the main queue, not at once";
    queue.drain();
    EXPECT_EQ(state->dockSide().get(), DockSide::none);
    // A desktop that leaves the window where it was: no dock side, and docking is no longer
    // offered.
    queue.advance(1s);
    window.ignoresMoves = true;
    EXPECT_TRUE(state->canPlaceWindow().get());
    state->dockWindow(DockSide::right);
    queue.advance(3s);
    EXPECT_EQ(sides(), std::pair(DockSide::none, DockSide::none));
    EXPECT_FALSE(state->canPlaceWindow().get());
    // A notification that arrives after the state is gone does nothing.
    center.post(windowDidExitDockModeNotification);
    state.reset();
    queue.drain();
}

// At quit the window's controls go before the state: from then on the state asks nothing of
// them and acts as before a window was set up (a narrow window no longer holds split mode back).
TEST_F(AppStateTest, TheStateLetsGoOfTheWindowControlWhenItGoes) {
    auto state = makeState();
    window.currentFrame = {200, 80, 1000, 700};
    std::optional<WindowControls> gone(std::in_place, window, queue, center);
    state->setWindowControl(&*gone);
    gone.reset();

    state->dockWindow(DockSide::left);
    state->undockWindow();
    state->showServiceIn("kimi", primary);
    state->enterSplitMode();
    EXPECT_EQ(panes(*state), (Panes{true, "kimi", std::nullopt, secondary})) << "no window to widen first";
    EXPECT_TRUE(window.moves.empty());
    EXPECT_EQ(state->dockSide().get(), DockSide::none);
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

    // In split mode the keys act on the active pane only; switching panes changes which. An
    // empty secondary pane steps on from the primary's tab.
    state->enterSplitMode();
    state->selectNeighbourTab(1);
    EXPECT_EQ(panes(*state), (Panes{true, last.id, "deepseek", secondary}));
    state->switchActivePane();
    state->selectTabAt(1);
    EXPECT_EQ(panes(*state), (Panes{true, "kimi", "deepseek", primary}));
    state->exitSplitMode();
    state->switchActivePane();
    EXPECT_EQ(state->activePane().get(), primary) << "one pane: nothing to switch to";
}

// A click on a page's notification shows its service where it lives and brings the window out.
TEST_F(AppStateTest, ANotifiedServiceIsShownInItsPaneAndTheWindowBroughtOut) {
    window.currentFrame = {100, 80, AppState::splitModeMinWidth, 700};
    auto state = makeState(true);
    state->dockWindow(DockSide::left);
    queue.advance(400ms);
    state->showServiceIn("kimi", secondary);
    EXPECT_EQ(state->selectedTabID().get(), "kimi") << "outside split mode there is one pane";
    EXPECT_TRUE(controls.dockManager().isSlidOut());
    queue.advance(400ms);
    EXPECT_TRUE(state->isTabShown("kimi", primary));

    state->enterSplitMode();
    state->showServiceIn("deepseek", secondary);
    EXPECT_EQ(panes(*state), (Panes{true, "kimi", "deepseek", secondary}));
    EXPECT_TRUE(state->isTabShown("deepseek", secondary));
    EXPECT_FALSE(state->isTabShown("deepseek", primary));
    state->showServiceIn("doubao", primary);
    EXPECT_EQ(state->activePane().get(), primary);

    state->setHiddenAITabIDs({"qwen"});
    state->showServiceIn("qwen", primary);
    EXPECT_EQ(state->selectedTabID().get(), "doubao") << "a hidden service is not selected";
    state->setWindowMinimized(true);
    EXPECT_FALSE(state->isTabShown("doubao", primary));
}

}  // namespace
