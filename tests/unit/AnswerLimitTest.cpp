#include <gtest/gtest.h>

#include "web/page/AnswerReader.hpp"

using namespace corvina;

TEST(AnswerLimit, AnAnswerWithinTheLimitIsKeptWhole) {
    const PageAnswer answer = limitedAnswer("**bold** é", 12);
    EXPECT_EQ(answer.markdown, "**bold** é");
    EXPECT_FALSE(answer.cut);
}

TEST(AnswerLimit, AnAnswerOverTheLimitIsCutThere) {
    const PageAnswer answer = limitedAnswer("abcdef", 4);
    EXPECT_EQ(answer.markdown, "abcd");
    EXPECT_TRUE(answer.cut);
}

TEST(AnswerLimit, ACutNeverSplitsACharacter) {
    // "a" then 漢 (three bytes) then 🙂 (four bytes): a limit inside either keeps what ends before.
    const std::string text = "a\xE6\xBC\xA2\xF0\x9F\x99\x82z";
    EXPECT_EQ(limitedAnswer(text, 2).markdown, "a");
    EXPECT_EQ(limitedAnswer(text, 3).markdown, "a");
    EXPECT_EQ(limitedAnswer(text, 4).markdown, "a\xE6\xBC\xA2");
    EXPECT_EQ(limitedAnswer(text, 7).markdown, "a\xE6\xBC\xA2");
    EXPECT_EQ(limitedAnswer(text, 8).markdown, "a\xE6\xBC\xA2\xF0\x9F\x99\x82");
    EXPECT_TRUE(limitedAnswer(text, 8).cut);
}

TEST(AnswerLimit, TheLimitIsOneMebibyteOfMarkdown) {
    const std::string text(maxAnswerBytes + 1, 'x');
    const PageAnswer answer = limitedAnswer(text);
    EXPECT_EQ(answer.markdown->size(), 1024u * 1024u);
    EXPECT_TRUE(answer.cut);
    EXPECT_FALSE(limitedAnswer(std::string(maxAnswerBytes, 'x')).cut);
}
