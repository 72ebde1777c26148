#pragma once
#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"

namespace corvina {

// Shown when files are dropped on a page: pages take uploads through their own buttons.
class FileDropTipView : public Gtk::Box {
public:
    static constexpr LocalizedText tipText{
        "Please click the + button or Upload button on the page to upload files",
        "請點擊頁面上 +號 或 上傳按鍵 上傳檔案", "请点击页面上 +号 或 上传按键 上传文件"};

    FileDropTipView();

    void setLanguage(AppLanguage language) { text_.set_text(tipText.in(language)); }

private:
    Gtk::Image icon_;
    Gtk::Label text_;
};

}  // namespace corvina
