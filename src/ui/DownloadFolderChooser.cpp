#include "ui/DownloadFolderChooser.hpp"

namespace corvina {

namespace {

using Completion = std::function<void(std::optional<std::filesystem::path>)>;

std::optional<std::filesystem::path> chosenFolder(GtkNativeDialog* dialog, int response) {
    if (response != GTK_RESPONSE_ACCEPT) return std::nullopt;
    GFile* file = gtk_file_chooser_get_file(GTK_FILE_CHOOSER(dialog));
    if (!file) return std::nullopt;
    std::optional<std::filesystem::path> folder;
    if (char* path = g_file_get_path(file)) {
        folder = path;
        g_free(path);
    }
    g_object_unref(file);
    return folder;
}

void onResponse(GtkNativeDialog* dialog, int response, gpointer data) {
    // Taken out first: the stored completion goes with the dialog.
    const Completion done = std::move(*static_cast<Completion*>(data));
    const auto folder = chosenFolder(dialog, response);
    gtk_native_dialog_destroy(dialog);
    g_object_unref(dialog);
    done(folder);
}

}  // namespace

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
    return [&parent, &localization, &settings](Completion done) {
        GtkFileChooserNative* chooser = newFolderChooserDialog(parent, localization, settings);
        // The handler lives as long as the dialog, which it ends; the completion is freed with it.
        g_signal_connect_data(
            chooser, "response", G_CALLBACK(onResponse), new Completion(std::move(done)),
            +[](gpointer data, GClosure*) { delete static_cast<Completion*>(data); }, GConnectFlags{});
        gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
    };
}

}  // namespace corvina
