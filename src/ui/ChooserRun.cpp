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

using ManyCompletion = std::function<void(std::vector<std::filesystem::path>)>;

std::vector<std::filesystem::path> chosenPaths(GtkNativeDialog* dialog, int response) {
    std::vector<std::filesystem::path> paths;
    if (response != GTK_RESPONSE_ACCEPT) return paths;
    GListModel* files = gtk_file_chooser_get_files(GTK_FILE_CHOOSER(dialog));
    for (guint i = 0; i < g_list_model_get_n_items(files); ++i) {
        auto* file = static_cast<GFile*>(g_list_model_get_item(files, i));
        if (char* local = g_file_get_path(file)) {
            paths.emplace_back(local);
            g_free(local);
        }
        g_object_unref(file);
    }
    g_object_unref(files);
    return paths;
}

void onManyResponse(GtkNativeDialog* dialog, int response, gpointer data) {
    const ManyCompletion done = std::move(*static_cast<ManyCompletion*>(data));
    const auto paths = chosenPaths(dialog, response);
    gtk_native_dialog_destroy(dialog);
    g_object_unref(dialog);
    done(paths);
}

}  // namespace

void runChooserForMany(GtkFileChooserNative* chooser, ManyCompletion done) {
    g_signal_connect_data(
        chooser, "response", G_CALLBACK(onManyResponse), new ManyCompletion(std::move(done)),
        +[](gpointer data, GClosure*) { delete static_cast<ManyCompletion*>(data); }, GConnectFlags{});
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
}

void runChooser(GtkFileChooserNative* chooser, Completion done) {
    // The handler lives as long as the dialog, which it ends; the completion is freed with it.
    g_signal_connect_data(
        chooser, "response", G_CALLBACK(onResponse), new Completion(std::move(done)),
        +[](gpointer data, GClosure*) { delete static_cast<Completion*>(data); }, GConnectFlags{});
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
}

}  // namespace corvina
