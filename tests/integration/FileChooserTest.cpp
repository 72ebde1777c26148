#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "web/DownloadFolderChooser.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class FileChooserTest : public WebFixture {
protected:
    // Clicks the page's file input as a user would and returns the chooser that opens.
    GtkFileChooser* chooserFor(const std::string& input) {
        server.serve("/upload", "<body style='margin:0'>" + input, "text/html");
        auto* view = store.webView(tab("svc", "/upload"), Pane::primary);
        GtkWindow* window = show(view);
        EXPECT_TRUE(finishesLoading("svc"));
        settle();
        commandOutput("xdotool mousemove --window " + x11WindowID(window) + " 40 20 click 1");
        GtkFileChooser* chooser = nullptr;
        eventually([&] { return (chooser = openChooser()) != nullptr; });
        return chooser;
    }
};

TEST_F(FileChooserTest, MultipleSelectionFollowsThePage) {
    auto* chooser = chooserFor("<input type=file multiple style='width:300px;height:40px'>");
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(gtk_file_chooser_get_select_multiple(chooser));
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
    EXPECT_TRUE(eventually([] { return openChooser() == nullptr; }));
}

TEST_F(FileChooserTest, ASingleFileInputAllowsOneFile) {
    auto* chooser = chooserFor("<input type=file style='width:300px;height:40px'>");
    ASSERT_NE(chooser, nullptr);
    EXPECT_FALSE(gtk_file_chooser_get_select_multiple(chooser));
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
    EXPECT_TRUE(eventually([] { return openChooser() == nullptr; }));
}

TEST_F(FileChooserTest, TheFolderChooserIsTitledInTheInterfaceLanguage) {
    localization.setCurrentLanguage(AppLanguage::zhCN);
    std::filesystem::create_directories(downloadsFolder);
    auto* parent = Glib::wrap(show(store.webView(tab("svc", "/none"), Pane::primary)));
    GtkFileChooserNative* chooser = newFolderChooserDialog(*parent, localization, downloads);
    EXPECT_STREQ(gtk_native_dialog_get_title(GTK_NATIVE_DIALOG(chooser)), "选择下载目录...");
    EXPECT_STREQ(gtk_file_chooser_native_get_accept_label(chooser), "选择下载目录...");
    EXPECT_EQ(gtk_file_chooser_get_action(GTK_FILE_CHOOSER(chooser)), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER);
    EXPECT_TRUE(gtk_file_chooser_get_create_folders(GTK_FILE_CHOOSER(chooser)));
    EXPECT_TRUE(gtk_native_dialog_get_modal(GTK_NATIVE_DIALOG(chooser)));
    g_object_unref(chooser);
}

}  // namespace
