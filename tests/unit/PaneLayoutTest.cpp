#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/PaneLayout.hpp"
#include "support/Fakes.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

constexpr std::nullopt_t none = std::nullopt;
using Slots = PaneLayout::Slots;

class PaneLayoutTest : public ::testing::Test {
protected:
    PaneLayout& launch() {
        layout.reset();
        store = std::make_unique<PreferenceStore>(file);
        layout = std::make_unique<PaneLayout>(*store);
        return *layout;
    }
    nlohmann::json stored() { return nlohmann::json::parse(readFile(file)); }

    TempDir dir;
    std::filesystem::path file = dir / "preferences.json";
    std::unique_ptr<PreferenceStore> store;
    std::unique_ptr<PaneLayout> layout;
};

// What the panes show is stored as it changes and comes back at the next launch, empty
// panes included; the active and the enlarged pane are not kept.
TEST_F(PaneLayoutTest, TheArrangementAndThePanesServicesComeBackAtTheNextLaunch) {
    auto& panes = launch();
    EXPECT_EQ(panes.arrangement(), PaneArrangement::single);
    EXPECT_EQ(panes.slots(), Slots{none});
    panes.arrange(PaneArrangement::grid3x2);
    panes.show(0, "kimi");
    panes.show(4, "deepseek");
    panes.show(5, "kimi");
    panes.enlarge(4);
    EXPECT_EQ(stored()["paneLayout"], "3x2");
    EXPECT_EQ(stored()["paneTabIDs"], R"(["kimi",null,null,null,"deepseek","kimi"])");

    auto& again = launch();
    EXPECT_EQ(again.arrangement(), PaneArrangement::grid3x2);
    EXPECT_EQ(again.slots(), (Slots{"kimi", none, none, none, "deepseek", "kimi"}));
    EXPECT_EQ(again.activePane(), 0u);
    EXPECT_EQ(again.enlargedPane(), none);
}

// Anything that is not a known arrangement with one service or null per pane means one
// empty pane, and the rest of the file is left alone; a list written by hand as an array
// is read too.
TEST_F(PaneLayoutTest, UnreadableStoredValuesMeanOnePaneAndLoseNothingElse) {
    const std::string fifty = [] {
        nlohmann::json ids = nlohmann::json::array();
        for (int i = 0; i < 50; ++i) ids.push_back("kimi");
        return ids.dump();
    }();
    const std::vector<nlohmann::json> broken = {
        {{"paneLayout", "4x4"}, {"paneTabIDs", R"(["a","b"])"}},
        {{"paneLayout", 2}, {"paneTabIDs", R"(["a","b"])"}},
        {{"paneLayout", "2"}, {"paneTabIDs", 5}},
        {{"paneLayout", "2"}, {"paneTabIDs", R"(["a",3])"}},
        {{"paneLayout", "2"}, {"paneTabIDs", R"(["a","b","c"])"}},
        {{"paneLayout", "3x2"}, {"paneTabIDs", fifty}},
        {{"paneLayout", "2"}, {"paneTabIDs", "[\"a\","}},
        {{"paneLayout", "2"}},
    };
    for (auto values : broken) {
        values["showSidebar"] = false;
        writeFile(file, values.dump());
        auto& panes = launch();
        EXPECT_EQ(panes.arrangement(), PaneArrangement::single) << values;
        EXPECT_EQ(panes.slots(), Slots{none}) << values;
        EXPECT_EQ(stored(), values) << "read, never rewritten";
        EXPECT_EQ(store->boolValue("showSidebar"), false);
    }
    writeFile(file, R"({"paneLayout": "2rows", "paneTabIDs": ["a", null]})");
    EXPECT_EQ(launch().slots(), (Slots{"a", none}));
    EXPECT_EQ(layout->shape().rows, 2);
}

// A service shown in several panes: each pane knows which copy of its page it shows (the
// longest shown the first), and which pane shows a copy; services that may not stay leave
// their panes empty.
TEST_F(PaneLayoutTest, EachPaneShowingAServiceShowsItsOwnCopyOfThePage) {
    auto& panes = launch();
    panes.arrange(PaneArrangement::grid2x2);
    for (Pane pane : {0, 2, 3}) panes.show(pane, "kimi");
    panes.show(1, "zai");
    EXPECT_EQ(panes.panesShowing("kimi"), (std::vector<Pane>{0, 2, 3}));
    EXPECT_EQ(std::vector<std::size_t>({panes.copyShownIn(0), panes.copyShownIn(1), panes.copyShownIn(2),
                                        panes.copyShownIn(3)}),
              (std::vector<std::size_t>{0, 0, 1, 2}));
    EXPECT_EQ(panes.paneShowingCopy("kimi", 2), Pane{3});
    EXPECT_EQ(panes.paneShowingCopy("kimi", 3), none);
    EXPECT_EQ(panes.paneShowingCopy("gone", 0), none);
    panes.show(0, none);
    EXPECT_EQ(panes.copyShownIn(2), 0u) << "fewer panes show it: the copies move down";
    EXPECT_EQ(panes.copyShownIn(3), 1u);
    panes.show(0, "kimi");
    EXPECT_EQ(panes.copyShownIn(0), 2u) << "shown there last: a new copy, the others keep theirs";
    EXPECT_EQ(panes.paneShowingCopy("kimi", 0), Pane{2});

    int changes = 0;
    ScopedConnection watch = panes.observe([&] { ++changes; });
    panes.keepOnly([](const std::string& id) { return id != "kimi"; });
    EXPECT_EQ(panes.slots(), (Slots{none, "zai", none, none}));
    EXPECT_EQ(changes, 1);
    panes.keepOnly([](const std::string&) { return true; });
    EXPECT_EQ(changes, 1) << "nothing dropped, nothing to tell";
}

// Arrangements keep the panes that stay; more panes make the first new one active; fewer
// keep the active pane in range and let go of an enlarged one that went. Side by side
// puts the services in the arrangement that fits their number, in the order given.
TEST_F(PaneLayoutTest, ArrangingKeepsThePanesThatStayAndSideBySideFitsTheServices) {
    auto& panes = launch();
    panes.show(0, "a");
    panes.arrange(PaneArrangement::three);
    EXPECT_EQ(panes.slots(), (Slots{"a", none, none}));
    EXPECT_EQ(panes.activePane(), 1u);
    panes.show(2, "c");
    panes.setActive(2);
    panes.enlarge(2);
    panes.arrange(PaneArrangement::two);
    EXPECT_EQ(panes.slots(), (Slots{"a", none}));
    EXPECT_EQ(panes.activePane(), 1u);
    EXPECT_EQ(panes.enlargedPane(), none);

    const std::vector<std::pair<std::vector<std::string>, PaneArrangement>> fits = {
        {{"a"}, PaneArrangement::single},  {{"a", "b"}, PaneArrangement::two},
        {{"a", "b", "c"}, PaneArrangement::three}, {{"a", "b", "c", "d"}, PaneArrangement::grid2x2},
        {{"a", "b", "c", "d", "e"}, PaneArrangement::grid3x2},
        {{"a", "b", "c", "d", "e", "f", "g"}, PaneArrangement::grid3x2},
    };
    for (const auto& [ids, arrangement] : fits) {
        panes.enlarge(1);
        panes.arrangeSideBySide(ids);
        EXPECT_EQ(panes.arrangement(), arrangement) << ids.size();
        const auto& slots = panes.slots();
        for (std::size_t i = 0; i < slots.size(); ++i)
            EXPECT_EQ(slots[i], i < ids.size() ? std::optional(ids[i]) : none) << ids.size() << " pane " << i;
        EXPECT_EQ(panes.activePane(), 0u);
        EXPECT_EQ(panes.enlargedPane(), none);
    }
    for (const auto arrangement : allArrangements())
        EXPECT_EQ(arrangementNamed(arrangementName(arrangement)), arrangement);
}

// The active pane moves in reading order and wraps; by rows it keeps its column and wraps
// from the last row to the first. One pane cannot be enlarged; toggling restores.
TEST_F(PaneLayoutTest, TheActivePaneMovesInReadingOrderAndByRowsWrapping) {
    auto& panes = launch();
    panes.arrange(PaneArrangement::grid3x2);
    panes.setActive(0);
    std::vector<Pane> visited;
    for (int step : {1, 1, 1, -1, -1, -1, -1}) {
        panes.moveActive(step);
        visited.push_back(panes.activePane());
    }
    EXPECT_EQ(visited, (std::vector<Pane>{1, 2, 3, 2, 1, 0, 5}));
    panes.setActive(1);
    panes.moveActiveRow(1);
    EXPECT_EQ(panes.activePane(), 4u);
    panes.moveActiveRow(1);
    EXPECT_EQ(panes.activePane(), 1u) << "down from the last row wraps to the first";
    panes.moveActiveRow(-1);
    EXPECT_EQ(panes.activePane(), 4u);

    panes.arrange(PaneArrangement::three);
    panes.moveActiveRow(1);
    EXPECT_EQ(panes.activePane(), 2u) << "one row: nowhere to go";
    panes.toggleEnlarged();
    EXPECT_EQ(panes.enlargedPane(), Pane{2});
    panes.toggleEnlarged();
    EXPECT_EQ(panes.enlargedPane(), none);
    panes.arrange(PaneArrangement::single);
    panes.toggleEnlarged();
    EXPECT_EQ(panes.enlargedPane(), none);
}

}  // namespace
