#include <gtest/gtest.h>

#include "app/ClipboardManager.hpp"
#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class ClipboardManagerTest : public ::testing::Test {
protected:
    void start() { manager = std::make_unique<ClipboardManager>(pasteboard, queue); }
    void tick() { queue.advance(ClipboardManager::pollInterval); }
    void copyAndTick(std::optional<std::string> text) {
        pasteboard.copy(std::move(text));
        tick();
    }
    const std::vector<std::string>& items() { return manager->items().get(); }

    ManualMainQueue queue;
    FakePasteboard pasteboard;
    std::unique_ptr<ClipboardManager> manager;
};

// Only text copied after start counts, polled every half second; non-text and empty text are
// skipped but their change is consumed.
TEST_F(ClipboardManagerTest, RecordsOnlyTextCopiedAfterStart) {
    pasteboard.copy("there before");
    start();
    tick();
    EXPECT_TRUE(items().empty());
    pasteboard.copy("first");
    queue.advance(Milliseconds(499));
    EXPECT_TRUE(items().empty());
    queue.advance(Milliseconds(1));
    EXPECT_EQ(items(), (std::vector<std::string>{"first"}));
    tick();  // an unchanged counter records nothing
    copyAndTick(std::nullopt);
    copyAndTick("");
    EXPECT_EQ(manager->lastChangeCount(), pasteboard.changeCount());
    copyAndTick(" \n");
    pasteboard.copy(" \n");
    copyAndTick("later in the same interval");
    EXPECT_EQ(items(), (std::vector<std::string>{"first", " \n", "later in the same interval"}));
}

// The last thirty are kept in order; copying one back, removing or clearing records nothing.
TEST_F(ClipboardManagerTest, KeepsTheLastThirtyAndCopyingBackOrEditingDoNotRecordAgain) {
    start();
    for (int i = 1; i <= 31; ++i) copyAndTick("text " + std::to_string(i));
    ASSERT_EQ(items().size(), 30u);
    EXPECT_EQ(items().front(), "text 2");
    EXPECT_EQ(items().back(), "text 31");
    manager->removeAll();
    for (const char* text : {"a", "b", "c"}) copyAndTick(text);
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

    // Restarting the poll keeps the history and one timer; the poll ends with its manager.
    copyAndTick("kept");
    manager->startPolling();
    EXPECT_EQ(queue.pendingTimers(), 1u);
    EXPECT_EQ(items().size(), 1u);
    manager.reset();
    EXPECT_EQ(queue.pendingTimers(), 0u);
}

}  // namespace
