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
    std::string box;        // a selector for the message box
    std::string sendButton; // clicked to send; empty: Enter sends
    bool multiline;         // whether Shift+Enter makes a second line
};

void PrintTo(const Fixture& fixture, std::ostream* out) { *out << fixture.name; }

// The fixture pages in the real engine, typed into with real key presses and clicked with the
// real pointer: each sends exactly what was typed, once, through its own editor's state.
class EditorFixturesTest : public WebFixture {
protected:
    // The page shown in a window, with its message box in place.
    WebKitWebView* open(const std::string& name, const std::string& box) {
        auto* view = store.page(tab(name, "/editors/" + name + ".html"), Pane::primary).view();
        window = show(view);
        EXPECT_TRUE(loaded(name));
        EXPECT_TRUE(eventually([&] { return evaluate(view, "!!document.querySelector('" + box + "')") == "true"; }))
            << name << " has no message box";
        gtk_widget_grab_focus(GTK_WIDGET(view));
        return view;
    }
    // A real click in the middle of the page's element.
    void clickOn(WebKitWebView* view, const std::string& selector) {
        std::istringstream centre(evaluate(
            view, "(() => { const r = document.querySelector('" + selector +
                      "').getBoundingClientRect(); return `${r.x + r.width / 2} ${r.y + r.height / 2}`; })()"));
        double x = -1, y = -1;
        ASSERT_TRUE(centre >> x >> y) << selector << " is not on the page";
        clickWithPointer(*Glib::wrap(GTK_WIDGET(view)), x, y);
        runLoopFor(std::chrono::milliseconds(100));
    }
    // Types with real key presses and waits until the box shows the text: the engine takes
    // key presses in its own time, and a click may overtake them.
    void typeInto(WebKitWebView* view, const std::string& box, const std::string& text) {
        typeText(window, text);
        const auto shown = [&] {
            return evaluate(view, "(b => (b.value ?? b.innerText).replace(/\\s+/g, ' '))(document.querySelector('" + box + "'))");
        };
        std::string words = text;
        for (auto at = words.find("  "); at != std::string::npos; at = words.find("  ")) words.erase(at, 1);
        EXPECT_TRUE(eventually([&] { return shown().find(words) != std::string::npos; }))
            << "typed " << text << " but the box shows " << shown();
    }
    bool enabled(WebKitWebView* view, const std::string& selector) {
        return evaluate(view, "document.querySelector('" + selector + "').disabled") == "false";
    }

    EditorFixtures fixtures{server};
    GtkWindow* window = nullptr;
};

class EachEditorFixture : public EditorFixturesTest, public ::testing::WithParamInterface<Fixture> {};

TEST_P(EachEditorFixture, SendsExactlyTheTypedTextOnceAndEmptiesItsBox) {
    const auto& [name, box, sendButton, multiline] = GetParam();
    auto* view = open(name, box);
    clickOn(view, box);
    ASSERT_TRUE(eventually([&] { return evaluate(view, "document.querySelector('" + box + "').contains(document.activeElement)") == "true"; }))
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

    ASSERT_TRUE(eventually([&] { return !fixtures.received(name).empty(); })) << name << " sent nothing";
    settle();
    EXPECT_EQ(fixtures.received(name), std::vector<std::string>{expected});
    EXPECT_EQ(evaluate(view, "document.querySelector('#messages').innerText.trim()"), expected)
        << "the message list shows what was sent";
    const auto left = evaluate(view, "(b => b.value ?? b.textContent)(document.querySelector('" + box + "'))");
    EXPECT_EQ(left, "") << "the box keeps text after sending";
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EachEditorFixture,
    ::testing::Values(Fixture{"react-textarea", "textarea", "button[aria-label=Send]", true},
                      Fixture{"prosemirror", ".ProseMirror", "", true},
                      Fixture{"quill", ".ql-editor", "button[title=发送]", true},
                      Fixture{"lexical", "[contenteditable]", "button[type=submit]", true},
                      Fixture{"contenteditable", "[contenteditable]", "", true},
                      Fixture{"text-input", "input[type=text]", "", false}),
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
    evaluate(view, "const b = document.querySelector('button[aria-label=Send]'); b.disabled = false; b.click()");
    settle();
    EXPECT_TRUE(fixtures.received("react-textarea").empty()) << "sent a value React never saw";
}

}  // namespace
