#include "web/DownloadFolderChooser.hpp"

#include <gtk/gtk.h>

namespace corvina {

DownloadSettings::FolderChooser folderChooser(Gtk::Window& parent, const LocalizationManager& localization,
                                              const DownloadSettings& settings) {
    return [&parent, &localization, &settings](std::function<void(std::optional<std::filesystem::path>)> done) {
        const std::string title = localization.text(DownloadSettings::folderChooserText);
        GtkFileChooserNative* chooser = gtk_file_chooser_native_new(
            title.c_str(), parent.gobj(), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, title.c_str(), nullptr);
        gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
        gtk_file_chooser_set_create_folders(GTK_FILE_CHOOSER(chooser), TRUE);
        GFile* start = g_file_new_for_path(settings.customDownloadPath().get().c_str());
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), start, nullptr);
        g_object_unref(start);
        auto* callback = new std::function<void(std::optional<std::filesystem::path>)>(std::move(done));
        g_signal_connect(chooser, "response", G_CALLBACK(+[](GtkNativeDialog* dialog, int response, gpointer data) {
                             std::unique_ptr<std::function<void(std::optional<std::filesystem::path>)>> done(
                                 static_cast<std::function<void(std::optional<std::filesystem::path>)>*>(data));
                             std::optional<std::filesystem::path> folder;
                             if (response == GTK_RESPONSE_ACCEPT) {
                                 if (GFile* file = gtk_file_chooser_get_file(GTK_FILE_CHOOSER(dialog))) {
                                     if (char* path = g_file_get_path(file)) {
                                         folder = path;
                                         g_free(path);
                                     }
                                     g_object_unref(file);
                                 }
                             }
                             g_object_unref(dialog);
                             (*done)(folder);
                         }),
                         callback);
        gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
    };
}

}  // namespace corvina
