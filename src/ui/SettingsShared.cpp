#include "ui/SettingsShared.hpp"

#include "app/AppSettings.hpp"

#include <gio/gio.h>
#include <gtk/gtk.h>

namespace corvina {

namespace {

void launched(GObject*, GAsyncResult* result, gpointer) {
    g_app_info_launch_default_for_uri_finish(result, nullptr);
}

}  // namespace

std::vector<std::string> sleepChoiceNames(AppLanguage language) {
    std::vector<std::string> names{LocalizedText{"Off", "關閉", "关闭"}.in(language)};
    const auto unit = LocalizedText{" minutes", " 分鐘", " 分钟"}.in(language);
    for (auto choice : sleepChoices) names.push_back(std::to_string(choice.count()) + unit);
    return names;
}

unsigned sleepChoiceIndex(std::chrono::seconds after) {
    const auto nearest = nearestSleepChoice(after);
    for (unsigned i = 1; i <= sleepChoices.size(); ++i)
        if (sleepChoices[i - 1] == nearest) return i;
    return 0;
}

std::chrono::seconds sleepChoiceTime(unsigned index) {
    if (index == 0 || index > sleepChoices.size()) return std::chrono::seconds(0);
    return sleepChoices[index - 1];
}

void showAsPathText(Gtk::Label& label) {
    label.add_css_class("path-text");
    label.set_selectable(true);
    label.set_wrap(true);
    label.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
    label.set_xalign(0);
    label.set_hexpand(true);
}

void openInFileManager(Gtk::Widget& from, const std::filesystem::path& folder) {
    GFile* file = g_file_new_for_path(folder.c_str());
    char* uri = g_file_get_uri(file);
    GdkAppLaunchContext* launch = gdk_display_get_app_launch_context(from.get_display()->gobj());
    g_app_info_launch_default_for_uri_async(uri, G_APP_LAUNCH_CONTEXT(launch), nullptr, launched, nullptr);
    g_object_unref(launch);
    g_free(uri);
    g_object_unref(file);
}

}  // namespace corvina
