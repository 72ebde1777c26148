#include "integration/AnswerSources.hpp"
#include "integration/EditorFixtures.hpp"
#include "integration/WebFixture.hpp"
#include "web/page/AnswerReader.hpp"
#include "web/page/PromptDelivery.hpp"

using namespace corvina;
using namespace corvina::testing;
using namespace std::chrono_literals;

namespace {

constexpr const char* prompt = "Please show me what you can write";

// The answering fixture page in the real engine: a prompt goes in as the app sends it,
// after the mark, and the answer is read once the page has finished streaming it.
class AnswerReaderTest : public WebFixture {
protected:
    WebKitWebView* open(const std::string& query) {
        auto* view = store.page(tab("answers", "/editors/answer-chat.html?" + query)).view();
        show(view);
        EXPECT_TRUE(loaded("answers"));
        EXPECT_TRUE(eventually([&] { return evaluate(view, "!!document.querySelector('textarea')") == "true"; }));
        return view;
    }
    // The page's `count`th answer, asked with `text`, has finished.
    void ask(WebKitWebView* view, const std::string& text, int count) {
        markAnswerStart(view, text);
        std::optional<DeliveryOutcome> outcome;
        deliverPrompt(view, text, [&](DeliveryOutcome result) { outcome = result; });
        ASSERT_TRUE(eventually([&] { return outcome.has_value(); }, 30s));
        ASSERT_EQ(*outcome, DeliveryOutcome::sent);
        ASSERT_TRUE(eventually([&] { return evaluate(view, "document.body.dataset.answers") == std::to_string(count); },
                               60s))
            << "the page did not finish answering";
    }
    PageAnswer read(WebKitWebView* view) {
        std::optional<PageAnswer> answer;
        int calls = 0;
        readAnswer(view, [&](PageAnswer given) {
            answer = std::move(given);
            ++calls;
        });
        EXPECT_TRUE(eventually([&] { return answer.has_value(); }, 30s)) << "no answer came back";
        EXPECT_TRUE(runPostedWork());
        EXPECT_EQ(calls, 1);
        return answer.value_or(PageAnswer{});
    }
    // Nothing but the answer: not the question, the earlier turns, or the page's controls.
    static void expectOnlyTheAnswer(const std::string& markdown) {
        for (const char* other : {prompt, "What is a fixture?", "known state", "Copy", "Regenerate", "Edit", "Send"})
            EXPECT_EQ(markdown.find(other), std::string::npos) << "the answer holds \"" << other << "\":\n" << markdown;
    }

    EditorFixtures fixtures{server};
};

// Where the page draws its answers: in its own elements, inside an open shadow root, and in
// light children a shadow root shows through a slot.
class EachAnswerLayout : public AnswerReaderTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(EachAnswerLayout, ReadsTheStreamedAnswerAsItsMarkdown) {
    auto* view = open("answer=constructs" + GetParam());
    ask(view, prompt, 1);
    const PageAnswer answer = read(view);
    ASSERT_TRUE(answer.markdown.has_value()) << "no answer found";
    EXPECT_FALSE(answer.cut);
    EXPECT_EQ(spaced(*answer.markdown), spaced(answerSource("constructs"))) << *answer.markdown;
    expectOnlyTheAnswer(*answer.markdown);
}

INSTANTIATE_TEST_SUITE_P(Layouts, EachAnswerLayout, ::testing::Values("", "&shadow=inside", "&shadow=slotted"),
                         [](const auto& info) {
                             return info.param.empty() ? std::string("plain") : info.param.substr(info.param.find('=') + 1);
                         });

TEST_F(AnswerReaderTest, CharactersThatMeanSomethingInMarkdownStayText) {
    auto* view = open("answer=special");
    ask(view, prompt, 1);
    const PageAnswer answer = read(view);
    ASSERT_TRUE(answer.markdown.has_value());
    EXPECT_EQ(spaced(*answer.markdown), spaced(answerSource("special"))) << *answer.markdown;
}

TEST_F(AnswerReaderTest, ASecondAskGivesOnlyTheSecondAnswer) {
    auto* view = open("answer=constructs,second");
    ask(view, prompt, 1);
    ASSERT_TRUE(read(view).markdown.has_value());
    ask(view, "And once more, briefly", 2);
    const PageAnswer answer = read(view);
    ASSERT_TRUE(answer.markdown.has_value());
    EXPECT_EQ(spaced(*answer.markdown), spaced(answerSource("second"))) << *answer.markdown;
    expectOnlyTheAnswer(*answer.markdown);
    EXPECT_EQ(answer.markdown->find("once more"), std::string::npos) << "the second prompt's echo is in the answer";
}

TEST_F(AnswerReaderTest, AVeryLargeAnswerIsCutAtTheLimitOnACharacterBoundary) {
    auto* view = open("answer=large");
    ask(view, prompt, 1);
    const PageAnswer answer = read(view);
    ASSERT_TRUE(answer.markdown.has_value());
    EXPECT_TRUE(answer.cut);
    const std::string& markdown = *answer.markdown;
    EXPECT_LE(markdown.size(), maxAnswerBytes);
    EXPECT_GT(markdown.size(), maxAnswerBytes - 4) << "cut well before the limit";
    EXPECT_TRUE(g_utf8_validate(markdown.data(), static_cast<gssize>(markdown.size()), nullptr));
    const std::string start = spaced(markdown);
    EXPECT_EQ(spaced(answerSource("large")).compare(0, start.size(), start), 0) << "not the answer's start";
}

TEST_F(AnswerReaderTest, APageThatShowsNoAnswerGivesNone) {
    auto* view = open("answer=none");
    ask(view, prompt, 1);
    const PageAnswer answer = read(view);
    EXPECT_FALSE(answer.markdown.has_value()) << *answer.markdown;
    EXPECT_FALSE(answer.cut);
}

TEST_F(AnswerReaderTest, WithoutAMarkOrWithNothingNewThereIsNoAnswer) {
    auto* view = open("answer=brief");
    EXPECT_FALSE(read(view).markdown.has_value()) << "read an answer without a mark";
    markAnswerStart(view, prompt);
    EXPECT_FALSE(read(view).markdown.has_value()) << "read an answer the page did not add";
}

}  // namespace
