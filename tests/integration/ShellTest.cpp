#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>

#include <gtkmm/box.h>

#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "support/ManualMainQueue.hpp"
#include "ui/ContentView.hpp"
#include "widgets/StepPulse.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The main layout over the real state, with stand-ins for the detail column's views.
class ShellTest : public StateFixture {
protected:
    ShellTest() {
        for (auto* part : {&toolbar, &settingsPanel, &clipboardPanel, &tagsPanel}) part->set_size_request(44, 100);
        show(content);
    }
    std::vector<std::string> rowIDs() {
        std::vector<std::string> ids;
        for (auto* row : content.tabBar().rows()) ids.push_back(row->tab().id);
        return ids;
    }
    AITabItemView* row(const std::string& id) {
        for (auto* row : content.tabBar().rows())
            if (row->tab().id == id) return row;
        return nullptr;
    }

    // The web process of ours running a worker thread, if there is one.
    static int processRunningAWorker() {
        for (int pid : webProcessIDs()) {
            std::error_code error;
            for (const auto& thread : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
                std::ifstream comm(thread.path() / "comm");
                std::string name;
                if (std::getline(comm, name) && name.find("Worker") != std::string::npos) return pid;
            }
        }
        return 0;
    }

    Gtk::Box toolbar, settingsPanel, clipboardPanel, tagsPanel, promptsPanel;
    ContentView content{context, DetailViews{toolbar, settingsPanel, clipboardPanel, tagsPanel, promptsPanel}};
};

TEST_F(ShellTest, TheTabBarListsVisibleServicesThenTheTagsMarksBothPanesAndFollowsTheLanguage) {
    state.setHiddenAITabIDs({"qianwen"});
    auto ids = rowIDs();
    ASSERT_EQ(ids.size(), 17u + 3u);
    EXPECT_EQ(ids[0], "doubao");
    EXPECT_EQ(ids[1], "deepseek") << "the hidden service is left out";
    EXPECT_EQ(ids[17], tagID("one"));
    EXPECT_TRUE(content.tabBar().showsDivider());
    customTabs.add(CustomTab{"custom_new", "豆包二号", server.url("/one"), {}, 0});
    EXPECT_EQ(rowIDs().back(), "custom_new");

    state.toggleSplit();
    state.selectTab(tagID("two"));
    EXPECT_TRUE(row(tagID("one"))->isPrimarySelected());
    EXPECT_TRUE(row(tagID("two"))->isSecondarySelected());
    EXPECT_FALSE(row(tagID("two"))->isPrimarySelected());
    state.selectTab(tagID("one"));
    EXPECT_TRUE(row(tagID("one"))->isPrimarySelected()) << "the first pane's colour wins when both panes show it";
    EXPECT_FALSE(row(tagID("one"))->isSecondarySelected());
    EXPECT_FALSE(row(tagID("two"))->isSecondarySelected()) << "no pane shows it now";
    // Every pane but the first marks its service in the second colour.
    state.chooseArrangement(PaneArrangement::three);
    state.selectTab(tagID("three"));
    EXPECT_TRUE(row(tagID("three"))->isSecondarySelected());
    state.chooseArrangement(PaneArrangement::single);
    EXPECT_FALSE(row(tagID("three"))->isSecondarySelected()) << "the pane that showed it is gone";
    EXPECT_TRUE(row(tagID("one"))->isPrimarySelected());

    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(content.tabBar().tooltip(AITabBarView::Control::refresh).text(), "重新整理頁面");
    localization.setCurrentLanguage(AppLanguage::en);
    EXPECT_EQ(content.tabBar().tooltip(AITabBarView::Control::position).text(), "Switch Tab Bar Position");
    state.setShowSidebar(false);
    EXPECT_FALSE(content.tabBar().showsExpandedHeader());
    EXPECT_EQ(content.tabBar().tooltip(AITabBarView::Control::toggle).text(), "Hide Tab Bar");
    content.tabBar().control(AITabBarView::Control::toggle).activate();
    EXPECT_TRUE(eventually([&] { return state.showSidebar().get(); }));

    hideBuiltInServices();
    customTabs.setCustomTabs({});
    EXPECT_TRUE(rowIDs().empty());
    EXPECT_FALSE(content.tabBar().showsDivider());
}

// A service answering out of sight is marked on its row; the mark pulses in steps while any
// service answers and the window is in sight, and the pulse stops with the last answer
// instead of running on.
TEST_F(ShellTest, AnAnswerStreamedOutOfSightIsMarkedOnItsRowAndThePulseEndsWithIt) {
    // The watch counts growth only once the page has been still for two seconds since it
    // began watching (before the page's own script ran): the page keeps that still first.
    server.serve("/stream",
                 "<title>stream</title><p id=text></p><script>const parsed = Date.now();"
                 "function start() { setTimeout(stream, Math.max(0, parsed + 2100 - Date.now())); }"
                 "function stream() { let i = 0; const began = Date.now();"
                 " const next = () => { text.textContent += 'word' + (i++) + ' ';"
                 " if (Date.now() - began < 6000) setTimeout(next, 60); }; next(); }</script>",
                 "text/html");
    customTabs.add(CustomTab{tagID("stream"), "stream", server.url("/stream"), {}, 0});
    state.selectTab(tagID("one"));
    ASSERT_TRUE(eventually([&] { return existingView(tagID("stream")) != nullptr; }));
    ASSERT_TRUE(loaded(tagID("stream")));
    evaluateScript(existingView(tagID("stream")), "start(); 1");

    // The row carries the mark at its end, and the icon one for the collapsed bar.
    const auto marked = [&](const std::string& name) {
        return std::ranges::any_of(widgetsWithClass(*row(tagID(name)), "answering-mark"),
                                   [](GtkWidget* mark) { return shownOnScreen(*Glib::wrap(mark)); });
    };
    auto& bar = widgetWithClass(content, "tab-bar");
    ASSERT_TRUE(eventually([&] { return marked("stream"); }, std::chrono::seconds(15)));
    EXPECT_FALSE(marked("two"));
    const auto pulses = [&] {
        bool faint = false, full = false;
        return eventually([&] {
            (bar.has_css_class(StepPulse::faintClass) ? faint : full) = true;
            return faint && full;
        });
    };
    EXPECT_TRUE(pulses()) << "the mark pulses";
    // A beat still running is due within a step and was set before a timer of ours on the
    // same main loop, due later: it would come first, and turn the marks faint.
    const auto staysFull = [&] {
        bool turnedFaint = false;
        SignalConnection classes(
            bar.gobj(), "notify::css-classes",
            +[](GtkWidget* widget, GParamSpec*, bool* faint) { *faint = *faint || gtk_widget_has_css_class(widget, StepPulse::faintClass); },
            &turnedFaint);
        bool stepsPassed = false;
        TimerHandle later = queue.after(StepPulse::step * 2, [&] { stepsPassed = true; });
        return eventually([&] { return stepsPassed; }) && !turnedFaint && !bar.has_css_class(StepPulse::faintClass);
    };

    state.setWindowMinimized(true);
    EXPECT_TRUE(staysFull()) << "out of sight, the marks do not pulse";
    EXPECT_TRUE(marked("stream")) << "the answer still runs";
    state.setWindowMinimized(false);
    EXPECT_TRUE(pulses()) << "back in sight, the mark pulses again";

    ASSERT_TRUE(eventually([&] { return !marked("stream"); }, std::chrono::seconds(15)));
    EXPECT_TRUE(staysFull()) << "no answer runs, the pulse is over";
}

// Each click reaches the X server as a user's would.
TEST_F(ShellTest, AClickActivatesAPaneOrOnlyClosesTheOpenPanelAndPageControlsAndInsetsFollowThePanes) {
    state.toggleSplit();
    ASSERT_EQ(content.panes().frameCount(), 2u);
    EXPECT_TRUE(shows(content, "secondary-outline"));
    EXPECT_FALSE(shows(content, "primary-outline"));
    ASSERT_TRUE(loaded(tagID("one")));
    const int loadsOfOne = hits["one"];
    state.selectTab(tagID("two"));
    ASSERT_TRUE(loaded(tagID("two")));
    auto* secondary = existingView(tagID("two"));
    evaluateScript(secondary, "document.getElementById('next').click()");
    ASSERT_TRUE(eventually([&] { return evaluateScript(secondary, "document.title") == "next"; }));
    const int before = hits["two"];
    content.tabBar().control(AITabBarView::Control::refresh).activate();
    EXPECT_TRUE(eventually([&] { return evaluateScript(secondary, "document.title") == "two"; }));
    EXPECT_EQ(hits["two"], before + 1);
    EXPECT_EQ(hits["one"], loadsOfOne) << "the other pane is untouched";
    // An empty second pane: the controls look for its service, and find none.
    state.panes().show(1, std::nullopt);
    EXPECT_EQ(state.currentTabID(), "");
    EXPECT_EQ(state.currentPane(), 1u);
    ASSERT_TRUE(eventually([&] { return content.panes().frame(1).get_width() > 0; }));
    clickWithPointer(content, 300, 400);
    EXPECT_TRUE(eventually([&] { return state.currentPane() == 0; }));
    EXPECT_TRUE(shows(content, "primary-outline"));
    state.selectTab(tagID("three"));
    EXPECT_EQ(state.panes().serviceIn(0), tagID("three"));
    state.toggleSplit();
    EXPECT_EQ(content.panes().frameCount(), 1u);

    ASSERT_TRUE(loaded(tagID("three")));
    auto* page = existingView(tagID("three"));
    evaluateScript(page, "window.clicks = 0; addEventListener('mousedown', () => clicks++); 1");
    state.openDetailPanel();
    content.finishAnimations();
    ASSERT_TRUE(shows(content, "click-catcher"));
    ASSERT_TRUE(eventually([&] { return widgetWithClass(content, "click-catcher").get_width() > 0; }));
    clickWithPointer(content, 600, 400);
    EXPECT_TRUE(eventually([&] { return !state.showDetailPanel().get(); }));
    EXPECT_EQ(evaluateScript(page, "clicks"), "0");
    content.finishAnimations();
    clickWithPointer(content, 600, 400);
    EXPECT_TRUE(eventually([&] { return evaluateScript(page, "clicks") == "1"; })) << "with the panel closed";

    const auto insets = [&] {
        content.finishAnimations();
        return std::pair{content.leadingInset(), content.trailingInset()};
    };
    EXPECT_EQ(insets(), (std::pair{180, 44}));
    state.openDetailPanel();
    EXPECT_EQ(insets(), (std::pair{180, 300}));
    state.toggleSidebar();
    EXPECT_EQ(insets(), (std::pair{52, 300}));
    state.setSidebarPosition(SidebarPosition::right);
    EXPECT_EQ(insets(), (std::pair{300, 52}));
    state.setShowDetailPanel(false);
    state.toggleSidebar();
    EXPECT_EQ(insets(), (std::pair{44, 180}));
}

// The two panes share the row equally whatever their pages would like: a page wider than its
// pane, a page whose web process ends, its notice and its reload move nothing.
TEST_F(ShellTest, SplitPanesStayEqualThroughWidePagesCrashesAndReloads) {
    server.serve("/wide", "<title>wide</title><div style='width:2400px;height:10px'></div>", "text/html");
    customTabs.add(CustomTab{tagID("wide"), "wide", server.url("/wide"), {}, 0});
    // Another site, so the engine gives it a web process of its own.
    server.serve("/worker.js", "setInterval(() => {}, 1000);", "text/javascript");
    std::string otherURL = server.url("/one");
    otherURL.replace(otherURL.find("127.0.0.1"), 9, "localhost");
    customTabs.add(CustomTab{tagID("other"), "other", otherURL, {}, 0});
    state.selectTab(tagID("wide"));
    ASSERT_TRUE(loaded(tagID("wide")));
    state.toggleSplit();
    auto& left = content.panes().frame(0);
    auto& right = content.panes().frame(1);
    const auto even = [&] {
        return eventually([&] { return left.get_width() > 0 && left.get_width() == right.get_width(); },
                          std::chrono::seconds(2));
    };
    state.selectTab(tagID("other"));
    ASSERT_TRUE(loaded(tagID("other")));
    EXPECT_TRUE(even()) << left.get_width() << " against " << right.get_width();
    const int width = right.get_width();
    EXPECT_EQ(left.get_width() + right.get_width() + 6, content.get_width() - content.leadingInset() - content.trailingInset())
        << "the divider and its two gaps take 6 between them";

    for (int round = 0; round < 3; ++round) {
        // Only the page's own process, marked by a worker the page starts in it: one the
        // engine is still starting (a spare) must not be killed, its launch would fail.
        auto* view = existingView(tagID("other"));
        evaluateScript(view, "window.worker = new Worker('/worker.js'); 1");
        int pid = 0;
        ASSERT_TRUE(eventually([&] { return (pid = processRunningAWorker()) > 0; })) << "round " << round;
        ::kill(pid, SIGKILL);
        ASSERT_TRUE(eventually([&] { return shows(right, "page-trouble"); })) << "round " << round;
        // The notice is in and laid out.
        ASSERT_TRUE(framePainted(content));
        EXPECT_EQ(right.get_width(), width) << "ended, round " << round;
        troubleAction(right).activate();
        ASSERT_TRUE(eventually([&] { return !shows(right, "page-trouble"); }));
        view = existingView(tagID("other"));
        ASSERT_TRUE(eventually([&] { return evaluateScript(view, "document.title") == "one"; }));
        ASSERT_TRUE(loaded(tagID("other")));
        // Laying the page out reports its size to the view before the answer comes back; the
        // frame after that has the pane laid out with it.
        ASSERT_EQ(evaluateScript(view, "document.body.offsetWidth > 0"), "true");
        ASSERT_TRUE(framePainted(content));
        EXPECT_EQ(right.get_width(), width) << "reloaded, round " << round;
    }
}

TEST(DelayedTooltip, ShowsAfterAFullSecondOfRest) {
    ManualMainQueue clock;
    Gtk::Box box;
    Gtk::Button first, second;
    box.append(first);
    box.append(second);
    DelayedTooltip a(first, clock), b(second, clock);
    a.setText("Go Back");

    a.pointerEntered();
    clock.advance(Milliseconds(900));
    a.pointerLeft();
    clock.advance(Milliseconds(500));
    EXPECT_FALSE(a.isShown()) << "leaving within the delay shows nothing";

    a.pointerEntered();
    clock.advance(Milliseconds(600));
    a.pointerLeft();
    b.pointerEntered();
    clock.advance(Milliseconds(900));
    EXPECT_FALSE(a.isShown());
    EXPECT_FALSE(b.isShown()) << "the neighbour starts its own full second";
    clock.advance(Milliseconds(100));
    EXPECT_TRUE(b.isShown());
    b.pointerLeft();
    EXPECT_FALSE(b.isShown());
}

}  // namespace
