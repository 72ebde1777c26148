#include <gtkmm/widget.h>

#include <sstream>

#include "integration/EditorFixtures.hpp"
#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// A fixture page and what a user does there: the message box, and how a message leaves.
struct Fixture {
    std::string name;
    std::string box;        // a selector for the message box; `host >>> inner` reaches into a shadow root
    std::string sendButton; // clicked to send; empty: Enter sends
    bool multiline;         // whether Shift+Enter makes a second line
};

// A script expression for the element `selector` names, also inside open shadow roots.
std::string element(const std::string& selector) {
    return "('" + selector + "').split(' >>> ').reduce((root, part) => (root.shadowRoot || root).querySelector(part), document)";
}

void PrintTo(const Fixture& fixture, std::ostream* out) { *out << fixture.name; }

// The fixture pages in the real engine, typed into with real key presses and clicked with the
// real pointer: each sends exactly what was typed, once, through its own editor's state.
class EditorFixturesTest : public WebFixture {
protected:
    // The page shown in a window, with its message box in place.
    WebKitWebView* open(const std::string& name, const std::string& box) {
        auto* view = store.page(tab(name, "/editors/" + name + ".html")).view();
        window = show(view);
        EXPECT_TRUE(loaded(name));
        EXPECT_TRUE(eventually([&] { return evaluate(view, "!!" + element(box)) == "true"; }))
            << name << " has no message box";
        gtk_widget_grab_focus(GTK_WIDGET(view));
        return view;
    }
    // A real click in the middle of the page's element.
    void clickOn(WebKitWebView* view, const std::string& selector) {
        std::istringstream centre(evaluate(
            view, "(r => `${r.x + r.width / 2} ${r.y + r.height / 2}`)(" + element(selector) + ".getBoundingClientRect())"));
        double x = -1, y = -1;
        ASSERT_TRUE(centre >> x >> y) << selector << " is not on the page";
        clickWithPointer(*Glib::wrap(GTK_WIDGET(view)), x, y);
    }
    // Types with real key presses and waits until the box shows the text: the engine takes
    // key presses in its own time, and a click may overtake them.
    void typeInto(WebKitWebView* view, const std::string& box, const std::string& text) {
        typeText(window, text);
        const auto shown = [&] {
            return evaluate(view, "(b => (b.matches('textarea, input') ? b.value : b.innerText).replace(/\\s+/g, ' '))(" + element(box) + ")");
        };
        std::string words = text;
        for (auto at = words.find("  "); at != std::string::npos; at = words.find("  ")) words.erase(at, 1);
        EXPECT_TRUE(eventually([&] { return shown().find(words) != std::string::npos; }))
            << "typed " << text << " but the box shows " << shown();
    }
    // Whether the button is there and can be pressed.
    bool enabled(WebKitWebView* view, const std::string& selector) {
        return evaluate(view, "(b => !!b && !b.disabled)(" + element(selector) + ")") == "true";
    }
    std::string messagesShown(WebKitWebView* view) {
        return evaluate(view, "document.querySelector('#messages').innerText.trim()");
    }

    EditorFixtures fixtures{server};
    GtkWindow* window = nullptr;
};

class EachEditorFixture : public EditorFixturesTest, public ::testing::WithParamInterface<Fixture> {};

TEST_P(EachEditorFixture, SendsExactlyTheTypedTextOnceAndEmptiesItsBox) {
    const auto& [name, box, sendButton, multiline] = GetParam();
    auto* view = open(name, box);
    clickOn(view, box);
    ASSERT_TRUE(eventually([&] { return evaluate(view, "(b => b.contains(b.getRootNode().activeElement))(" + element(box) + ")") == "true"; }))
        << "the click did not give the box the keyboard";
    if (!sendButton.empty()) {
        EXPECT_FALSE(enabled(view, sendButton)) << "send is enabled before any input";
    }

    // Quotes, markup, a backslash and runs of spaces, which editors like to turn into something else.
    const std::string first = R"(He said "it's <b>x</b>" & 2\3  spaced   out)";
    std::string expected = first;
    typeInto(view, box, first);
    if (multiline) {
        pressKeys(window, "shift+Return");
        typeInto(view, box, "second line");
        expected += "\nsecond line";
    }
    if (sendButton.empty()) {
        pressKeys(window, "Return");
    } else {
        ASSERT_TRUE(eventually([&] { return enabled(view, sendButton); })) << "send stays disabled after typing";
        clickOn(view, sendButton);
    }

    // Sent once the message list shows it and the box is empty again (a zero-width space is
    // how some editors hold an empty line open); a second send would show a second message.
    const auto left = [&] {
        return evaluate(view, "(b => (b.matches('textarea, input') ? b.value : b.textContent).replace(/\\uFEFF/g, ''))(" + element(box) + ")");
    };
    ASSERT_TRUE(eventually([&] { return !fixtures.received(name).empty() && !messagesShown(view).empty(); }))
        << name << " sent nothing";
    EXPECT_TRUE(eventually([&] { return left().empty(); })) << "the box keeps " << left() << " after sending";
    EXPECT_EQ(messagesShown(view), expected) << "the message list shows what was sent, once";
    EXPECT_EQ(fixtures.received(name), std::vector<std::string>{expected});
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EachEditorFixture,
    ::testing::Values(Fixture{"react-textarea", "textarea", "button[aria-label=Send]", true},
                      Fixture{"prosemirror", ".ProseMirror", "", true},
                      Fixture{"quill", ".ql-editor", "button[title=发送]", true},
                      Fixture{"lexical", "[contenteditable]", "button[type=submit]", true},
                      Fixture{"contenteditable", "[contenteditable]", "", true},
                      Fixture{"text-input", "input[type=text]", "", false},
                      Fixture{"slate", "[data-slate-editor]", "", true},
                      Fixture{"draft", ".public-DraftEditor-content", "#composer button", true},
                      Fixture{"tiptap", ".tiptap", "", true},
                      Fixture{"codemirror", ".cm-content", "#composer button", true},
                      Fixture{"trix", "trix-editor", "button[type=submit]", true},
                      Fixture{"ckeditor", ".ck-editor__editable", "#composer > button", true},
                      Fixture{"shadow-box", "chat-input >>> [contenteditable]", "chat-input >>> button", true},
                      Fixture{"send-appears", "textarea", "button[aria-label=Send]", true},
                      Fixture{"form-editable", "form [contenteditable]", "", true},
                      Fixture{"batched-model", "[contenteditable]", "", true}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase(name, '-');
        return name;
    });

TEST_F(EditorFixturesTest, TheReactTextareaIgnoresAValueSetBehindReactsBack) {
    auto* view = open("react-textarea", "textarea");
    // Set as a careless script would, with an input event after it, then its button pressed,
    // even forced on: React's own record of the value already holds 'x', so it sees no change.
    evaluate(view, "const t = document.querySelector('textarea'); t.value = 'x'; t.dispatchEvent(new Event('input', {bubbles: true}))");
    EXPECT_FALSE(enabled(view, "button[aria-label=Send]")) << "React saw a value it was never told of";
    // React handles a click before click() returns: a page that sent would list it now.
    evaluate(view, "const b = document.querySelector('button[aria-label=Send]'); b.disabled = false; b.click()");
    EXPECT_EQ(messagesShown(view), "") << "sent a value React never saw";
    EXPECT_TRUE(fixtures.received("react-textarea").empty());
}

}  // namespace
