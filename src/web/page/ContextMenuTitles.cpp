#include "web/page/ContextMenuTitles.hpp"

#include <array>
#include <string_view>

namespace corvina {

namespace {

enum class Match { exact, prefix };

struct MenuTitle {
    std::string_view title;  // as the table or the engine (without mnemonics) has it
    Match match;
    MenuAction action;  // noAction: the title has no stock action on this engine
    const char* zhTW;
    const char* zhCN;
};

constexpr std::string_view lookUpTitle = "Look Up";

// First match wins. Rows marked "engine" are this engine's own titles for the action of
// the row above; "Copy Image Address" deliberately has no row and stays in English.
constexpr std::array<MenuTitle, 21> menuTitles{{
    {"Copy", Match::exact, MenuAction::copy, "拷貝", "拷贝"},
    {"Paste", Match::exact, MenuAction::paste, "貼上", "粘贴"},
    {"Cut", Match::exact, MenuAction::cut, "剪下", "剪切"},
    {"Select All", Match::exact, MenuAction::selectAll, "全選", "全选"},
    {lookUpTitle, Match::prefix, MenuAction::noAction, "查找", "查找"},
    {"Search with", Match::prefix, MenuAction::noAction, "搜尋網頁", "搜索网页"},
    {"Search Web", Match::exact, MenuAction::noAction, "搜尋網頁", "搜索网页"},
    {"Search the Web", Match::exact, MenuAction::noAction, "搜尋網頁", "搜索网页"},  // engine
    {"Share", Match::exact, MenuAction::noAction, "分享", "分享"},
    {"Download Linked File", Match::exact, MenuAction::downloadLinkToDisk, "下載連結檔案", "下载链接文件"},
    {"Open Link", Match::exact, MenuAction::openLink, "打開連結", "打开链接"},
    {"Open Link in New Window", Match::exact, MenuAction::openLinkInNewWindow, "在新視窗中打開連結", "在新窗口中打开链接"},
    {"Copy Link", Match::exact, MenuAction::copyLinkToClipboard, "拷貝連結", "拷贝链接"},
    {"Copy Link Location", Match::exact, MenuAction::copyLinkToClipboard, "拷貝連結", "拷贝链接"},  // engine
    {"Save Image", Match::prefix, MenuAction::downloadImageToDisk, "儲存影像為...", "存储图像为..."},
    {"Copy Image", Match::exact, MenuAction::copyImageToClipboard, "拷貝影像", "拷贝图像"},
    {"Open Image", Match::prefix, MenuAction::openImageInNewWindow, "在新視窗中打開影像", "在新窗口中打开图像"},
    {"Reload", Match::exact, MenuAction::reload, "重新載入", "重新载入"},
    {"Back", Match::exact, MenuAction::goBack, "後退", "后退"},
    {"Forward", Match::exact, MenuAction::goForward, "前進", "前进"},
    {"Inspect Element", Match::exact, MenuAction::inspectElement, "檢查元素", "检查元素"},
}};

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool matches(const MenuTitle& row, std::string_view title) {
    return row.match == Match::exact ? title == row.title : title.starts_with(row.title);
}

// "查找" plus the text between the first two straight double quotes, when there are two.
std::string lookUpTitleFor(std::string_view title, const char* lookUp) {
    const auto open = title.find('"');
    const auto close = open == std::string_view::npos ? open : title.find('"', open + 1);
    if (close == std::string_view::npos) return lookUp;
    return std::string(lookUp) + " \"" + std::string(title.substr(open + 1, close - open - 1)) + "\"";
}

std::string chineseTitle(const MenuTitle& row, std::string_view title, AppLanguage language) {
    const char* text = language == AppLanguage::zhTW ? row.zhTW : row.zhCN;
    return row.title == lookUpTitle ? lookUpTitleFor(title, text) : std::string(text);
}

}  // namespace

std::string withoutMnemonics(const std::string& label) {
    std::string result;
    result.reserve(label.size());
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] != '_') {
            result += label[i];
        } else if (i + 1 < label.size() && label[i + 1] == '_') {
            result += '_';
            ++i;
        }
    }
    return result;
}

std::optional<std::string> translatedMenuTitle(const std::string& engineLabel, AppLanguage language) {
    if (language == AppLanguage::en) return std::nullopt;
    const std::string plain = withoutMnemonics(engineLabel);
    const std::string_view title = trimBlanks(plain);
    for (const auto& row : menuTitles)
        if (matches(row, title)) return chineseTitle(row, title, language);
    return std::nullopt;
}

std::optional<std::string> translatedMenuTitle(MenuAction action, const std::string& engineLabel,
                                               AppLanguage language) {
    if (language == AppLanguage::en) return std::nullopt;
    if (action != MenuAction::noAction)
        for (const auto& row : menuTitles)
            if (row.action == action) return chineseTitle(row, {}, language);
    return translatedMenuTitle(engineLabel, language);
}

}  // namespace corvina
