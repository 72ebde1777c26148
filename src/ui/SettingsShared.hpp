#pragma once
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"

namespace corvina {

// Texts the settings panel and the settings window both show.
namespace settingsText {
inline constexpr LocalizedText appearance{"Appearance", "外觀", "外观"};
inline constexpr LocalizedText downloadPath{"Download Path", "下載路徑", "下载路径"};
inline constexpr LocalizedText openInFileManager{"Open in File Manager", "在檔案管理器中打開", "在文件管理器中打开"};
inline constexpr LocalizedText resetToDefault{"Reset to Default (Downloads)", "恢復預設（下載資料夾）",
                                              "恢复默认（下载文件夹）"};
inline constexpr LocalizedText memory{"Memory", "記憶體", "内存"};
inline constexpr LocalizedText notifyWhenAnswered{"Notify when an answer is ready", "回答完成時通知", "回答完成时通知"};
inline constexpr LocalizedText loadWhenOpened{"Load services when first opened", "首次開啟服務時才載入",
                                              "首次打开服务时才加载"};
inline constexpr LocalizedText sleepUnused{"Sleep services unused for", "閒置多久後休眠服務", "闲置多久后休眠服务"};
inline constexpr LocalizedText pages{"Pages", "網頁", "网页"};
inline constexpr LocalizedText openNewWindows{"Open new windows", "開啟新視窗", "打开新窗口"};
inline constexpr LocalizedText resetSitePermissions{"Reset site permissions", "重設網站權限", "重置网站权限"};
inline constexpr LocalizedText reset{"Reset", "重設", "重置"};
}  // namespace settingsText

// The sleep times as the settings list them: "Off" first, then each choice in minutes.
std::vector<std::string> sleepChoiceNames(AppLanguage language);
// The place in that list of a stored time; a time set outside the settings shows as the
// nearest choice.
unsigned sleepChoiceIndex(std::chrono::seconds after);
std::chrono::seconds sleepChoiceTime(unsigned index);

// Styles `label` for a folder path: small, wrapping anywhere, selectable for copying.
void showAsPathText(Gtk::Label& label);

// Shows the folder in the user's file manager. A failure to launch one is dropped: there is
// nothing the user could do about it here.
void openInFileManager(Gtk::Widget& from, const std::filesystem::path& folder);

}  // namespace corvina
