#include <cstdio>
#include <numeric>

#include <gtkmm/box.h>

#include "app/PaneLayout.hpp"
#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "ui/ContentView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

constexpr unsigned long colours[] = {0xd00000, 0x00a000, 0x0000d0, 0xd0d000, 0xd000d0, 0x00d0d0};

// The main layout with six services, each a page of one colour, read back from the screen.
// The local server counts what each page asks for, so a reload cannot go unseen.
class PaneGridTest : public StateFixture {
protected:
    PaneGridTest() {
        for (std::size_t i = 0; i < 6; ++i) {
            const std::string name = "c" + std::to_string(i);
            char colour[8];
            std::snprintf(colour, sizeof colour, "%06lx", colours[i]);
            const std::string html = "<title>" + name + "</title><body style='margin:0;height:100vh;background:#" +
                                     colour + "'><a id=next href='/next'>next</a></body>";
            server.server.Get("/" + name, [this, name, html](const httplib::Request&, httplib::Response& res) {
                ++hits[name];
                res.set_content(html, "text/html");
            });
            customTabs.add(CustomTab{tagID(name), name, server.url("/" + name), {}, 0});
            ids.push_back(tagID(name));
        }
        for (auto* part : {&toolbar, &settingsPanel, &clipboardPanel, &tagsPanel}) part->set_size_request(44, 100);
        show(content, 1440, 900);
    }

    PaneGrid& grid() { return content.panes(); }
    // The colour in the middle of the pane's page area, as the user sees it.
    std::optional<unsigned long> colourIn(Pane pane) {
        auto& container = grid().frame(pane).container();
        return screenColourAt(container, container.get_width() / 2.0, container.get_height() / 2.0);
    }
    // Each pane shows the page of that colour (none: the pane is not on screen).
    bool panesShow(const std::vector<std::optional<unsigned long>>& expected) {
        return eventually([&] {
            if (grid().frameCount() != expected.size()) return false;
            for (Pane pane = 0; pane < expected.size(); ++pane) {
                const bool onScreen = grid().frame(pane).get_mapped();
                if (onScreen != expected[pane].has_value()) return false;
                if (onScreen && colourIn(pane) != expected[pane]) return false;
            }
            return true;
        }, std::chrono::seconds(10));
    }
    std::vector<std::optional<unsigned long>> coloursOf(std::initializer_list<int> services) {
        std::vector<std::optional<unsigned long>> list;
        for (int i : services) list.push_back(i < 0 ? std::nullopt : std::optional(colours[i]));
        return list;
    }
    int pageRequests() {
        int total = 0;
        for (std::size_t i = 0; i < 6; ++i) total += hits["c" + std::to_string(i)];
        return total;
    }
    bool allLoaded() {
        for (const auto& id : ids)
            if (!loaded(id)) return false;
        return true;
    }

    std::vector<std::string> ids;
    Gtk::Box toolbar, settingsPanel, clipboardPanel, tagsPanel, promptsPanel;
    ContentView content{context, DetailViews{toolbar, settingsPanel, clipboardPanel, tagsPanel, promptsPanel}};
};

// Every arrangement shows each pane's service; changing arrangements, enlarging and
// restoring, and moving a service to another pane only move pages: nothing is asked of the
// server again.
TEST_F(PaneGridTest, EveryArrangementShowsEachPanesPageAndMovingPagesReloadsNothing) {
    auto& panes = state.panes();
    panes.arrangeSideBySide(ids);
    ASSERT_TRUE(allLoaded());
    ASSERT_TRUE(panesShow(coloursOf({0, 1, 2, 3, 4, 5})));
    const int requests = pageRequests();
    EXPECT_EQ(requests, 6);

    for (const auto arrangement : allArrangements()) {
        panes.arrange(arrangement);
        const auto count = panes.paneCount();
        for (Pane pane = 0; pane < count; ++pane) panes.show(pane, ids[count - 1 - pane]);
        std::vector<std::optional<unsigned long>> expected;
        for (Pane pane = 0; pane < count; ++pane) expected.push_back(colours[count - 1 - pane]);
        EXPECT_TRUE(panesShow(expected)) << arrangementName(arrangement);
    }

    panes.arrangeSideBySide(ids);
    ASSERT_TRUE(panesShow(coloursOf({0, 1, 2, 3, 4, 5})));
    const auto layoutWidth = [&] { return std::stoi(evaluateScript(existingView(ids[4]), "String(innerWidth)")); };
    ASSERT_LT(grid().frame(4).get_width(), 640);
    EXPECT_TRUE(eventually([&] { return layoutWidth() >= 640; })) << "a narrow pane keeps the desktop layout";
    click(grid().frame(4).header().enlargeButton());
    EXPECT_TRUE(panesShow(coloursOf({-1, -1, -1, -1, 4, -1}))) << "enlarged";
    EXPECT_TRUE(eventually([&] {
        return grid().frame(4).get_width() == grid().get_width() && grid().frame(4).get_height() == grid().get_height();
    })) << "fills the pane area";
    EXPECT_TRUE(eventually([&] { return layoutWidth() == grid().frame(4).container().get_width(); }))
        << "full size when enlarged";
    click(grid().frame(4).header().enlargeButton());
    EXPECT_TRUE(panesShow(coloursOf({0, 1, 2, 3, 4, 5}))) << "restored";

    // Pane 5 gives its service to pane 0.
    auto* moved = existingView(ids[5]);
    panes.show(5, std::nullopt);
    panes.show(0, ids[5]);
    EXPECT_TRUE(eventually([&] { return colourIn(0) == colours[5]; }));
    EXPECT_EQ(grid().frame(0).container().shownWebView(), moved) << "the same page, moved";
    EXPECT_TRUE(shows(grid().frame(5).container(), "pane-placeholder"));
    EXPECT_EQ(pageRequests(), requests) << "nothing reloaded";
}

// Pages count services, not panes: six services in six panes have six pages; the same
// service in a second pane gets a second page with its own history, which goes once only
// one pane shows the service again.
TEST_F(PaneGridTest, SixPanesUseSixPagesAndASecondPaneOfOneServiceItsOwnCopy) {
    settings.setLoadServicesWhenOpened(true);
    auto& panes = state.panes();
    panes.arrangeSideBySide(ids);
    ASSERT_TRUE(allLoaded());
    ASSERT_TRUE(panesShow(coloursOf({0, 1, 2, 3, 4, 5})));
    const auto pagesOfTheSix = [&] {
        return std::count_if(ids.begin(), ids.end(), [&](const std::string& id) { return existingView(id) != nullptr; });
    };
    EXPECT_EQ(pagesOfTheSix(), 6);
    const auto pagesBefore = store().pageKeys().size();
    const auto processesBefore = webProcessIDs().size();

    auto* first = existingView(ids[0]);
    panes.show(1, ids[0]);
    ASSERT_TRUE(eventually([&] { return store().existingPage({ids[0], 1}) != nullptr; }));
    auto* copy = store().existingPage({ids[0], 1})->view();
    ASSERT_TRUE(loaded(ids[0], 1));
    EXPECT_TRUE(panesShow(coloursOf({0, 0, 2, 3, 4, 5})));
    EXPECT_EQ(grid().frame(0).container().shownWebView(), first) << "the first pane kept its page";
    EXPECT_EQ(grid().frame(1).container().shownWebView(), copy);
    EXPECT_EQ(store().pageKeys().size(), pagesBefore + 1);
    EXPECT_TRUE(eventually([&] { return webProcessIDs().size() == processesBefore + 1; })) << "a process of its own";
    evaluateScript(copy, "document.getElementById('next').click()");
    ASSERT_TRUE(eventually([&] { return evaluateScript(copy, "location.pathname") == "/next"; }));
    EXPECT_EQ(evaluateScript(first, "location.pathname"), "/c0") << "each copy has its own history";

    panes.show(1, ids[1]);
    EXPECT_TRUE(eventually([&] { return store().existingPage({ids[0], 1}) == nullptr; })) << "the copy goes";
    EXPECT_EQ(store().pageKeys().size(), pagesBefore);
    EXPECT_TRUE(panesShow(coloursOf({0, 1, 2, 3, 4, 5})));
    EXPECT_EQ(grid().frame(0).container().shownWebView(), first);
}

// The headers name their controls for assistive tools, follow the language, and a
// service chosen in a header's list lands in that pane, which becomes the active one.
TEST_F(PaneGridTest, PaneHeadersAreNamedAndTheirListPutsAServiceInThePane) {
    localization.setCurrentLanguage(AppLanguage::en);
    auto& panes = state.panes();
    panes.arrangeSideBySide({ids[0], ids[1], ids[2]});
    ASSERT_TRUE(panesShow(coloursOf({0, 1, 2})));
    auto& header = grid().frame(2).header();
    EXPECT_EQ(misnamed({{&header.chooser(), "Service in pane 3"}, {&header.enlargeButton(), "Enlarge"}}), "");
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(misnamed({{&header.chooser(), "窗格 3 的服务"}, {&header.enlargeButton(), "放大"}}), "");

    const auto rows = state.visibleTabs();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const AITab& tab) { return tab.id == ids[5]; });
    header.chooser().set_selected(static_cast<guint>(row - rows.begin()));
    EXPECT_EQ(panes.serviceIn(2), ids[5]);
    EXPECT_EQ(panes.activePane(), 2u);
    EXPECT_TRUE(panesShow(coloursOf({0, 1, 5})));
    header.chooser().set_selected(static_cast<guint>(rows.size()));
    EXPECT_EQ(panes.serviceIn(2), std::nullopt) << "the last row empties the pane";
    EXPECT_TRUE(eventually([&] { return shows(grid().frame(2).container(), "pane-placeholder"); }));
    EXPECT_EQ(textOf(grid().frame(2).container(), "placeholder-text"), "请选择一款 AI");
    panes.show(1, std::nullopt);
    EXPECT_EQ(textOf(grid().frame(1).container(), "placeholder-text"), "请选择第二款 AI");
}

}  // namespace
