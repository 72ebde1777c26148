#include "ui/PromptFileChoosers.hpp"

#include "app/PromptLibrary.hpp"
#include "ui/ChooserRun.hpp"

namespace corvina {

namespace {

constexpr LocalizedText importFilesTitle{"Import Prompts", "匯入提示詞", "导入提示词"};
constexpr LocalizedText importFolderTitle{"Import a Folder of Prompts", "匯入提示詞資料夾", "导入提示词文件夹"};
constexpr LocalizedText exportTitle{"Export Prompts to a Folder", "把提示詞匯出到資料夾", "把提示词导出到文件夹"};
constexpr LocalizedText importText{"Import", "匯入", "导入"};
constexpr LocalizedText exportText{"Export", "匯出", "导出"};
constexpr LocalizedText markdownFilter{"Markdown files", "Markdown 檔案", "Markdown 文件"};

GtkFileChooserNative* chooser(Gtk::Window& parent, const std::string& title, GtkFileChooserAction action,
                              const std::string& accept) {
    GtkFileChooserNative* native =
        gtk_file_chooser_native_new(title.c_str(), parent.gobj(), action, accept.c_str(), nullptr);
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(native), TRUE);
    return native;
}

}  // namespace

void importPromptFiles(Gtk::Window& parent, AppLanguage language, PromptLibrary& library) {
    auto* native = chooser(parent, importFilesTitle.in(language), GTK_FILE_CHOOSER_ACTION_OPEN, importText.in(language));
    gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(native), TRUE);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, markdownFilter.in(language).c_str());
    gtk_file_filter_add_pattern(filter, "*.md");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(native), filter);
    g_object_unref(filter);
    runChooserForMany(native, [&library](std::vector<std::filesystem::path> files) { library.importFrom(files); });
}

void importPromptFolder(Gtk::Window& parent, AppLanguage language, PromptLibrary& library) {
    auto* native =
        chooser(parent, importFolderTitle.in(language), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, importText.in(language));
    runChooser(native, [&library](std::optional<std::filesystem::path> folder) {
        if (folder) library.importFrom({*folder});
    });
}

void exportPrompts(Gtk::Window& parent, AppLanguage language, PromptLibrary& library,
                   const std::vector<std::string>& fileNames) {
    auto* native = chooser(parent, exportTitle.in(language), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, exportText.in(language));
    runChooser(native, [&library, fileNames](std::optional<std::filesystem::path> folder) {
        if (folder) library.exportTo(fileNames, *folder);
    });
}

}  // namespace corvina
