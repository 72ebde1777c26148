#include <gtest/gtest.h>

#include <webkit/webkit.h>

#include "web/ContextMenuTitles.hpp"

using namespace corvina;

namespace {

// The web view casts the engine's stock action to ours.
#define SAME_ACTION(ours, engine) static_assert(static_cast<int>(MenuAction::ours) == WEBKIT_CONTEXT_MENU_ACTION_##engine)
SAME_ACTION(noAction, NO_ACTION);
SAME_ACTION(openLink, OPEN_LINK);
SAME_ACTION(openLinkInNewWindow, OPEN_LINK_IN_NEW_WINDOW);
SAME_ACTION(downloadLinkToDisk, DOWNLOAD_LINK_TO_DISK);
SAME_ACTION(copyLinkToClipboard, COPY_LINK_TO_CLIPBOARD);
SAME_ACTION(openImageInNewWindow, OPEN_IMAGE_IN_NEW_WINDOW);
SAME_ACTION(downloadImageToDisk, DOWNLOAD_IMAGE_TO_DISK);
SAME_ACTION(copyImageToClipboard, COPY_IMAGE_TO_CLIPBOARD);
SAME_ACTION(copyImageURLToClipboard, COPY_IMAGE_URL_TO_CLIPBOARD);
SAME_ACTION(goBack, GO_BACK);
SAME_ACTION(goForward, GO_FORWARD);
SAME_ACTION(reload, RELOAD);
SAME_ACTION(copy, COPY);
SAME_ACTION(cut, CUT);
SAME_ACTION(paste, PASTE);
SAME_ACTION(selectAll, SELECT_ALL);
SAME_ACTION(inspectElement, INSPECT_ELEMENT);
SAME_ACTION(custom, CUSTOM);
#undef SAME_ACTION

std::string zhCN(const std::string& label) { return translatedMenuTitle(label, AppLanguage::zhCN).value_or("<none>"); }
std::string zhTW(const std::string& label) { return translatedMenuTitle(label, AppLanguage::zhTW).value_or("<none>"); }

TEST(ContextMenuTitles, TheEnginesOwnLabelsGetTheTablesTitles) {
    // label as the engine builds it -> Simplified, Traditional
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"_Copy", "拷贝", "拷貝"},
        {"_Paste", "粘贴", "貼上"},
        {"Cu_t", "剪切", "剪下"},
        {"Select _All", "全选", "全選"},
        {"_Search the Web", "搜索网页", "搜尋網頁"},
        {"_Download Linked File", "下载链接文件", "下載連結檔案"},
        {"_Open Link", "打开链接", "打開連結"},
        {"Open Link in New _Window", "在新窗口中打开链接", "在新視窗中打開連結"},
        {"Copy Link Loc_ation", "拷贝链接", "拷貝連結"},
        {"Sa_ve Image As", "存储图像为...", "儲存影像為..."},
        {"Cop_y Image", "拷贝图像", "拷貝影像"},
        {"Open _Image in New Window", "在新窗口中打开图像", "在新視窗中打開影像"},
        {"_Reload", "重新载入", "重新載入"},
        {"_Back", "后退", "後退"},
        {"_Forward", "前进", "前進"},
        {"Inspect _Element", "检查元素", "檢查元素"},
    };
    for (const auto& [label, simplified, traditional] : cases) {
        EXPECT_EQ(zhCN(label), simplified) << label;
        EXPECT_EQ(zhTW(label), traditional) << label;
    }
}

TEST(ContextMenuTitles, TheTablesOwnTitlesMatchAsWritten) {
    EXPECT_EQ(zhCN("Copy Link"), "拷贝链接");
    EXPECT_EQ(zhTW("Search Web"), "搜尋網頁");
    EXPECT_EQ(zhCN("Search with ExampleSearch"), "搜索网页");
    EXPECT_EQ(zhTW("Share"), "分享");
    EXPECT_EQ(zhTW("Save Image to Pictures"), "儲存影像為...");
    EXPECT_EQ(zhCN("Open Image"), "在新窗口中打开图像");
}

TEST(ContextMenuTitles, TitlesWithoutAnEntryKeepTheEnginesTitle) {
    for (const char* label : {"Copy Image _Address", "Copy Link with Highlight", "_Delete", "Paste As Plain _Text",
                              "Open _Video in New Window", "Spelling and _Grammar", "copy", "COPY", "Copy Images",
                              "", "Backwards", "Share…"}) {
        EXPECT_FALSE(translatedMenuTitle(label, AppLanguage::zhCN)) << label;
        EXPECT_FALSE(translatedMenuTitle(label, AppLanguage::zhTW)) << label;
    }
}

TEST(ContextMenuTitles, OnlyBlanksAndTabsAtTheEndsAreIgnored) {
    EXPECT_EQ(zhCN(" \tCopy\t "), "拷贝");
    EXPECT_EQ(zhCN("  Copy Image\t"), "拷贝图像");
    EXPECT_EQ(zhCN("Copy\n"), "<none>");
    EXPECT_EQ(zhCN("Co py"), "<none>");
}

TEST(ContextMenuTitles, LookUpCarriesTheTextBetweenStraightQuotes) {
    EXPECT_EQ(zhCN("Look Up \"corvid\""), "查找 \"corvid\"");
    EXPECT_EQ(zhTW("Look Up \"a b\" and \"c\""), "查找 \"a b\"");
    EXPECT_EQ(zhCN("Look Up \"\""), "查找 \"\"");
    EXPECT_EQ(zhCN("Look Up \"unclosed"), "查找");
    EXPECT_EQ(zhCN("Look Up"), "查找");
    // Curly quotes, as the engine writes them, do not count.
    EXPECT_EQ(zhCN("Look Up \u201Ccorvid\u201D"), "查找");
}

TEST(ContextMenuTitles, EnglishLeavesEveryTitleAsItIs) {
    for (const char* label : {"_Copy", "Copy", "Look Up \"x\"", "Sa_ve Image As"}) {
        EXPECT_FALSE(translatedMenuTitle(label, AppLanguage::en)) << label;
        EXPECT_FALSE(translatedMenuTitle(MenuAction::copy, label, AppLanguage::en)) << label;
    }
}

TEST(ContextMenuTitles, StockActionsDecideEvenWhenTheEngineAlreadyTranslated) {
    EXPECT_EQ(translatedMenuTitle(MenuAction::copy, "复制(_C)", AppLanguage::zhCN), "拷贝");
    EXPECT_EQ(translatedMenuTitle(MenuAction::copyLinkToClipboard, "複製連結位址", AppLanguage::zhTW), "拷貝連結");
    EXPECT_EQ(translatedMenuTitle(MenuAction::downloadImageToDisk, "", AppLanguage::zhCN), "存储图像为...");
    EXPECT_EQ(translatedMenuTitle(MenuAction::inspectElement, "x", AppLanguage::zhTW), "檢查元素");
    // Actions the table does not know, and custom items, go by their label.
    EXPECT_FALSE(translatedMenuTitle(MenuAction::copyImageURLToClipboard, "Copy Image _Address", AppLanguage::zhCN));
    EXPECT_EQ(translatedMenuTitle(MenuAction::custom, "_Open Link", AppLanguage::zhCN), "打开链接");
    EXPECT_EQ(translatedMenuTitle(MenuAction::noAction, "Share", AppLanguage::zhCN), "分享");
    EXPECT_EQ(translatedMenuTitle(static_cast<MenuAction>(4711), "_Reload", AppLanguage::zhTW), "重新載入");
}

TEST(ContextMenuTitles, MnemonicsAreRemovedButDoubledUnderscoresStay) {
    EXPECT_EQ(withoutMnemonics("__init___"), "_init_");
    EXPECT_EQ(zhCN("Look Up \"snake__case\""), "查找 \"snake_case\"");
}

}  // namespace
