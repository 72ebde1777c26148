#include <gtest/gtest.h>

#include "app/ClipboardManager.hpp"
#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class ClipboardManagerTest : public ::testing::Test {
protected:
    void tick() { queue.advance(ClipboardManager::pollInterval); }
    const std::vector<std::string>& items() { return manager->items().get(); }

    ManualMainQueue queue;
    FakePasteboard pasteboard;
    std::unique_ptr<ClipboardManager> manager;
};

TEST_F(ClipboardManagerTest, RecordsOnlyWhatIsCopiedAfterStart) {
    pasteboard.copy("there before");
    manager = std::make_unique<ClipboardManager>(pasteboard, queue);
    tick();
    EXPECT_TRUE(items().empty());
    pasteboard.copy("first");
    queue.advance(Milliseconds(499));
    EXPECT_TRUE(items().empty()) << "polled every half second";
    queue.advance(Milliseconds(1));
    EXPECT_EQ(items(), (std::vector<std::string>{"first"}));
    tick();
    EXPECT_EQ(items().size(), 1u) << "an unchanged counter records nothing";
}

TEST_F(ClipboardManagerTest, SkipsNonTextAndEmptyTextButConsumesTheChange) {
    manager = std::make_unique<ClipboardManager>(pasteboard, queue);
    pasteboard.copy(std::nullopt);
    tick();
    pasteboard.copy("");
    tick();
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(manager->lastChangeCount(), pasteboard.changeCount());
    pasteboard.copy(" \n");
    tick();
    pasteboard.copy(" \n");
    pasteboard.copy("later in the same interval");
    tick();
    EXPECT_EQ(items(), (std::vector<std::string>{" \n", "later in the same interval"}));
}

TEST_F(ClipboardManagerTest, KeepsTheLastThirtyInOrder) {
    manager = std::make_unique<ClipboardManager>(pasteboard, queue);
    for (int i = 1; i <= 31; ++i) {
        pasteboard.copy("text " + std::to_string(i));
        tick();
    }
    ASSERT_EQ(items().size(), 30u);
    EXPECT_EQ(items().front(), "text 2");
    EXPECT_EQ(items().back(), "text 31");
}

TEST_F(ClipboardManagerTest, CopyingBackAndEditingDoNotRecordAgain) {
    manager = std::make_unique<ClipboardManager>(pasteboard, queue);
    for (const char* text : {"a", "b", "c"}) {
        pasteboard.copy(text);
        tick();
    }
    manager->copyToPasteboard("a");
    tick();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(pasteboard.text(), "a");
    manager->removeItem(1);
    manager->removeItem(7);
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "c"}));
    manager->removeAll();
    tick();
    EXPECT_TRUE(items().empty()) << "clearing does not record the pasteboard again";
}

TEST_F(ClipboardManagerTest, RestartingThePollKeepsTheHistoryAndOneTimer) {
    manager = std::make_unique<ClipboardManager>(pasteboard, queue);
    pasteboard.copy("kept");
    tick();
    manager->startPolling();
    EXPECT_EQ(queue.pendingTimers(), 1u);
    EXPECT_EQ(items().size(), 1u);
    manager.reset();
    EXPECT_EQ(queue.pendingTimers(), 0u) << "the poll ends with its manager";
}

}  // namespace
