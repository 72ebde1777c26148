#include "integration/EditorFixtures.hpp"
#include <giomm/menu.h>

#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "ui/MainWindow.hpp"
#include "integration/WebFixture.hpp"
#include "web/AskSeveralDelivery.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// What a chat page sends is posted back to the server, as the page's own code holds it.
constexpr const char* reportSent = R"JS(
function report(text) {
    fetch('/received/' + location.pathname.slice(1), {method: 'POST', body: text,
          headers: {'Content-Type': 'text/plain;charset=utf-8'}});
    const item = document.createElement('p');
    item.textContent = text;
    document.getElementById('messages').append(item);
}
)JS";

// A textarea whose script keeps its own copy of the text from input events (as a
// framework does), with an icon-only send button enabled only once there is text.
constexpr const char* textareaPage = R"HTML(<title>area</title>
<input type=search placeholder=Search><div id=messages></div>
<div style="position:fixed;bottom:10px;left:10px;right:10px;display:flex">
<textarea id=box rows=3 style="flex:1"></textarea>
<button id=send aria-label=Send disabled><svg width=16 height=16><circle cx=8 cy=8 r=6 /></svg></button></div>
<script>let held = '';
box.addEventListener('input', () => { held = box.value; send.disabled = !held; });
send.addEventListener('click', () => { report(held); box.value = held = ''; send.disabled = true; });
</script>)HTML";

// A rich box: Enter sends what the input events left in it, Shift+Enter is a new line.
constexpr const char* editablePage = R"HTML(<title>editable</title><div id=messages></div>
<div id=box contenteditable=true role=textbox
 style="position:fixed;bottom:10px;left:10px;right:10px;min-height:40px;white-space:pre-wrap"></div>
<script>box.addEventListener('keydown', e => {
    if (e.key !== 'Enter' || e.shiftKey) return;
    e.preventDefault();
    report(box.innerText.replace(/\n$/, ''));
    box.textContent = '';
});</script>)HTML";

// A one-line field in a form that sends on its submit event.
constexpr const char* formPage = R"HTML(<title>form</title><div id=messages></div>
<form id=form style="position:fixed;bottom:10px;left:10px;right:10px">
<input id=box type=text style="width:80%"><button>Send</button></form>
<script>form.addEventListener('submit', e => { e.preventDefault(); report(box.value); box.value = ''; });</script>)HTML";

// A page whose own world breaks the tools a delivery might borrow from it, and which
// watches for anything it could read.
constexpr const char* hostilePage = R"HTML(<title>hostile</title><div id=messages></div>
<div style="position:fixed;bottom:10px;left:10px;right:10px;display:flex">
<textarea id=box style="flex:1"></textarea><button id=send>Send</button></div>
<script>
box.addEventListener('input', () => { window.seen = box.value; });
send.addEventListener('click', () => { report(window.seen || ''); box.value = ''; });
document.execCommand = () => { throw new Error('no'); };
HTMLElement.prototype.focus = () => { throw new Error('no'); };
EventTarget.prototype.dispatchEvent = () => { throw new Error('no'); };
</script>)HTML";

constexpr const char* noBoxPage = "<title>nobox</title><p>Only reading here.</p>";

class AskSeveralTest : public StateFixture {
protected:
    AskSeveralTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        for (auto [name, body] : {std::pair{"area", textareaPage}, {"editable", editablePage}, {"form", formPage},
                                  {"hostile", hostilePage}, {"nobox", noBoxPage}})
            addPage(name, std::string(body) + (std::string_view(body).find("report(") != std::string_view::npos
                                                   ? std::string("<script>") + reportSent + "</script>"
                                                   : std::string()));
    }
    void addPage(const std::string& name, const std::string& body) {
        server.serve("/" + name, body, "text/html");
        customTabs.add(CustomTab{tagID(name), name, server.url("/" + name), {}, 0});
    }
    std::vector<std::string> receivedBy(const std::string& name) { return editors.received(name); }
    void choose(const std::vector<std::string>& names) {
        for (const auto& tab : state.visibleTabs()) askSeveral.setChosen(tab.id, false);
        for (const auto& name : names) askSeveral.setChosen(tagID(name), true);
    }
    void addEditors() {
        for (const auto& name : EditorFixtures::names())
            customTabs.add(CustomTab{tagID(name), name, editors.url(name), {}, 0});
    }
    // Sends and waits until every target has reported.
    std::map<std::string, AnswerStatus> ask(const std::string& text) {
        askSeveralDelivery.send(askSeveral.targets(), text);
        EXPECT_TRUE(eventually([&] { return !askSeveralDelivery.underWay(); }, std::chrono::seconds(40)));
        return statuses();
    }
    // How the delivery went for each service of the latest ask: one that was sent may be
    // answering already (the fixture pages show what they received).
    std::map<std::string, AnswerStatus> statuses() {
        std::map<std::string, AnswerStatus> out;
        if (const auto* round = rounds.latest())
            for (const auto& entry : round->services) out[entry.serviceID] = entry.sentAt ? AnswerStatus::sent : entry.status;
        return out;
    }
    bool arrived(const std::string& name, std::size_t count) {
        return eventually([&] { return receivedBy(name).size() >= count; });
    }
    // Each of the pages said it sent, and received exactly `text`, once.
    void expectSentOnce(const std::map<std::string, AnswerStatus>& statuses, const std::vector<std::string>& names,
                        const std::string& text) {
        for (const auto& name : names) {
            EXPECT_EQ(statuses.at(tagID(name)), AnswerStatus::sent) << name;
            if (!arrived(name, 1)) ADD_FAILURE() << name << " received nothing";
            EXPECT_EQ(receivedBy(name), std::vector<std::string>{text}) << name;
        }
    }

    EditorFixtures editors{server};
};

TEST_F(AskSeveralTest, TheExactTextArrivesOnceInEachChosenPageAndNowhereElse) {
    pane();
    state.selectTab(tagID("area"));
    choose({"area", "editable", "hostile"});
    const std::string text = "First line\n\tTabbed <b>x</b> <script>alert(1)</script> \"quoted\" 'single' back\\slash\n"
                             "中文 繁體 😀 עברית مرحبا";
    const auto statuses = ask(text);
    expectSentOnce(statuses, {"area", "editable", "hostile"}, text);
    EXPECT_EQ(statuses.size(), 3u);
    EXPECT_TRUE(receivedBy("form").empty());
    EXPECT_TRUE(receivedBy("nobox").empty());
    EXPECT_EQ(state.currentTabID(), tagID("area")) << "no pane changes what it shows";

    // One line for a one-line field; a form sends through its own submit.
    choose({"form"});
    EXPECT_EQ(ask("one line, 中文 & <i>more</i>").at(tagID("form")), AnswerStatus::sent);
    ASSERT_TRUE(arrived("form", 1));
    EXPECT_EQ(receivedBy("form"), std::vector<std::string>{"one line, 中文 & <i>more</i>"});
    EXPECT_EQ(receivedBy("area").size(), 1u) << "an unchosen page gets nothing";
}

// Message boxes built with real editor libraries, each sending its own way: the text its own
// editor holds is the text typed, once, new lines included where they were.
TEST_F(AskSeveralTest, RealEditorsGetTheTextAsTypedAndSendItTheirOwnWay) {
    pane();
    addEditors();
    const std::string lines = "Compare these:\n  1. <b>bold</b> & \"quotes\"\n\t2. 中文，日本語、😀";
    const std::vector<std::string> multiLine = {"react-textarea", "prosemirror", "quill",      "lexical",
                                                "contenteditable", "slate",     "draft",      "tiptap",
                                                "codemirror",     "trix",        "ckeditor"};
    choose(multiLine);
    const auto statuses = ask(lines);
    expectSentOnce(statuses, multiLine, lines);
    EXPECT_TRUE(receivedBy("text-input").empty());

    // Once more into boxes that have sent before.
    const std::string single = "a single line: 'x' \\ y";
    choose({"text-input", "quill", "draft"});
    const auto second = ask(single);
    EXPECT_EQ(second.at(tagID("text-input")), AnswerStatus::sent);
    EXPECT_TRUE(arrived("text-input", 1));
    EXPECT_EQ(receivedBy("text-input"), std::vector<std::string>{single});
    for (const char* name : {"quill", "draft"}) {
        EXPECT_TRUE(arrived(name, 2)) << name;
        EXPECT_EQ(receivedBy(name), (std::vector<std::string>{lines, single})) << name;
    }
}

// Boxes a search might miss or a send that has to be waited for: a box inside an open shadow
// root, a send button that only appears a moment after there is text, an editable element in
// a form that sends on submit.
TEST_F(AskSeveralTest, BoxesInShadowRootsFormsOrWithALateSendButtonGetTheTextOnce) {
    pane();
    addEditors();
    const std::string lines = "first line <b>x</b> & \"quotes\" 'single'\nsecond line 中文 😀";
    const std::vector<std::string> pages = {"shadow-box", "send-appears", "form-editable"};
    choose(pages);
    const auto statuses = ask(lines);
    expectSentOnce(statuses, pages, lines);
}

// An editor that applies typed text to its own model on its next task, but a line break at
// once where its caret is: each line has to have landed before the next key.
TEST_F(AskSeveralTest, EachLineLandsBeforeTheLineBreakAfterIt) {
    pane();
    addEditors();
    const std::string lines = "first line <b>x</b> & \"quotes\"\nsecond line 中文 😀\n\nafter an empty line";
    choose({"batched-model"});
    EXPECT_EQ(ask(lines).at(tagID("batched-model")), AnswerStatus::sent);
    EXPECT_TRUE(arrived("batched-model", 1));
    EXPECT_EQ(receivedBy("batched-model"), std::vector<std::string>{lines});
}

// Long enough that it goes in as a paste would. Asked in rounds: a hundred kilobytes into every
// editor at once is more than two busy cores do within the delivery's time limit, and Slate,
// drawing a block per line, takes much of it alone.
TEST_F(AskSeveralTest, ALongPromptArrivesWhole) {
    pane();
    addEditors();
    std::string text = "Ask several services at once";
    while (text.size() < 100 * 1024) text += "\n同时提问, line " + std::to_string(text.size());
    for (const std::vector<std::string>& pages :
         {std::vector<std::string>{"area", "react-textarea", "prosemirror", "quill", "lexical", "contenteditable",
                                   "shadow-box", "send-appears", "form-editable"},
          std::vector<std::string>{"draft", "tiptap", "codemirror", "trix", "ckeditor"},
          std::vector<std::string>{"slate"}}) {
        choose(pages);
        const auto statuses = ask(text);
        for (const auto& name : pages) {
            EXPECT_EQ(statuses.at(tagID(name)), AnswerStatus::sent) << name;
            ASSERT_TRUE(arrived(name, 1)) << name;
            EXPECT_EQ(receivedBy(name).size(), 1u) << name;
            EXPECT_TRUE(receivedBy(name).front() == text) << name << " received " << receivedBy(name).front().size() << " bytes";
        }
    }
}

// Loaded when first opened: a service not opened yet gets its page made and loaded for
// the prompt, behind the one shown.
TEST_F(AskSeveralTest, APageNotLoadedYetIsLoadedAndWaitedFor) {
    settings.setLoadServicesWhenOpened(true);
    auto& shown = pane();
    state.selectTab(tagID("one"));
    ASSERT_TRUE(loaded(tagID("one")));
    ASSERT_EQ(existingView(tagID("area")), nullptr);
    choose({"area"});
    askSeveralDelivery.send(askSeveral.targets(), "wake up");
    EXPECT_EQ(statuses().at(tagID("area")), AnswerStatus::sending);
    ASSERT_TRUE(eventually([&] { return !askSeveralDelivery.underWay(); }, std::chrono::seconds(40)));
    EXPECT_EQ(statuses().at(tagID("area")), AnswerStatus::sent);
    EXPECT_TRUE(arrived("area", 1));
    EXPECT_EQ(shown.shownWebView(), existingView(tagID("one")));
}

// Script-built pages draw their message box some time after they have loaded.
TEST_F(AskSeveralTest, AMessageBoxDrawnAfterThePageLoadedIsWaitedFor) {
    addPage("late", std::string("<title>late</title><div id=messages></div><script>") + reportSent +
                        "addEventListener('load', () => setTimeout(() => document.body.insertAdjacentHTML('beforeend',"
                        " '<form id=form><textarea id=box></textarea><button>Send</button></form>'), 1500));"
                        "document.addEventListener('submit', e => { e.preventDefault(); report(box.value); });</script>");
    pane();
    choose({"late"});
    EXPECT_EQ(ask("are you there?").at(tagID("late")), AnswerStatus::sent);
    ASSERT_TRUE(arrived("late", 1));
    EXPECT_EQ(receivedBy("late"), std::vector<std::string>{"are you there?"});
}

TEST_F(AskSeveralTest, EachTargetSaysWhatBecameOfItsPrompt) {
    pane();
    // A page that leaves as soon as text goes in, one that never answers, and one gone.
    addPage("leaves", "<title>leaves</title><textarea id=box style='position:fixed;bottom:0;width:90%'></textarea>"
                      "<script>box.addEventListener('input', () => location.href = '/one');</script>");
    const int port = std::make_unique<LocalServer>()->port();
    customTabs.add(CustomTab{tagID("gone"), "gone", "http://127.0.0.1:" + std::to_string(port) + "/", {}, 0});
    choose({"nobox", "leaves", "gone", "area"});
    const auto statuses = ask("status?");
    EXPECT_EQ(statuses.at(tagID("nobox")), AnswerStatus::noMessageBox);
    EXPECT_EQ(statuses.at(tagID("leaves")), AnswerStatus::couldNotSend);
    EXPECT_EQ(statuses.at(tagID("gone")), AnswerStatus::pageDidNotLoad);
    EXPECT_EQ(statuses.at(tagID("area")), AnswerStatus::sent);
    EXPECT_TRUE(arrived("area", 1));
}

}  // namespace

namespace {

// The composer in the whole main window, with the app's commands, driven by real keys.
class AskSeveralComposerTest : public AskSeveralTest {
protected:
    AskSeveralComposerTest() {
        presentWithCommands(window, {[] {}, [] {}, [] {}, [this] { askSeveral.setOpen(!askSeveral.isOpen().get()); }});
    }
    void press(const std::string& keys) { pressKeys(GTK_WINDOW(window.gobj()), keys); }
    GtkWidget* field() {
        for (GtkWidget* view : widgetsOfType(window, GTK_TYPE_TEXT_VIEW))
            if (gtk_widget_has_css_class(view, "ask-several-field")) return view;
        return nullptr;
    }
    std::string fieldText() {
        GtkTextIter start, end;
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(field()));
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        g_autofree char* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
        return text;
    }
    // The status line of the service's toggle, as shown.
    std::string statusOf(const std::string& name) {
        for (GtkWidget* toggle : widgetsOfType(window, GTK_TYPE_TOGGLE_BUTTON)) {
            auto labels = widgetsOfType(*Glib::wrap(toggle), GTK_TYPE_LABEL);
            if (labels.size() == 2 && gtk_label_get_text(GTK_LABEL(labels[0])) == name)
                return gtk_widget_get_visible(labels[1]) ? gtk_label_get_text(GTK_LABEL(labels[1])) : "";
        }
        return "(no toggle)";
    }

    MainWindow window{context, Gio::Menu::create()};
};

TEST_F(AskSeveralComposerTest, EnterAsksShiftEnterBreaksTheLineAndTheKeyboardStaysInTheComposer) {
    state.selectTab(tagID("area"));
    ASSERT_TRUE(loaded(tagID("area")));
    choose({"area", "editable"});
    auto* page = existingView(tagID("area"));
    gtk_widget_grab_focus(GTK_WIDGET(page));
    press("ctrl+shift+k");
    ASSERT_TRUE(eventually([&] { return askSeveral.isOpen().get(); }));
    ASSERT_TRUE(eventually([&] { return gtk_widget_has_focus(field()); })) << "opening puts the keyboard in the field";
    // Keys reach the field once it is on screen.
    ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(field()); }));

    typeText(GTK_WINDOW(window.gobj()), "first line");
    ASSERT_TRUE(eventually([&] { return fieldText() == "first line"; })) << fieldText();
    press("shift+Return");
    typeText(GTK_WINDOW(window.gobj()), "second");
    ASSERT_TRUE(eventually([&] { return fieldText() == "first line\nsecond"; })) << fieldText();
    press("Return");
    ASSERT_TRUE(arrived("area", 1) && arrived("editable", 1));
    EXPECT_EQ(receivedBy("area"), std::vector<std::string>{"first line\nsecond"});
    EXPECT_EQ(receivedBy("editable"), std::vector<std::string>{"first line\nsecond"});
    EXPECT_TRUE(eventually([&] { return fieldText().empty(); })) << "all sent: the field is cleared";
    EXPECT_EQ(statusOf("area"), "Sent");
    EXPECT_EQ(statusOf("one"), "") << "no status for a service not asked";
    EXPECT_TRUE(gtk_widget_has_focus(field())) << "delivery does not take the keyboard";
    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(statusOf("area"), "已送出");

    // Up recalls the prompt; a prompt that did not reach every target stays in the field.
    press("Up");
    EXPECT_TRUE(eventually([&] { return fieldText() == "first line\nsecond"; })) << fieldText();
    press("Down");
    EXPECT_TRUE(eventually([&] { return fieldText().empty(); })) << fieldText();
    choose({"area", "nobox"});
    typeText(GTK_WINDOW(window.gobj()), "again");
    ASSERT_TRUE(eventually([&] { return fieldText() == "again"; }));
    press("Return");
    ASSERT_TRUE(eventually([&] { return !askSeveralDelivery.underWay() && statusOf("nobox") == "找不到輸入框"; }));
    EXPECT_EQ(fieldText(), "again");

    press("Escape");
    EXPECT_TRUE(eventually([&] { return !askSeveral.isOpen().get(); }));
    EXPECT_TRUE(eventually([&] { return gtk_widget_has_focus(GTK_WIDGET(page)); })) << "the page has the keyboard again";
}

}  // namespace
