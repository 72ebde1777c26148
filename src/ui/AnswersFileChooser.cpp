#include "ui/AnswersFileChooser.hpp"

#include "ui/ChooserRun.hpp"

namespace corvina {

namespace {

constexpr LocalizedText saveText{"Save", "儲存", "保存"};
constexpr LocalizedText markdownFiles{"Markdown files", "Markdown 檔案", "Markdown 文件"};

}  // namespace

void saveAllAnswers(Gtk::Window& parent, AppLanguage language, RoundActions& actions, std::function<void(bool)> saved) {
    if (!actions.round()) return;
    std::string title = saveAllAnswersTitle.in(language);
    if (title.ends_with("…")) title.resize(title.size() - std::string("…").size());
    const std::string accept = saveText.in(language);
    GtkFileChooserNative* chooser = gtk_file_chooser_native_new(title.c_str(), parent.gobj(), GTK_FILE_CHOOSER_ACTION_SAVE,
                                                                accept.c_str(), nullptr);
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
    const auto suggested = actions.suggestedFile();
    GFile* folder = g_file_new_for_path(suggested.parent_path().c_str());
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), folder, nullptr);
    g_object_unref(folder);
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), suggested.filename().c_str());
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, markdownFiles.in(language).c_str());
    gtk_file_filter_add_pattern(filter, "*.md");
    gtk_file_filter_add_mime_type(filter, "text/markdown");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
    g_object_unref(filter);
    // The round may have moved on while the chooser was open: what is saved is what it
    // holds when the user says where.
    runChooser(chooser, [&actions, saved = std::move(saved)](std::optional<std::filesystem::path> file) {
        if (!file) return;
        const bool written = actions.saveAll(*file);
        if (saved) saved(written);
    });
}

}  // namespace corvina
