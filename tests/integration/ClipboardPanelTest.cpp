#include <gtest/gtest.h>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/WidgetChecks.hpp"
#include "panels/ClipboardPanelView.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

using Rows = std::vector<std::size_t>;
using Texts = std::vector<std::string>;

// The real panel over the real history, with the pasteboard played by the test and a clock
// that moves only when told.
class ClipboardPanelTest : public ::testing::Test, protected AppObjects<ManualMainQueue> {
protected:
    ClipboardPanelTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        AppObjects::show(view, 300, 700);
        EXPECT_TRUE(eventually([&] { return view.get_width() > 0; }));
    }
    // Another application copies a text; the history sees it at its next poll.
    void copyElsewhere(const std::string& text) {
        pasteboard.copy(text);
        queue.advance(ClipboardManager::pollInterval);
    }
    Texts shownTexts() {
        Texts texts;
        for (std::size_t i = 0; i < view.rowCount(); ++i) texts.push_back(view.row(i).shownText());
        return texts;
    }
    Rows rowsWithCopiedMark() {
        Rows rows;
        for (std::size_t i = 0; i < view.rowCount(); ++i)
            if (view.row(i).isCopiedMarkShown()) rows.push_back(i);
        return rows;
    }

    ClipboardPanelView view{context};
};

// With the screen reader backend throughout, for the names of the rows' buttons.
TEST_F(ClipboardPanelTest, CopiesBackMarksTheRowForOneSecondKeepsThirtyClearsWithoutRecordingAgainAndFollowsTheLanguage) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    state.setShowDetailPanel(true);
    EXPECT_TRUE(view.showsEmptyState());
    EXPECT_FALSE(view.showsClearButton());
    const std::string manyLines = "one\ntwo\nthree\nfour\nfive", longParagraph(600, 'w');
    for (const auto& text : {manyLines, longParagraph, std::string("c"), std::string("d")}) copyElsewhere(text);
    EXPECT_FALSE(view.showsEmptyState());
    EXPECT_TRUE(view.showsClearButton());
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

    for (int i = 4; i <= 32; ++i) copyElsewhere("text " + std::to_string(i));
    ASSERT_EQ(view.rowCount(), 30u);
    EXPECT_EQ((Texts{view.row(0).shownText(), view.row(29).number()}), (Texts{"d", "30"})) << "the oldest left the top";

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

    for (const auto& [language, title, empty, clear, copy, remove] :
         {std::tuple{AppLanguage::zhTW, "剪貼板", "暫無剪貼板記錄", "一鍵清空剪貼板", "拷貝", "刪除"},
          std::tuple{AppLanguage::en, "Clipboard", "No clipboard history", "Clear Clipboard", "Copy", "Delete"}}) {
        localization.setCurrentLanguage(language);
        EXPECT_EQ((Texts{view.title(), view.emptyState().text(), view.clearButtonText(), view.row(0).copyButton().name()}),
                  (Texts{title, empty, clear, copy}));
        EXPECT_EQ(misnamed({{&view.collapseHandle(), title}, {&view.row(0).copyButton(), copy},
                            {&view.row(0).deleteButton(), remove}}),
                  "");
    }
    EXPECT_FALSE(announcedAs(view.row(0).deleteButton(), "刪除")) << "the check itself can fail";
    copyElsewhere("a row made after the switch");
    EXPECT_TRUE(announcedAs(view.row(1).copyButton(), "Copy") && announcedAs(view.row(1).deleteButton(), "Delete"));
    click(view.collapseHandle());
    EXPECT_FALSE(state.showDetailPanel().get()) << "the handle folds the detail panel away";
}

}  // namespace
