#include "web/page/UploadChooser.hpp"

#include <string>
#include <vector>

namespace corvina {

namespace {

std::vector<std::string> chosenPaths(GtkNativeDialog* dialog) {
    std::vector<std::string> paths;
    GListModel* files = gtk_file_chooser_get_files(GTK_FILE_CHOOSER(dialog));
    for (guint i = 0; i < g_list_model_get_n_items(files); ++i) {
        GFile* file = G_FILE(g_list_model_get_item(files, i));
        if (char* path = g_file_get_path(file)) {
            paths.emplace_back(path);
            g_free(path);
        }
        g_object_unref(file);
    }
    g_object_unref(files);
    return paths;
}

// The dialog answers once; it and the request go with that answer.
void answered(GtkNativeDialog* dialog, int response, WebKitFileChooserRequest* request) {
    const auto paths = response == GTK_RESPONSE_ACCEPT ? chosenPaths(dialog) : std::vector<std::string>{};
    if (paths.empty()) {
        webkit_file_chooser_request_cancel(request);
    } else {
        std::vector<const char*> list;
        for (const auto& path : paths) list.push_back(path.c_str());
        list.push_back(nullptr);
        webkit_file_chooser_request_select_files(request, list.data());
    }
    gtk_native_dialog_destroy(dialog);
    g_object_unref(dialog);
}

}  // namespace

void chooseFilesToUpload(WebKitWebView* view, WebKitFileChooserRequest* request) {
    auto* root = gtk_widget_get_root(GTK_WIDGET(view));
    GtkFileChooserNative* chooser = gtk_file_chooser_native_new(
        nullptr, GTK_IS_WINDOW(root) ? GTK_WINDOW(root) : nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr);
    gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(chooser), webkit_file_chooser_request_get_select_multiple(request));
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
    // The handler holds the request until the dialog answers; it ends with the dialog.
    g_signal_connect_data(chooser, "response", G_CALLBACK(answered), g_object_ref(request),
                          [](gpointer request, GClosure*) { g_object_unref(request); }, static_cast<GConnectFlags>(0));
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
}

}  // namespace corvina
