#include <set>

#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"
#include "web/AnswerActivity.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// Pages that change in the ways chat pages do; each starts when the test calls start().
// The watch counts growth once a page has been still for two seconds from its start: a
// page starts no sooner, as a chat page waits for its question.
constexpr const char* stillFirst = "<script>const began = performance.now();"
                                   "function start() { setTimeout(run, Math.max(0, began + 2100 - performance.now())); }"
                                   "</script>";
constexpr const char* pageStyle = "<style>body{font:15px sans-serif} .spin{width:20px;height:20px;"
                                  "border:3px solid #ccc;border-top-color:#06c;border-radius:50%;"
                                  "animation:spin 1s linear infinite} @keyframes spin{to{transform:rotate(360deg)}}</style>";

// An answer appended word by word, a word every 40 to 80 ms for 5 s.
constexpr const char* tokenStream = R"(<div id=log></div><script>
function run() {
    const message = document.createElement('div'); const text = document.createElement('p');
    message.append(text); log.append(message);
    const words = 'Sorting nearly sorted data is fastest with insertion sort because each element moves only a little'.split(' ');
    let i = 0; const began = Date.now();
    const next = () => { text.textContent += words[i++ % words.length] + ' ';
                         if (Date.now() - began < 5000) setTimeout(next, 40 + Math.random() * 40); };
    next();
})";

// A message component that renders into an open shadow root.
constexpr const char* shadowStream = R"(<div id=log></div><script>
function run() {
    const host = document.createElement('chat-message'); const root = host.attachShadow({mode: 'open'});
    const text = document.createElement('p'); root.append(text); log.append(host);
    let i = 0; const began = Date.now();
    const next = () => { text.textContent += 'shadow' + (i++) + ' '; if (Date.now() - began < 4000) setTimeout(next, 60); };
    next();
})";

// A framework that renders the whole message anew on every token.
constexpr const char* wholeRender = R"(<div id=log><div class=msg></div></div><script>
function run() {
    let text = ''; const began = Date.now();
    const next = () => { text += 'token '; log.innerHTML = '<div class=msg><p>' + text + '</p></div>';
                         if (Date.now() - began < 5000) setTimeout(next, 60); };
    next();
})";

// A clock that rewrites the same amount of text every second, a spinner, a hidden area
// that grows, one whole message added at once, and the user typing in the message box.
constexpr const char* notAnswers = R"(<div id=log></div><span id=clock>00:00:00</span><div class=spin></div>
<div id=hidden style="display:none"></div><div id=box contenteditable=true style="min-height:30px"></div><script>
function run() {
    let s = 0; setInterval(() => { s++; clock.textContent = '00:00:' + String(s % 60).padStart(2, '0'); }, 1000);
    setInterval(() => { hidden.textContent += 'invisible words '; }, 50);
    setTimeout(() => { const m = document.createElement('p'); m.textContent = 'A whole message '.repeat(40); log.append(m); }, 500);
    const began = Date.now();
    const type = () => { box.textContent += 'typed '; if (Date.now() - began < 5000) setTimeout(type, 60); };
    type();
})";

class AnswerActivityTest : public StateFixture {
protected:
    AnswerActivityTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        for (auto [name, body] : {std::pair{"stream", tokenStream}, {"render", wholeRender}, {"quiet", notAnswers},
                                  {"shadow", shadowStream}}) {
            server.serve(std::string("/") + name,
                         std::string("<title>") + name + "</title>" + pageStyle + stillFirst + body + "</script>", "text/html");
            customTabs.add(CustomTab{tagID(name), name, server.url(std::string("/") + name), {}, 0});
        }
        // Every state the tab bar is shown, kept.
        watch = answerActivity.services().observe([this] {
            for (const auto& [id, activity] : answerActivity.services().get())
                if (activity.answering) everAnswering.insert(id);
        });
    }
    void start(const std::string& name) {
        ASSERT_TRUE(ready(name));
        evaluateScript(existingView(tagID(name)), "start(); 1");
    }
    ServiceActivity activity(const std::string& name) { return answerActivity.of(tagID(name)); }
    // Background pages are made one per frame after the shown one.
    bool ready(const std::string& name) {
        return eventually([&] { return existingView(tagID(name)) != nullptr; }) && loaded(tagID(name));
    }

    std::set<std::string> everAnswering;
    ScopedConnection watch;
};

TEST_F(AnswerActivityTest, AStreamedAnswerIsAnsweringThenReadyWithOneNoticeWhileItsServiceIsNotShown) {
    pane();
    state.selectTab(tagID("one"));
    start("stream");
    ASSERT_TRUE(eventually([&] { return activity("stream").answering; }, std::chrono::seconds(15)));
    EXPECT_FALSE(activity("stream").answerReady);
    ASSERT_TRUE(eventually([&] { return activity("stream").answerReady; }, std::chrono::seconds(15)));
    EXPECT_FALSE(activity("stream").answering);
    EXPECT_EQ(activity("stream").answersFinished, 1u);
    ASSERT_EQ(notifier.sent.size(), 1u);
    EXPECT_EQ(notifier.sent[0].title, "stream has answered");
    EXPECT_TRUE(notifier.sent[0].body.starts_with("Sorting nearly sorted data is fastest")) << notifier.sent[0].body;
    EXPECT_LE(g_utf8_strlen(notifier.sent[0].body.c_str(), -1), 100);

    // Clicking the notice shows the service, and the answer counts as seen.
    const auto page = answerActivity.activateNotice(notifier.sent[0].id);
    ASSERT_TRUE(page.has_value());
    state.showService(page->serviceID, page->copy);
    EXPECT_EQ(state.currentTabID(), tagID("stream"));
    EXPECT_FALSE(activity("stream").answerReady);
    EXPECT_FALSE(answerActivity.activateNotice(notifier.sent[0].id)) << "a click counts once";
}

TEST_F(AnswerActivityTest, AWholeMessageRenderedAnewOnEveryTokenIsAnAnswerTooButNoNoticeForTheServiceShown) {
    pane();
    state.selectTab(tagID("render"));
    start("render");
    ASSERT_TRUE(eventually([&] { return activity("render").answering; }, std::chrono::seconds(15)));
    ASSERT_TRUE(eventually([&] { return activity("render").answersFinished == 1; }, std::chrono::seconds(15)));
    EXPECT_FALSE(activity("render").answerReady) << "seen where it was answered";
    EXPECT_TRUE(notifier.sent.empty());

    // Not on screen while the window is not active: the same answer is then a notice.
    windowActive = false;
    evaluateScript(existingView(tagID("render")), "start(); 1");
    ASSERT_TRUE(eventually([&] { return activity("render").answersFinished == 2; }, std::chrono::seconds(20)));
    EXPECT_TRUE(activity("render").answerReady);
    EXPECT_EQ(notifier.sent.size(), 1u);
    settings.setNotifyWhenAnswered(false);
    evaluateScript(existingView(tagID("render")), "start(); 1");
    ASSERT_TRUE(eventually([&] { return activity("render").answersFinished == 3; }, std::chrono::seconds(20)));
    EXPECT_EQ(notifier.sent.size(), 1u) << "the setting is off";
}

// A clock, a spinner, hidden text, one whole message and the user's typing, all at once,
// while a real answer streams elsewhere: only that one answers.
TEST_F(AnswerActivityTest, ClocksSpinnersHiddenTextOneOffMessagesAndTypingAreNoAnswer) {
    pane();
    state.selectTab(tagID("one"));
    ASSERT_TRUE(ready("stream"));
    start("quiet");
    evaluateScript(existingView(tagID("stream")), "start(); 1");
    ASSERT_TRUE(eventually([&] { return activity("stream").answersFinished == 1; }, std::chrono::seconds(20)));
    EXPECT_FALSE(everAnswering.contains(tagID("quiet")));
    EXPECT_EQ(activity("quiet"), ServiceActivity{});
    EXPECT_TRUE(everAnswering.contains(tagID("stream")));
}

TEST_F(AnswerActivityTest, AnAnswerInsideAnOpenShadowRootCounts) {
    pane();
    state.selectTab(tagID("one"));
    start("shadow");
    ASSERT_TRUE(eventually([&] { return activity("shadow").answering; }, std::chrono::seconds(15)));
    ASSERT_TRUE(eventually([&] { return activity("shadow").answerReady; }, std::chrono::seconds(15)));
    ASSERT_EQ(notifier.sent.size(), 1u);
    EXPECT_TRUE(notifier.sent[0].body.starts_with("shadow0 shadow1")) << notifier.sent[0].body;
}

TEST_F(AnswerActivityTest, ATitleThatStartsWithACountShowsIt) {
    for (const auto& [title, count] : std::vector<std::pair<std::string, std::optional<int>>>{
             {"(3) Inbox", 3}, {" (12+) Chat", 12}, {"(0) Chat", std::nullopt}, {"Chat (3)", std::nullopt},
             {"(three) Chat", std::nullopt}, {"(99999999) x", std::nullopt}})
        EXPECT_EQ(unreadCountInTitle(title), count) << title;
    pane();
    ASSERT_TRUE(ready("two"));
    evaluateScript(existingView(tagID("two")), "document.title = '(4) two'; 1");
    EXPECT_TRUE(eventually([&] { return activity("two").unread == 4; }));
    evaluateScript(existingView(tagID("two")), "document.title = 'two'; 1");
    EXPECT_TRUE(eventually([&] { return !activity("two").unread; }));
}

}  // namespace
