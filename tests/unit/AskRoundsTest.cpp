#include <gtest/gtest.h>

#include "app/AskRounds.hpp"
#include "app/RoundMarkdown.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

std::size_t occurrences(const std::string& haystack, const std::string& needle) {
    std::size_t count = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
    return count;
}

class AskRoundsTest : public ::testing::Test {
protected:
    ManualMainQueue queue;
    AskRounds rounds{queue};
    ServiceNames names = [](const std::string& id) { return "Name of " + id; };
};

TEST_F(AskRoundsTest, KeepsTheTwentyNewestRoundsNewestFirst) {
    int changes = 0;
    auto watch = rounds.observe([&] { ++changes; });
    for (int i = 1; i <= 25; ++i) rounds.begin("prompt " + std::to_string(i), {"a"});
    EXPECT_EQ(changes, 25);
    ASSERT_EQ(rounds.all().size(), AskRounds::kept);
    EXPECT_EQ(rounds.latest()->prompt, "prompt 25");
    EXPECT_EQ(rounds.all().back().prompt, "prompt 6");
    EXPECT_EQ(rounds.find(5), nullptr);
    // Reports for a round no longer kept reach nothing.
    rounds.delivered(5, "a", AnswerStatus::sent);
    EXPECT_EQ(changes, 25);
    watch.disconnect();
}

TEST_F(AskRoundsTest, ReportsInAnyOrderLeaveEachServiceWhereItReallyIs) {
    const auto round = rounds.begin("q", {"a", "b", "c", "d"});
    EXPECT_TRUE(rounds.latest()->delivering());
    queue.advance(Milliseconds{300});
    rounds.delivered(round, "a", AnswerStatus::sent);
    rounds.delivered(round, "b", AnswerStatus::noMessageBox);
    // c's page streams before its delivery has said anything, then the delivery's limit passes.
    queue.advance(Milliseconds{700});
    rounds.answerStarted(round, "c");
    rounds.delivered(round, "c", AnswerStatus::couldNotSend);
    rounds.answerStarted(round, "a");
    queue.advance(Milliseconds{4000});
    rounds.answerFinished(round, "a", "https://a.test/c/1", "**yes**", false);
    rounds.answerFinished(round, "c", "https://c.test/", std::nullopt, false);
    // A failed service's page growing later is not its answer.
    rounds.answerStarted(round, "b");
    rounds.answerFinished(round, "b", "https://b.test/", "stray", false);

    const auto& r = *rounds.latest();
    EXPECT_EQ(r.find("a")->status, AnswerStatus::answered);
    EXPECT_EQ(r.find("a")->took(), Milliseconds{4700});
    EXPECT_EQ(r.find("a")->address, "https://a.test/c/1");
    EXPECT_EQ(r.find("b")->status, AnswerStatus::noMessageBox);
    EXPECT_FALSE(r.find("b")->answer);
    EXPECT_EQ(r.find("c")->status, AnswerStatus::noAnswerFound);
    EXPECT_EQ(r.find("d")->status, AnswerStatus::sending);
    EXPECT_TRUE(r.delivering());
    EXPECT_EQ(r.finishedCount(), 2u);
    EXPECT_TRUE(r.hasAnswers());
    // Another end that is not the same answer going on changes nothing.
    rounds.answerFinished(round, "a", "https://a.test/other", "again", false);
    rounds.answerFinished(round, "a", "https://a.test/other", std::nullopt, false);
    EXPECT_EQ(*rounds.latest()->find("a")->answer, "**yes**");
    // The same answer, paused halfway and gone on: the longer reading wins; none found
    // becomes found.
    rounds.answerFinished(round, "a", "https://a.test/c/1", "**yes** and more", false);
    EXPECT_EQ(*rounds.latest()->find("a")->answer, "**yes** and more");
    rounds.answerFinished(round, "c", "https://c.test/", "late text", false);
    EXPECT_EQ(rounds.latest()->find("c")->status, AnswerStatus::answered);
}

TEST_F(AskRoundsTest, OnlyFinishedAnswersCanBeStarred) {
    const auto round = rounds.begin("q", {"a", "b", "c"});
    for (const char* id : {"a", "b", "c"}) rounds.delivered(round, id, AnswerStatus::sent);
    rounds.answerFinished(round, "a", "", "A", false);
    rounds.answerFinished(round, "c", "", std::nullopt, false);
    rounds.setStarred(round, "b", true);
    rounds.setStarred(round, "a", true);
    rounds.setStarred(round, "c", true);
    EXPECT_EQ(rounds.latest()->starred(), (std::vector<std::string>{"a", "c"}));
    rounds.setStarred(round, "a", false);
    EXPECT_EQ(rounds.latest()->starred(), std::vector<std::string>{"c"});
}

TEST_F(AskRoundsTest, TheExportSaysWhatEachServiceGaveInTheRoundsOrder) {
    const auto round = rounds.begin("What is *a* | b?\nSecond line with <tag> & `code`\n\n# not a heading", {"one", "two", "three", "four"});
    for (const char* id : {"one", "two", "three", "four"}) rounds.delivered(round, id, AnswerStatus::sent);
    rounds.delivered(round, "two", AnswerStatus::couldNotSend);  // late: already sent
    rounds.answerStarted(round, "three");
    queue.advance(Milliseconds{65400});
    rounds.answerFinished(round, "one", "https://one.test/c/9",
                          "## Title\n\n- item\n\n```md\n# kept in code\n```\n\n##### Deep\n\n#not a heading", true);
    rounds.answerFinished(round, "two", "https://two.test/", std::nullopt, false);
    const auto text = roundMarkdown(*rounds.latest(), names, AppLanguage::en);

    EXPECT_EQ(text.rfind("# What is \\*a\\* \\| b?\n\n", 0), 0u) << text;
    EXPECT_NE(text.find("> What is \\*a\\* \\| b?\n> Second line with \\<tag\\> \\& \\`code\\`\n>\n> \\# not a heading\n"),
              std::string::npos) << text;
    const auto one = text.find("## Name of one"), two = text.find("## Name of two"),
               three = text.find("## Name of three"), four = text.find("## Name of four");
    ASSERT_TRUE(one < two && two < three && three < four) << text;
    // The answer's own headings sit under its service's.
    EXPECT_NE(text.find("*Took 1 min 5 s* · <https://one.test/c/9>\n\n#### Title\n\n- item\n\n```md\n# kept in code\n```\n\n"
                        "###### Deep\n\n#not a heading\n"),
              std::string::npos) << text;
    EXPECT_NE(text.find("cut here"), std::string::npos);
    EXPECT_NE(text.find("*No answer found*", two), std::string::npos);
    EXPECT_NE(text.find("*Answering*", three), std::string::npos);
    EXPECT_NE(text.find("*Sent*", four), std::string::npos);
    EXPECT_EQ(occurrences(text, "cut here"), 1u);

    const auto chinese = roundMarkdown(*rounds.latest(), names, AppLanguage::zhCN);
    EXPECT_NE(chinese.find("*用时 1 分 5 秒*"), std::string::npos) << chinese;
    EXPECT_NE(chinese.find("*找不到回答*"), std::string::npos);
}

TEST_F(AskRoundsTest, TheComparePromptLabelsAnswersAndNamesServicesOnlyWhenAsked) {
    const auto round = rounds.begin("Which sort is fastest?", {"x", "y", "z", "w"});
    rounds.answerFinished(round, "x", "", "Quicksort.", false);
    rounds.answerFinished(round, "y", "", std::nullopt, false);
    rounds.answerFinished(round, "z", "", "Merge sort.", false);
    rounds.answerFinished(round, "w", "", "Radix sort.", false);
    const auto blind = comparePrompt(*rounds.latest(), names, AppLanguage::en, false);
    EXPECT_EQ(occurrences(blind, "Which sort is fastest?"), 1u);
    EXPECT_EQ(occurrences(blind, "Quicksort."), 1u);
    EXPECT_LT(blind.find("## Answer A\n\nQuicksort."), blind.find("## Answer B\n\nMerge sort."));
    EXPECT_NE(blind.find("## Answer C\n\nRadix sort."), std::string::npos);
    EXPECT_EQ(blind.find("Answer D"), std::string::npos);
    EXPECT_EQ(blind.find("Name of"), std::string::npos);
    EXPECT_NE(blind.find(" 3 answers"), std::string::npos);
    EXPECT_NE(blind.find("Reply in English."), std::string::npos);

    const auto named = comparePrompt(*rounds.latest(), names, AppLanguage::zhTW, true);
    EXPECT_NE(named.find("## 回答 B (Name of z)\n\nMerge sort."), std::string::npos) << named;
    EXPECT_NE(named.find("請用繁體中文回答。"), std::string::npos);
}

TEST(AnswersFileName, IsThePromptsFirstWordsAndTheDaySafeForAnyFolder) {
    const std::chrono::year_month_day day{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{8}};
    EXPECT_EQ(answersFileName("Explain how quicksort works, briefly please thanks\nmore", day),
              "Explain how quicksort works, briefly 2026-12-08.md");
    EXPECT_EQ(answersFileName("../../etc/passwd: a/b \\c *?", day), "etcpasswd ab c 2026-12-08.md");
    EXPECT_EQ(answersFileName("  \n\t", day), "Answers 2026-12-08.md");
    EXPECT_EQ(answersFileName(".hidden", day), "hidden 2026-12-08.md");
    // Long words without spaces are cut on a character, never inside one.
    const auto chinese = answersFileName("请解释一下快速排序算法的原理以及它在最坏情况下的时间复杂度为什么是平方级别的问题呢还有别的", day);
    EXPECT_EQ(chinese, "请解释一下快速排序算法的原理以及它在最坏情况下的时间复杂度为什么是平方级别的问题 2026-12-08.md");
}

}  // namespace
