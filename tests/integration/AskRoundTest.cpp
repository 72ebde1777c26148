#include "integration/AnswerSources.hpp"
#include "integration/AppProcess.hpp"
#include "integration/EditorFixtures.hpp"
#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "platform/Pasteboard.hpp"
#include "ui/AskSeveralBar.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/RoundActions.hpp"

using namespace corvina;
using namespace corvina::testing;
using namespace std::chrono_literals;

namespace {

std::size_t occurrences(const std::string& haystack, const std::string& needle) {
    std::size_t count = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size())) ++count;
    return count;
}

constexpr const char* question = "Tell me *everything* about Markdown | tables & <tags>";

// Chat pages that answer (rendered from known Markdown by the fixture's real renderers),
// asked together through the app's own delivery, their answers followed and read.
class AskRoundTest : public StateFixture {
protected:
    AskRoundTest() { localization.setCurrentLanguage(AppLanguage::en); }
    void addAnswering(const std::string& name, const std::string& answer) {
        customTabs.add(CustomTab{tagID(name), name, editors.url("answer-chat") + "?answer=" + answer, {}, 0});
    }
    void addPage(const std::string& name, const std::string& body) {
        server.serve("/" + name, body, "text/html");
        customTabs.add(CustomTab{tagID(name), name, server.url("/" + name), {}, 0});
    }
    void choose(const std::vector<std::string>& names) {
        for (const auto& tab : state.visibleTabs()) askSeveral.setChosen(tab.id, false);
        for (const auto& name : names) askSeveral.setChosen(tagID(name), true);
    }
    const RoundEntry& entry(const std::string& name) { return *rounds.latest()->find(tagID(name)); }
    // Asks the chosen services and waits until every one of `settled` has finished or failed.
    void askAndWait(const std::string& text, const std::vector<std::string>& settled) {
        ASSERT_TRUE(askSeveralDelivery.send(askSeveral.targets(), text));
        for (const auto& name : settled)
            ASSERT_TRUE(eventually([&] { return entry(name).finished() || entry(name).failed(); }, 90s))
                << name << " never finished: " << answerStatusText(entry(name).status).en;
    }

    EditorFixtures editors{server};
};

TEST_F(AskRoundTest, FourAnswersAreReadCopiedSavedAndComparedByAnotherService) {
    const std::vector<std::string> names{"constructs", "second", "special", "brief"};
    for (const auto& name : names) addAnswering(name, name);
    customTabs.add(CustomTab{tagID("judge"), "judge", editors.url("prosemirror"), {}, 0});
    pane();
    choose(names);
    askAndWait(question, names);

    const auto& round = *rounds.latest();
    ASSERT_EQ(round.services.size(), 4u);
    for (const auto& name : names) {
        const auto& e = entry(name);
        ASSERT_EQ(e.status, AnswerStatus::answered) << name;
        // A page out of sight may pause halfway; the round follows it to the end.
        EXPECT_TRUE(eventually([&] { return spaced(*e.answer) == spaced(answerSource(name)); }, 60s));
        EXPECT_EQ(spaced(*e.answer), spaced(answerSource(name)))
            << name << " asked at " << round.askedAt.count() << ", sent " << e.sentAt->count() << ", grew "
            << e.firstGrowthAt->count() << ", ended " << e.finishedAt->count();
        EXPECT_NE(e.address.find("answer=" + name), std::string::npos) << e.address;
        ASSERT_TRUE(e.took());
        EXPECT_GE(*e.took(), 1000ms) << "the fixture streams for seconds";
        EXPECT_LE(*e.firstGrowthAt, *e.finishedAt);
    }
    ASSERT_NE(roundActions.round(), nullptr);
    const auto exported = roundActions.markdown();
    EXPECT_EQ(exported.rfind("# Tell me \\*everything\\* about Markdown \\| tables \\& \\<tags\\>\n", 0), 0u) << exported;
    std::size_t at = 0;
    for (const auto& name : names) {
        const auto heading = exported.find("## " + name, at);
        ASSERT_NE(heading, std::string::npos) << name << " missing or out of order";
        at = heading;
    }

    // Copied: read back from the desktop's clipboard as another program reads it.
    if (!commandOutput("command -v xclip").empty()) {
        DisplayPasteboard systemClipboard(Gdk::Display::get_default());
        RoundActions copying(rounds, askSeveral, askSeveralDelivery, state, webViews, localization, systemClipboard,
                             downloads);
        copying.copyAll();
        const auto pasted = dir / "pasted.md";
        commandOutput("(xclip -selection clipboard -o > '" + pasted.string() + "' 2>/dev/null &)");
        EXPECT_TRUE(eventually([&] { return std::filesystem::exists(pasted) && readFile(pasted).size() >= exported.size(); }));
        EXPECT_EQ(readFile(pasted), exported);
    }

    // Saved: the file holds the same, named after the prompt in the download folder.
    const auto suggested = roundActions.suggestedFile();
    EXPECT_EQ(suggested.parent_path(), downloads.customDownloadPath().get());
    EXPECT_EQ(suggested.filename().string().rfind("Tell me everything about Markdown", 0), 0u) << suggested;
    std::filesystem::create_directories(suggested.parent_path());
    ASSERT_TRUE(roundActions.saveAll(suggested));
    EXPECT_EQ(readFile(suggested), exported);
    EXPECT_FALSE(roundActions.saveAll(dir / "no such folder" / "answers.md"));

    // Compared: the judge's own editor receives the question and each answer once,
    // labelled, with no service named.
    ASSERT_TRUE(roundActions.compare(tagID("judge"), false));
    ASSERT_TRUE(eventually([&] { return !editors.received("prosemirror").empty(); }, 60s));
    const auto judged = editors.received("prosemirror").front();
    EXPECT_EQ(occurrences(judged, question), 1u) << judged;
    for (const auto& name : names) {
        const auto lines = spaced(answerSource(name));
        EXPECT_EQ(occurrences(spaced(judged), lines.substr(0, 60)), 1u) << name;
    }
    for (const char* label : {"## Answer A\n", "## Answer B\n", "## Answer C\n", "## Answer D\n"})
        EXPECT_EQ(occurrences(judged, label), 1u) << label;
    for (const auto& name : names) EXPECT_EQ(judged.find("(" + name + ")"), std::string::npos);
    EXPECT_EQ(state.panes().serviceIn(state.panes().activePane()), tagID("judge"));
    EXPECT_EQ(rounds.latest()->services.size(), 1u) << "the comparison is an ask of its own";
}

// A page that says something slowly into text that was already there: streaming, but no
// part of it is new; and one that never stops.
constexpr const char* growsInPlace = R"HTML(<title>in place</title><p id=out>Status:</p>
<textarea id=box style="position:fixed;bottom:10px;left:10px;width:80%"></textarea><button id=send
 style="position:fixed;bottom:10px;right:10px">Send</button>
<script>send.addEventListener('click', () => {
    box.value = '';
    const text = out.firstChild;
    let left = 40;
    const step = () => { text.data += ' word'; if (--left > 0) setTimeout(step, 100); };
    step();
});</script>)HTML";

constexpr const char* neverEnds = R"HTML(<title>endless</title><div id=log></div>
<textarea id=box style="position:fixed;bottom:10px;left:10px;width:80%"></textarea><button id=send
 style="position:fixed;bottom:10px;right:10px">Send</button>
<script>send.addEventListener('click', () => {
    box.value = '';
    const answer = document.createElement('p');
    log.append(answer);
    setInterval(() => { answer.textContent += ' more'; }, 100);
});</script>)HTML";

TEST_F(AskRoundTest, ARoundWithAFailureNoAnswerAndOneStillAnsweringExportsWhatItHasAndSaysSoForTheRest) {
    addAnswering("brief", "brief");
    addPage("nobox", "<title>nobox</title><p>Only reading here.</p>");
    addPage("inplace", growsInPlace);
    addPage("endless", neverEnds);
    pane();
    choose({"brief", "nobox", "inplace", "endless"});
    askAndWait("status?", {"brief", "nobox", "inplace"});
    ASSERT_TRUE(eventually([&] { return entry("endless").status == AnswerStatus::answering; }, 30s));

    EXPECT_EQ(entry("brief").status, AnswerStatus::answered);
    EXPECT_EQ(entry("nobox").status, AnswerStatus::noMessageBox);
    EXPECT_EQ(entry("inplace").status, AnswerStatus::noAnswerFound);
    const auto exported = roundActions.markdown();
    EXPECT_NE(spaced(exported).find(spaced(answerSource("brief"))), std::string::npos) << exported;
    EXPECT_NE(exported.find("## nobox\n\n*No message box found*"), std::string::npos) << exported;
    EXPECT_NE(exported.find("*No answer found*"), std::string::npos) << exported;
    EXPECT_NE(exported.find("## endless\n\n*Answering*"), std::string::npos) << exported;
    EXPECT_EQ(exported.find("Status: word"), std::string::npos) << "never another part of the page";
}

// The composer after a round: each answered service can be starred, and the best go on.
TEST_F(AskRoundTest, TheComposerOffersTheRoundsActionsAndStarredServicesBecomeTheNextChoice) {
    for (const auto& name : {"second", "brief"}) addAnswering(name, name);
    addPage("nobox", "<title>nobox</title><p>Only reading here.</p>");
    pane();
    AskSeveralBar bar(context);
    auto& window = show(bar, 1000, 300);
    choose({"second", "brief", "nobox"});
    EXPECT_FALSE(shownOnScreen(widgetLabelled<Gtk::Button>(window, "Copy All Answers")));
    askAndWait("which is best?", {"second", "brief", "nobox"});

    ASSERT_TRUE(eventually([&] { return shownOnScreen(widgetLabelled<Gtk::Button>(window, "Copy All Answers")); }));
    EXPECT_TRUE(shownOnScreen(widgetLabelled<Gtk::Button>(window, "Save All Answers…")));
    EXPECT_TRUE(eventually([&] { return !widgetsLabelled(window, "2 of 3 answered").empty(); }));
    auto stars = widgetsOfType(window, GTK_TYPE_TOGGLE_BUTTON);
    std::vector<GtkWidget*> shownStars;
    for (GtkWidget* star : stars)
        if (gtk_widget_has_css_class(star, "ask-several-star") && shownOnScreen(*Glib::wrap(star))) shownStars.push_back(star);
    ASSERT_EQ(shownStars.size(), 2u) << "a service that did not answer has no star";
    auto& goOn = widgetLabelled<Gtk::Button>(window, "Continue with the Best");
    EXPECT_FALSE(goOn.is_sensitive());
    gtk_widget_activate(shownStars[1]);
    EXPECT_TRUE(eventually([&] { return goOn.is_sensitive(); }));
    EXPECT_EQ(rounds.latest()->starred(), std::vector<std::string>{tagID("brief")});
    click(goOn);
    std::vector<std::string> chosen;
    for (const auto& tab : askSeveral.targets()) chosen.push_back(tab.id);
    EXPECT_EQ(chosen, std::vector<std::string>{tagID("brief")});
}

}  // namespace
