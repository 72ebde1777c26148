#include "ui/DownloadFolderChooser.hpp"

#include "ui/ChooserRun.hpp"

namespace corvina {

GtkFileChooserNative* newFolderChooserDialog(Gtk::Window& parent, const LocalizationManager& localization,
                                             const DownloadSettings& settings) {
    const std::string title = localization.text(DownloadSettings::folderChooserText);
    GtkFileChooserNative* chooser = gtk_file_chooser_native_new(title.c_str(), parent.gobj(),
                                                                GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, title.c_str(), nullptr);
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
    gtk_file_chooser_set_create_folders(GTK_FILE_CHOOSER(chooser), TRUE);
    GFile* start = g_file_new_for_path(settings.customDownloadPath().get().c_str());
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), start, nullptr);
    g_object_unref(start);
    return chooser;
}

DownloadSettings::FolderChooser folderChooser(Gtk::Window& parent, const LocalizationManager& localization,
                                              const DownloadSettings& settings) {
    return [&parent, &localization, &settings](std::function<void(std::optional<std::filesystem::path>)> done) {
        runChooser(newFolderChooserDialog(parent, localization, settings), std::move(done));
    };
}

}  // namespace corvina
