#pragma once
#include <filesystem>

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
}  // namespace settingsText

// Styles `label` for a folder path: small, wrapping anywhere, selectable for copying.
void showAsPathText(Gtk::Label& label);

// Shows the folder in the user's file manager. A failure to launch one is dropped: there is
// nothing the user could do about it here.
void openInFileManager(Gtk::Widget& from, const std::filesystem::path& folder);

}  // namespace corvina
