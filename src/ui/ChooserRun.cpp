#include "ui/ChooserRun.hpp"

namespace corvina {

namespace {

using Completion = std::function<void(std::optional<std::filesystem::path>)>;

std::optional<std::filesystem::path> chosenPath(GtkNativeDialog* dialog, int response) {
    if (response != GTK_RESPONSE_ACCEPT) return std::nullopt;
    GFile* file = gtk_file_chooser_get_file(GTK_FILE_CHOOSER(dialog));
    if (!file) return std::nullopt;
    std::optional<std::filesystem::path> path;
    if (char* local = g_file_get_path(file)) {
        path = local;
        g_free(local);
    }
    g_object_unref(file);
    return path;
}

void onResponse(GtkNativeDialog* dialog, int response, gpointer data) {
    // Taken out first: the stored completion goes with the dialog.
    const Completion done = std::move(*static_cast<Completion*>(data));
    const auto path = chosenPath(dialog, response);
    gtk_native_dialog_destroy(dialog);
    g_object_unref(dialog);
    done(path);
}

}  // namespace

void runChooser(GtkFileChooserNative* chooser, Completion done) {
    // The handler lives as long as the dialog, which it ends; the completion is freed with it.
    g_signal_connect_data(
        chooser, "response", G_CALLBACK(onResponse), new Completion(std::move(done)),
        +[](gpointer data, GClosure*) { delete static_cast<Completion*>(data); }, GConnectFlags{});
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
}

}  // namespace corvina
