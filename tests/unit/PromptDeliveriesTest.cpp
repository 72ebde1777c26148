#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/ManualMainQueue.hpp"
#include "web/page/PromptDeliveries.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// A page's prompt bookkeeping with the document's side played by the test: each started
// prompt waits in `started` until the test answers for the document.
class PromptDeliveriesTest : public ::testing::Test {
protected:
    PromptDeliveries& make(bool loadingNow) {
        loading.set(loadingNow);
        deliveries = std::make_unique<PromptDeliveries>(
            queue, loading, [this] { return troubled; },
            [this](const std::string& text, PromptDeliveries::Done done) { started.push_back({text, std::move(done)}); });
        return *deliveries;
    }
    PromptDeliveries::Done record(std::vector<DeliveryOutcome>& into) {
        return [&into](DeliveryOutcome outcome) { into.push_back(outcome); };
    }

    struct Started {
        std::string text;
        PromptDeliveries::Done done;
    };
    ManualMainQueue queue;
    Published<bool> loading{false};
    bool troubled = false;
    std::vector<Started> started;
    std::unique_ptr<PromptDeliveries> deliveries;
};

TEST_F(PromptDeliveriesTest, ALoadedPageTakesThePromptAtOnceAndTheDocumentsAnswerCountsOnce) {
    std::vector<DeliveryOutcome> outcomes;
    make(false).deliver("hello", record(outcomes));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].text, "hello");
    started[0].done(DeliveryOutcome::sent);
    // The limit passing afterwards, or the document going, says nothing more.
    queue.advance(PromptDeliveries::deliveryLimit * 2);
    deliveries->documentGone();
    queue.drain();
    EXPECT_EQ(outcomes, std::vector{DeliveryOutcome::sent});
}

TEST_F(PromptDeliveriesTest, ADocumentThatNeverAnswersDidNotTakeThePromptAndItsLateAnswerIsIgnored) {
    std::vector<DeliveryOutcome> outcomes;
    make(false).deliver("hello", record(outcomes));
    queue.advance(PromptDeliveries::deliveryLimit - Milliseconds{1});
    EXPECT_TRUE(outcomes.empty());
    queue.advance(Milliseconds{1});
    EXPECT_EQ(outcomes, std::vector{DeliveryOutcome::couldNotSend});
    started[0].done(DeliveryOutcome::sent);
    EXPECT_EQ(outcomes.size(), 1u);
}

TEST_F(PromptDeliveriesTest, PromptsWaitForTheLoadInTheirOrder) {
    std::vector<DeliveryOutcome> outcomes;
    auto& deliveries = make(true);
    deliveries.deliver("first", record(outcomes));
    deliveries.deliver("second", record(outcomes));
    queue.advance(PromptDeliveries::loadWait / 2);
    EXPECT_TRUE(started.empty());
    loading.set(false);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].text, "first");
    EXPECT_EQ(started[1].text, "second");
    // The load's own limit no longer applies once the prompts are in the document.
    queue.advance(PromptDeliveries::loadWait);
    EXPECT_EQ(outcomes, (std::vector{DeliveryOutcome::couldNotSend, DeliveryOutcome::couldNotSend}));
}

TEST_F(PromptDeliveriesTest, APageThatDoesNotLoadInTimeOrLoadsOnlyItsTroubleWasNotLoaded) {
    std::vector<DeliveryOutcome> outcomes;
    auto& deliveries = make(true);
    deliveries.deliver("slow", record(outcomes));
    queue.advance(PromptDeliveries::loadWait);
    EXPECT_EQ(outcomes, std::vector{DeliveryOutcome::pageDidNotLoad});
    EXPECT_TRUE(started.empty());

    outcomes.clear();
    deliveries.deliver("troubled", record(outcomes));
    troubled = true;
    loading.set(false);
    queue.drain();
    EXPECT_EQ(outcomes, std::vector{DeliveryOutcome::pageDidNotLoad});
    EXPECT_TRUE(started.empty());
}

TEST_F(PromptDeliveriesTest, EveryPromptIsAnsweredOnTheQueueWhenItsDocumentOrItsPageGoes) {
    std::vector<DeliveryOutcome> outcomes;
    make(false).deliver("in the document", record(outcomes));
    deliveries->documentGone();
    EXPECT_TRUE(outcomes.empty()) << "never from inside the call";
    queue.drain();
    EXPECT_EQ(outcomes, std::vector{DeliveryOutcome::couldNotSend});

    outcomes.clear();
    loading.set(true);
    deliveries->deliver("waiting", record(outcomes));
    deliveries->deliver("in the document too", record(outcomes));
    loading.set(false);
    deliveries->deliver("waiting again", record(outcomes));
    deliveries.reset();
    queue.drain();
    EXPECT_EQ(outcomes.size(), 3u);
    for (auto outcome : outcomes) EXPECT_EQ(outcome, DeliveryOutcome::couldNotSend);
    // A document answering after its page went reaches no one.
    for (auto& prompt : started) prompt.done(DeliveryOutcome::sent);
    EXPECT_EQ(outcomes.size(), 3u);
}

}  // namespace
