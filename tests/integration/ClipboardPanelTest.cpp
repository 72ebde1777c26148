#include <gtest/gtest.h>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/WidgetChecks.hpp"
#include "panels/ClipboardPanelView.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The real panel over the real history, with the pasteboard played by the test and a clock
// that moves only when told.
class ClipboardPanelTest : public ::testing::Test, protected AppObjects<ManualMainQueue> {
protected:
    ClipboardPanelTest() { localization.setCurrentLanguage(AppLanguage::en); }

    ClipboardPanelView& show() {
        panel = std::make_unique<ClipboardPanelView>(context);
        AppObjects::show(*panel, 300, 700);
        EXPECT_TRUE(eventually([&] { return panel->get_width() > 0; }));
        return *panel;
    }
    // Another application copies a text; the history sees it at its next poll.
    void copyElsewhere(const std::string& text) {
        pasteboard.copy(text);
        queue.advance(ClipboardManager::pollInterval);
    }
    std::vector<std::string> shownTexts() {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < panel->rowCount(); ++i) texts.push_back(panel->row(i).shownText());
        return texts;
    }
    std::vector<std::size_t> rowsWithCopiedMark() {
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < panel->rowCount(); ++i)
            if (panel->row(i).isCopiedMarkShown()) rows.push_back(i);
        return rows;
    }
    using Rows = std::vector<std::size_t>;
    using Texts = std::vector<std::string>;

    std::unique_ptr<ClipboardPanelView> panel;
};

TEST_F(ClipboardPanelTest, ListsTheLastThirtyOldestFirstAndClearsWithoutRecordingThePasteboardAgain) {
    state.setShowDetailPanel(true);
    auto& view = show();
    EXPECT_TRUE(view.showsEmptyState());
    EXPECT_FALSE(view.showsClearButton());
    copyElsewhere("first");
    copyElsewhere("second");
    EXPECT_FALSE(view.showsEmptyState());
    EXPECT_TRUE(view.showsClearButton());
    EXPECT_EQ(shownTexts(), (Texts{"first", "second"}));
    EXPECT_EQ(view.row(1).number(), "2");
    for (int i = 3; i <= 31; ++i) copyElsewhere("text " + std::to_string(i));
    ASSERT_EQ(view.rowCount(), 30u);
    EXPECT_EQ(view.row(0).shownText(), "second") << "the oldest entry left the top";
    EXPECT_EQ(view.row(29).shownText(), "text 31");
    EXPECT_EQ(view.row(29).number(), "30");

    copyElsewhere("from another application");
    click(view.clearButton());
    EXPECT_EQ(view.rowCount(), 0u);
    EXPECT_TRUE(view.showsEmptyState());
    EXPECT_FALSE(view.showsClearButton());
    queue.advance(ClipboardManager::pollInterval * 4);
    EXPECT_TRUE(clipboard.items().get().empty());
    EXPECT_EQ(pasteboard.text(), "from another application") << "the pasteboard itself is left alone";
    copyElsewhere("after clearing");
    EXPECT_EQ(shownTexts(), (Texts{"after clearing"}));

    click(view.collapseHandle());
    EXPECT_FALSE(state.showDetailPanel().get()) << "the handle folds the detail panel away";
}

TEST_F(ClipboardPanelTest, CopiesBackTheWholeTextOfThreeShownLinesAndMarksTheRowPositionForOneSecond) {
    const std::string manyLines = "one\ntwo\nthree\nfour\nfive";
    const std::string longParagraph(600, 'w');
    for (const auto& text : {manyLines, longParagraph, std::string("c"), std::string("d")}) copyElsewhere(text);
    auto& view = show();
    EXPECT_TRUE(eventually([&] { return view.row(0).shownLines() == 3 && view.row(1).shownLines() == 3; }))
        << view.row(0).shownLines() << " and " << view.row(1).shownLines() << " lines";
    EXPECT_EQ(view.row(0).shownText().rfind("one\ntwo\nthree", 0), 0u);
    click(view.row(0).copyButton());
    EXPECT_EQ(pasteboard.text(), manyLines);
    queue.advance(ClipboardManager::pollInterval * 3);
    EXPECT_EQ(clipboard.items().get(), (Texts{manyLines, longParagraph, "c", "d"}))
        << "copying back neither adds nor moves an entry";
    queue.advance(Milliseconds(1000));
    EXPECT_EQ(rowsWithCopiedMark(), Rows{});

    click(view.row(2).copyButton());
    EXPECT_EQ(pasteboard.text(), "c");
    EXPECT_EQ(rowsWithCopiedMark(), Rows{2});
    queue.advance(Milliseconds(500));
    click(view.row(0).deleteButton());
    EXPECT_EQ(shownTexts(), (Texts{longParagraph, "c", "d"}));
    EXPECT_EQ(view.row(2).number(), "3");
    EXPECT_EQ(rowsWithCopiedMark(), Rows{2}) << "row 3 keeps the mark though it now holds d";
    queue.advance(Milliseconds(499));
    EXPECT_EQ(rowsWithCopiedMark(), Rows{2});
    queue.advance(Milliseconds(1));
    EXPECT_EQ(rowsWithCopiedMark(), Rows{});

    // A second copy inside the first one's second loses its mark when that second runs out.
    click(view.row(0).copyButton());
    queue.advance(Milliseconds(600));
    click(view.row(1).copyButton());
    EXPECT_EQ(rowsWithCopiedMark(), Rows{1});
    queue.advance(Milliseconds(400));
    EXPECT_EQ(rowsWithCopiedMark(), Rows{});
    queue.advance(Milliseconds(600));
    EXPECT_EQ(rowsWithCopiedMark(), Rows{});
}

TEST_F(ClipboardPanelTest, EveryTextAndScreenReaderNameFollowsTheInterfaceLanguage) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    copyElsewhere("entry");
    auto& view = show();
    struct Expected {
        AppLanguage language;
        const char *title, *empty, *clear, *copy, *remove;
    };
    for (const auto& expected :
         {Expected{AppLanguage::zhTW, "剪貼板", "暫無剪貼板記錄", "一鍵清空剪貼板", "拷貝", "刪除"},
          Expected{AppLanguage::en, "Clipboard", "No clipboard history", "Clear Clipboard", "Copy", "Delete"}}) {
        localization.setCurrentLanguage(expected.language);
        EXPECT_EQ(view.title(), expected.title);
        EXPECT_EQ(view.emptyState().text(), expected.empty);
        EXPECT_EQ(view.clearButtonText(), expected.clear);
        EXPECT_EQ(view.row(0).copyButton().name(), expected.copy) << "the delayed tooltip";
        EXPECT_TRUE(announcedAs(view.collapseHandle(), expected.title)) << expected.title;
        EXPECT_TRUE(announcedAs(view.row(0).copyButton(), expected.copy)) << expected.copy;
        EXPECT_TRUE(announcedAs(view.row(0).deleteButton(), expected.remove)) << expected.remove;
    }
    EXPECT_FALSE(announcedAs(view.row(0).deleteButton(), "刪除")) << "the check itself can fail";
    copyElsewhere("a row made after the switch");
    EXPECT_TRUE(announcedAs(view.row(1).copyButton(), "Copy"));
    EXPECT_TRUE(announcedAs(view.row(1).deleteButton(), "Delete"));
}

}  // namespace
