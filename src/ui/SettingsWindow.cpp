#include "ui/SettingsWindow.hpp"

#include "app/LocalizationManager.hpp"

namespace corvina {

namespace {
const LocalizedText titleText{"Settings", "設定", "设置"};
}

SettingsWindow::SettingsWindow(AppContext& context) : context_(context) {
    set_default_size(width, height);
    set_resizable(false);
    set_hide_on_close(true);
    add_css_class("settings-window");
    set_child(pages_);
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
}

void SettingsWindow::retitle() { set_title(context_.localization.text(titleText)); }

}  // namespace corvina
