#include <gtest/gtest.h>

#include <algorithm>

#include <webkit/webkit.h>

#include "web/page/ContextMenuTitles.hpp"

using namespace corvina;

namespace {

// The web view casts the engine's stock action to ours.
#define SAME(ours, engine) std::pair{MenuAction::ours, int(WEBKIT_CONTEXT_MENU_ACTION_##engine)}
constexpr std::pair<MenuAction, int> sameActions[] = {
    SAME(noAction, NO_ACTION), SAME(openLink, OPEN_LINK), SAME(openLinkInNewWindow, OPEN_LINK_IN_NEW_WINDOW),
    SAME(downloadLinkToDisk, DOWNLOAD_LINK_TO_DISK), SAME(copyLinkToClipboard, COPY_LINK_TO_CLIPBOARD),
    SAME(openImageInNewWindow, OPEN_IMAGE_IN_NEW_WINDOW), SAME(downloadImageToDisk, DOWNLOAD_IMAGE_TO_DISK),
    SAME(copyImageToClipboard, COPY_IMAGE_TO_CLIPBOARD), SAME(copyImageURLToClipboard, COPY_IMAGE_URL_TO_CLIPBOARD),
    SAME(goBack, GO_BACK), SAME(goForward, GO_FORWARD), SAME(reload, RELOAD), SAME(copy, COPY), SAME(cut, CUT),
    SAME(paste, PASTE), SAME(selectAll, SELECT_ALL), SAME(inspectElement, INSPECT_ELEMENT), SAME(custom, CUSTOM),
};
#undef SAME
static_assert(std::ranges::all_of(sameActions, [](auto pair) { return static_cast<int>(pair.first) == pair.second; }));

constexpr auto zhCN = AppLanguage::zhCN;
constexpr auto zhTW = AppLanguage::zhTW;
constexpr auto en = AppLanguage::en;
const std::optional<std::string> kept;  // the engine's title stays

// Labels as the engine builds them (mnemonics) or as a page gives them. The table's titles
// match as written; only blanks and tabs at the ends are ignored; Look Up carries the text
// between straight quotes (the engine's curly ones do not count); English keeps every title.
TEST(ContextMenuTitles, TitlesByLabelInEachLanguage) {
    // label -> Simplified, Traditional
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"_Copy", "拷贝", "拷貝"}, {"Cu_t", "剪切", "剪下"}, {"Select _All", "全选", "全選"},
        {"_Download Linked File", "下载链接文件", "下載連結檔案"}, {"_Open Link", "打开链接", "打開連結"},
        {"Copy Link Loc_ation", "拷贝链接", "拷貝連結"}, {"Copy Link", "拷贝链接", "拷貝連結"},
        {"Sa_ve Image As", "存储图像为...", "儲存影像為..."}, {"Save Image to Pictures", "存储图像为...", "儲存影像為..."},
        {"Open _Image in New Window", "在新窗口中打开图像", "在新視窗中打開影像"},
        {"Open Image", "在新窗口中打开图像", "在新視窗中打開影像"},
        {"_Reload", "重新载入", "重新載入"}, {"_Back", "后退", "後退"}, {"Inspect _Element", "检查元素", "檢查元素"},
        {"Search Web", "搜索网页", "搜尋網頁"}, {"Search with ExampleSearch", "搜索网页", "搜尋網頁"}, {"Share", "分享", "分享"},
        {" \tCopy\t ", "拷贝", "拷貝"}, {"  Copy Image\t", "拷贝图像", "拷貝影像"},
        {"Look Up \"corvid\"", "查找 \"corvid\"", "查找 \"corvid\""}, {"Look Up \"a b\" and \"c\"", "查找 \"a b\"", "查找 \"a b\""},
        {"Look Up \"\"", "查找 \"\"", "查找 \"\""}, {"Look Up \"unclosed", "查找", "查找"}, {"Look Up", "查找", "查找"},
        {"Look Up \u201Ccorvid\u201D", "查找", "查找"},
        {"Look Up \"snake__case\"", "查找 \"snake_case\"", "查找 \"snake_case\""},
    };
    for (const auto& [label, simplified, traditional] : cases) {
        EXPECT_EQ(translatedMenuTitle(label, zhCN), simplified) << label;
        EXPECT_EQ(translatedMenuTitle(label, zhTW), traditional) << label;
        EXPECT_EQ(translatedMenuTitle(label, en), kept) << label;
    }
    for (const char* label : {"Copy Image _Address", "Copy Link with Highlight", "_Delete", "Paste As Plain _Text",
                              "Open _Video in New Window", "Spelling and _Grammar", "copy", "COPY", "Copy Images",
                              "", "Backwards", "Share…", "Copy\n", "Co py"}) {
        EXPECT_EQ(translatedMenuTitle(label, zhCN), kept) << label;
        EXPECT_EQ(translatedMenuTitle(label, zhTW), kept) << label;
    }
    EXPECT_EQ(withoutMnemonics("__init___"), "_init_");
}

TEST(ContextMenuTitles, StockActionsDecideEvenWhenTheEngineAlreadyTranslated) {
    EXPECT_EQ(translatedMenuTitle(MenuAction::copy, "复制(_C)", zhCN), "拷贝");
    EXPECT_EQ(translatedMenuTitle(MenuAction::copyLinkToClipboard, "複製連結位址", zhTW), "拷貝連結");
    EXPECT_EQ(translatedMenuTitle(MenuAction::downloadImageToDisk, "", zhCN), "存储图像为...");
    EXPECT_EQ(translatedMenuTitle(MenuAction::inspectElement, "x", zhTW), "檢查元素");
    EXPECT_EQ(translatedMenuTitle(MenuAction::copy, "_Copy", en), kept);
    // Actions the table does not know, and custom items, go by their label.
    EXPECT_EQ(translatedMenuTitle(MenuAction::copyImageURLToClipboard, "Copy Image _Address", zhCN), kept);
    EXPECT_EQ(translatedMenuTitle(MenuAction::custom, "_Open Link", zhCN), "打开链接");
    EXPECT_EQ(translatedMenuTitle(MenuAction::noAction, "Share", zhCN), "分享");
    EXPECT_EQ(translatedMenuTitle(static_cast<MenuAction>(4711), "_Reload", zhTW), "重新載入");
}

}  // namespace
