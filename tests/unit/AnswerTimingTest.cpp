#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ManualMainQueue.hpp"
#include "web/page/AnswerTiming.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

constexpr Milliseconds halfSecond{500};

class AnswerTimingTest : public ::testing::Test {
protected:
    // The page grows `times` times, every `gap`, telling what grew.
    void grow(int times, Milliseconds gap, const std::string& text = "words") {
        for (int i = 0; i < times; ++i) {
            timing.grew(text);
            queue.advance(gap);
        }
    }

    ManualMainQueue queue;
    std::vector<std::string> events;
    AnswerTiming timing{queue, [this] { events.push_back("started"); },
                        [this](std::string text) { events.push_back("finished: " + text); },
                        [this] { events.push_back("stopped"); }};
};

TEST_F(AnswerTimingTest, ThreeSpansOfGrowthStartAnAnswerAndTwoQuietSecondsEndItWithItsLatestText) {
    timing.grew("The");
    queue.advance(halfSecond);
    timing.grew("The answer");
    EXPECT_TRUE(events.empty()) << "two spans are not yet a stream";
    queue.advance(halfSecond);
    timing.grew("The answer is");
    EXPECT_EQ(events, std::vector<std::string>{"started"});
    queue.advance(AnswerTiming::quietAfter - Milliseconds{1});
    EXPECT_EQ(events.size(), 1u);
    queue.advance(Milliseconds{1});
    EXPECT_EQ(events, (std::vector<std::string>{"started", "finished: The answer is"}));
}

TEST_F(AnswerTimingTest, GrowthTooSparseOrOnceIsNoAnswer) {
    // Once every 1.6 s: never three within the window.
    grow(6, Milliseconds{1600});
    queue.advance(AnswerTiming::quietAfter);
    timing.grew("a one-off change");
    queue.advance(AnswerTiming::quietAfter * 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(AnswerTimingTest, AnAnswerThatPausesShorterThanTheQuietTimeIsStillOneAnswer) {
    grow(4, halfSecond);
    queue.advance(AnswerTiming::quietAfter - halfSecond * 2);
    grow(4, halfSecond, "more");
    queue.advance(AnswerTiming::quietAfter);
    EXPECT_EQ(events, (std::vector<std::string>{"started", "finished: more"}));
}

TEST_F(AnswerTimingTest, APageGrowingForFiveMinutesIsATickerUntilItHasBeenStill) {
    // The stream starts with the third span; five minutes after that it is a ticker.
    const int spans = static_cast<int>(AnswerTiming::longestAnswer / halfSecond) + 4;
    grow(spans, halfSecond);
    EXPECT_EQ(events, (std::vector<std::string>{"started", "stopped"}));
    // Still growing: not taken up again, and its end is no answer.
    grow(20, halfSecond);
    queue.advance(AnswerTiming::quietAfter);
    EXPECT_EQ(events.size(), 2u);
    // Once still, a new stream counts again.
    grow(3, halfSecond, "next");
    queue.advance(AnswerTiming::quietAfter);
    EXPECT_EQ(events, (std::vector<std::string>{"started", "stopped", "started", "finished: next"}));
}

TEST_F(AnswerTimingTest, AfterAPromptEvenAShortAnswerCountsOnceAndOnlyTheNextOne) {
    timing.expectAnswer();
    timing.grew("Yes.");
    EXPECT_EQ(events, std::vector<std::string>{"started"});
    queue.advance(AnswerTiming::quietAfter);
    EXPECT_EQ(events, (std::vector<std::string>{"started", "finished: Yes."}));
    // Without a new prompt a one-off change is no answer again.
    timing.grew("an edit");
    queue.advance(AnswerTiming::quietAfter);
    EXPECT_EQ(events.size(), 2u);
}

}  // namespace
