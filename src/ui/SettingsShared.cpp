#include "ui/SettingsShared.hpp"

#include <gio/gio.h>
#include <gtk/gtk.h>

namespace corvina {

namespace {

void launched(GObject*, GAsyncResult* result, gpointer) {
    g_app_info_launch_default_for_uri_finish(result, nullptr);
}

}  // namespace

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
