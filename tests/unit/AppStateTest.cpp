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

// The arrangement's stored name, the service of each pane, the active pane.
using Panes = std::tuple<std::string, PaneLayout::Slots, Pane>;
// Sidebar shown and where, launch at login, dock at launch, the hidden services.
using Prefs = std::tuple<bool, SidebarPosition, bool, bool, std::set<std::string>>;
constexpr std::nullopt_t none = std::nullopt;

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
        return {arrangementName(s.panes().arrangement()), s.panes().slots(), s.panes().activePane()};
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
        EXPECT_EQ(panes(*state), (Panes{"1", {"doubao"}, 0}));
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

// A stored hidden set moves the selection on at launch; hiding a service later empties
// its panes; one pane alone falls back to the first row there is, a custom tag when every
// built-in is hidden, and stays empty when there is none.
TEST_F(AppStateTest, HidingAServiceEmptiesItsPanesAndOnePaneFallsBackToTheFirstRow) {
    writeFile(file, R"({"hiddenAITabIDs": "[\"doubao\",\"doubao\"]"})");
    auto state = makeState();
    EXPECT_EQ(state->currentTabID(), "qianwen");
    EXPECT_EQ(stored()["hiddenAITabIDs"], R"(["doubao"])");
    state->toggleSplit();
    state->selectTab("kimi");
    ASSERT_EQ(panes(*state), (Panes{"2", {"qianwen", "kimi"}, 1}));
    state->setHiddenAITabIDs({"kimi"});
    EXPECT_EQ(panes(*state), (Panes{"2", {"qianwen", none}, 1}));
    state->setHiddenAITabIDs({});
    EXPECT_EQ(panes(*state), (Panes{"2", {"qianwen", none}, 1})) << "showing it again fills no pane";

    state->toggleSplit();
    const auto all = allBuiltInsBut({});
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(panes(*state), (Panes{"1", {none}, 0})) << "nothing to show";
    auto first = tag("First"), second = tag("Second");
    tabs->add(first);
    tabs->add(second);
    EXPECT_EQ(state->currentTabID(), "") << "a new tag takes no pane";
    state->selectNeighbourTab(-1);
    EXPECT_EQ(state->currentTabID(), second.id) << "from no row, back lands on the last";
    state->setHiddenAITabIDs({});
    state->selectTab("kimi");
    state->setHiddenAITabIDs(all);
    EXPECT_EQ(state->currentTabID(), first.id);
}

// Two panes ↔ one: a pane that goes forgets its service, a new one starts empty and active;
// a window too narrow for the columns is widened first, by as much as they need, and the
// panes change once it got there.
TEST_F(AppStateTest, ArrangementsKeepThePanesThatStayAndWaitForANarrowWindowToWiden) {
    auto state = makeState();
    state->toggleSplit();  // no window yet: switches at once
    state->selectTab("deepseek");
    EXPECT_EQ(panes(*state), (Panes{"2", {"doubao", "deepseek"}, 1}));
    state->panes().setActive(0);
    state->selectTab("kimi");
    EXPECT_EQ(panes(*state), (Panes{"2", {"kimi", "deepseek"}, 0}));
    state->chooseArrangement(PaneArrangement::grid2x2);
    EXPECT_EQ(panes(*state), (Panes{"2x2", {"kimi", "deepseek", none, none}, 2}));
    state->toggleSplit();
    EXPECT_EQ(panes(*state), (Panes{"1", {"kimi"}, 0}));
    state->toggleSplit();
    EXPECT_EQ(panes(*state), (Panes{"2", {"kimi", none}, 1})) << "the second pane came back empty";

    state->setWindowControl(&controls);
    window.currentFrame = {100, 80, AppState::splitModeMinWidth, 700};
    state->chooseArrangement(PaneArrangement::twoRows);
    EXPECT_EQ(arrangementName(state->panes().arrangement()), "2rows") << "one column needs no width";
    state->chooseArrangement(PaneArrangement::two);
    EXPECT_EQ(arrangementName(state->panes().arrangement()), "2") << "wide enough already";
    EXPECT_TRUE(window.moves.empty());
    window.monitor = ScreenFrames{{0, 0, 2560, 1400}, {0, 0, 2560, 1400}};
    state->chooseArrangement(PaneArrangement::grid3x2);
    EXPECT_EQ(arrangementName(state->panes().arrangement()), "2");
    ASSERT_FALSE(window.moves.empty());
    EXPECT_EQ(window.lastMove().target.width, AppState::minimumWidthFor(3));
    EXPECT_GT(AppState::minimumWidthFor(3), AppState::splitModeMinWidth);
    queue.advance(400ms);
    EXPECT_EQ(arrangementName(state->panes().arrangement()), "3x2");
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
    state->showService("kimi");
    state->toggleSplit();
    EXPECT_EQ(panes(*state), (Panes{"2", {"kimi", none}, 1})) << "no window to widen first";
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
    EXPECT_EQ(state->currentTabID(), first.id) << "the third row is the first tag";
    state->selectTabAt(7);
    EXPECT_EQ(state->currentTabID(), first.id) << "no eighth row: nothing changes";
    state->selectLastTab();
    EXPECT_EQ(state->currentTabID(), last.id);
    state->selectNeighbourTab(1);
    EXPECT_EQ(state->currentTabID(), "deepseek") << "next wraps to the first row";
    state->selectNeighbourTab(-1);
    EXPECT_EQ(state->currentTabID(), last.id) << "previous wraps to the last row";

    // With several panes the keys act on the active pane only; moving the active pane
    // changes which. An empty pane steps on from no row.
    state->toggleSplit();
    state->selectNeighbourTab(-1);
    EXPECT_EQ(panes(*state), (Panes{"2", {last.id, last.id}, 1}));
    state->panes().moveActive(1);
    state->selectTabAt(1);
    EXPECT_EQ(panes(*state), (Panes{"2", {"kimi", last.id}, 0}));
    state->toggleSplit();
    state->panes().moveActive(1);
    EXPECT_EQ(state->panes().activePane(), 0u) << "one pane: nothing to move to";
}

// A click on a page's notification shows its service where it lives and brings the window out.
TEST_F(AppStateTest, ANotifiedServiceIsShownInItsPaneAndTheWindowBroughtOut) {
    window.currentFrame = {100, 80, AppState::splitModeMinWidth, 700};
    auto state = makeState(true);
    state->dockWindow(DockSide::left);
    queue.advance(400ms);
    state->showService("kimi", 1);
    EXPECT_EQ(state->currentTabID(), "kimi") << "shown in the active pane when no pane shows it";
    EXPECT_TRUE(controls.dockManager().isSlidOut());
    queue.advance(400ms);
    EXPECT_TRUE(state->isServiceInView("kimi"));

    state->toggleSplit();
    state->selectTab("deepseek");
    state->chooseArrangement(PaneArrangement::three);
    queue.advance(400ms);  // widened first
    state->selectTab("deepseek");
    ASSERT_EQ(panes(*state), (Panes{"3", {"kimi", "deepseek", "deepseek"}, 2}));
    state->showService("deepseek", 0);
    EXPECT_EQ(state->panes().activePane(), 1u) << "the pane with that copy of its page";
    state->showService("kimi");
    EXPECT_EQ(state->panes().activePane(), 0u);
    EXPECT_FALSE(state->isPaneInView(1)) << "a docked window shows the active pane alone";
    state->undockWindow();
    EXPECT_TRUE(state->isPaneInView(1));
    state->panes().enlarge(2);
    EXPECT_FALSE(state->isPaneInView(0)) << "covered by the enlarged pane";
    EXPECT_TRUE(state->isServiceInView("deepseek"));
    EXPECT_FALSE(state->isServiceInView("kimi"));
    state->panes().restore();

    state->setHiddenAITabIDs({"qwen"});
    state->showService("qwen");
    EXPECT_EQ(state->currentTabID(), "deepseek") << "a hidden service is not shown";
    state->setWindowMinimized(true);
    EXPECT_FALSE(state->isServiceInView("kimi"));
}

}  // namespace
