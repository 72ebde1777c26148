#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "ui/AnswersFileChooser.hpp"
#include "ui/DownloadFolderChooser.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

using FileChooserTest = WebFixture;

// Clicks the page's file inputs as a user would: the chooser allows as many files as the input.
TEST_F(FileChooserTest, MultipleSelectionFollowsThePage) {
    server.serve("/upload", "<body style='margin:0'><input type=file multiple style='width:300px;height:40px'><br>"
                 "<input type=file style='width:300px;height:40px'>", "text/html");
    auto* view = store.page(tab("svc", "/upload")).view();
    GtkWindow* window = show(view);
    ASSERT_TRUE(loaded("svc"));
    // The page, laid out at the view's size, has its inputs where the pointer goes.
    ASSERT_TRUE(eventually([&] {
        return gtk_widget_get_mapped(GTK_WIDGET(view)) &&
               evaluate(view, "[20, 60].map(y => document.elementFromPoint(40, y)?.type).join()") == "file,file";
    }));
    for (const auto& [y, multiple] : {std::pair{20, true}, std::pair{60, false}}) {
        commandOutput("xdotool mousemove --window " + x11WindowID(window) + " 40 " + std::to_string(y) + " click 1");
        GtkFileChooser* chooser = nullptr;
        ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; })) << y;
        EXPECT_EQ(bool(gtk_file_chooser_get_select_multiple(chooser)), multiple) << y;
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
        EXPECT_TRUE(eventually([] { return openChooser() == nullptr; }));
    }
}

TEST_F(FileChooserTest, TheFolderChooserIsTitledInTheInterfaceLanguage) {
    localization.setCurrentLanguage(AppLanguage::zhCN);
    std::filesystem::create_directories(downloadsFolder);
    auto* parent = Glib::wrap(show(store.page(tab("svc", "/none")).view()));
    GtkFileChooserNative* chooser = newFolderChooserDialog(*parent, localization, downloads);
    EXPECT_STREQ(gtk_native_dialog_get_title(GTK_NATIVE_DIALOG(chooser)), "选择下载目录...");
    EXPECT_STREQ(gtk_file_chooser_native_get_accept_label(chooser), "选择下载目录...");
    EXPECT_EQ(gtk_file_chooser_get_action(GTK_FILE_CHOOSER(chooser)), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER);
    EXPECT_TRUE(gtk_file_chooser_get_create_folders(GTK_FILE_CHOOSER(chooser)));
    EXPECT_TRUE(gtk_native_dialog_get_modal(GTK_NATIVE_DIALOG(chooser)));
    g_object_unref(chooser);
}

// The chooser offers the download folder and a name made of the prompt; cancelling writes
// nothing. (Writing is RoundActions::saveAll, tested with the real pages.)
TEST_F(FileChooserTest, SaveAllAnswersOffersTheDownloadFolderAndThePromptsName) {
    std::filesystem::create_directories(downloadsFolder);
    auto* parent = Glib::wrap(show(store.page(tab("svc", "/none")).view()));
    const auto id = tab("svc", "/none").id;
    const auto round = rounds.begin("Compare: quick sort / merge sort?", {id});
    rounds.delivered(round, id, AnswerStatus::sent);
    rounds.answerFinished(round, id, "http://127.0.0.1/c/1", "Merge sort is *stable*.", false);

    std::optional<bool> written;
    saveAllAnswers(*parent, AppLanguage::zhTW, roundActions, [&](bool ok) { written = ok; });
    GtkFileChooser* chooser = nullptr;
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    EXPECT_EQ(gtk_file_chooser_get_action(chooser), GTK_FILE_CHOOSER_ACTION_SAVE);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(chooser)), "儲存全部回答");
    char* name = gtk_file_chooser_get_current_name(chooser);
    EXPECT_EQ(std::string(name).rfind("Compare quick sort merge sort ", 0), 0u) << name;
    EXPECT_TRUE(std::string(name).ends_with(".md")) << name;
    g_free(name);
    const auto folderShown = [&] {
        GFile* folder = gtk_file_chooser_get_current_folder(chooser);
        char* path = folder ? g_file_get_path(folder) : nullptr;
        const std::string shown = path ? path : "";
        g_free(path);
        if (folder) g_object_unref(folder);
        return shown;
    };
    EXPECT_TRUE(eventually([&] { return folderShown() == downloadsFolder.string(); })) << folderShown();
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
    EXPECT_TRUE(eventually([] { return openChooser() == nullptr; }));
    EXPECT_FALSE(written.has_value());
    EXPECT_TRUE(std::filesystem::is_empty(downloadsFolder));
}

}  // namespace
