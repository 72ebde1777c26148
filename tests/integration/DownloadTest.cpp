#include <algorithm>
#include <csignal>
#include <memory>

#include "integration/WebFixture.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class DownloadTest : public WebFixture {
protected:
    bool downloadsBecome(const std::vector<std::string>& names) {
        return eventually([&] { return downloadedFiles() == names; }, std::chrono::seconds(15));
    }
    // Counts the downloads the engine starts in the view's session from now on, and those
    // whose last word ("finished", also after a failure) has come; the app hears of each first.
    struct DownloadCount {
        explicit DownloadCount(WebKitWebView* view)
            : started(webkit_web_view_get_network_session(view), "download-started",
                      +[](WebKitNetworkSession*, WebKitDownload* download, DownloadCount* count) {
                          ++count->begun;
                          WebKitURIRequest* request = webkit_download_get_request(download);
                          const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
                          count->addresses.push_back(uri ? uri : "");
                          g_signal_connect_data(
                              download, "finished",
                              G_CALLBACK(+[](WebKitDownload*, std::shared_ptr<int>* ended) { ++**ended; }),
                              new std::shared_ptr<int>(count->ended),
                              +[](gpointer held, GClosure*) { delete static_cast<std::shared_ptr<int>*>(held); },
                              GConnectFlags(0));
                      },
                      this) {}
        int begun = 0;
        std::vector<std::string> addresses;
        bool began(const std::string& address) const {
            return std::find(addresses.begin(), addresses.end(), address) != addresses.end();
        }
        // Shared with the downloads, which may outlive a test that failed.
        std::shared_ptr<int> ended = std::make_shared<int>(0);
        SignalConnection started;
    };
};

TEST_F(DownloadTest, AnAttachmentInASubFrameIsSavedWithAToast) {
    server.serve("/notes", "plain text", "text/plain", "attachment; filename=\"notes.txt\"");
    server.serve("/page", "<html><body><iframe src='/notes'></iframe></body></html>", "text/html");
    store.page(tab("t", "/page")).view();
    ASSERT_TRUE(downloadsBecome({"notes.txt"}));
    EXPECT_EQ(readFile(downloadsFolder / "notes.txt"), "plain text");
    EXPECT_TRUE(eventually([&] { return store.downloads().toastShown().get(); }));
    EXPECT_EQ(store.downloads().toastMessage().get(), "文件下载已完成");
}

// What a page shows is not saved: a zip in a sub-frame, an image in a page, an inline
// document, a page whose disposition only begins with "attachment". On their own, the zip
// and the image are saved.
TEST_F(DownloadTest, OnlyFilesOnTheirOwnAreSavedAndWhatAPageShowsStaysShown) {
    const std::string png("\x89PNG\r\n\x1a\n", 8);
    server.serve("/a.zip", "PK\x03\x04 zip bytes", "application/zip");
    server.serve("/picture.png", png, "image/png");
    server.serve("/doc.pdf", "%PDF-1.4\n%%EOF\n", "application/pdf", "inline; filename=doc.pdf");
    server.serve("/shout", "<title>shown</title>", "text/html", "attachmentfoo; filename=shout.html");
    server.serve("/page", "<html><body><iframe src='/a.zip'></iframe><img src='/picture.png'></body></html>",
                 "text/html");
    server.serve("/after", "after", "text/plain", "attachment; filename=\"after.txt\"");
    auto* page = store.page(tab("page", "/page")).view();
    DownloadCount downloads(page);
    auto* pdf = store.page(tab("pdf", "/doc.pdf")).view();
    auto* shout = store.page(tab("shout", "/shout")).view();
    for (const char* id : {"page", "pdf", "shout"}) ASSERT_TRUE(loaded(id)) << id;
    // A response shown is a page that committed; one turned into a download never does.
    EXPECT_TRUE(eventually([&] { return evaluate(pdf, "location.pathname") == "/doc.pdf"; }));
    EXPECT_EQ(evaluate(page, "document.images.length"), "1");
    EXPECT_TRUE(eventually([&] { return evaluate(shout, "document.title") == "shown"; }));
    // The engine starts a page's downloads in the order the page handed them over: once an
    // attachment it frames now has started, the zip's frame would have started before it.
    evaluate(page, "const after = document.createElement('iframe'); after.src = '/after'; document.body.append(after); 1");
    ASSERT_TRUE(eventually([&] { return downloads.began(server.url("/after")) && *downloads.ended == downloads.begun; },
                           std::chrono::seconds(15)));
    EXPECT_EQ(downloads.begun, 1) << "only the attachment framed last";
    EXPECT_EQ(downloadedFiles(), std::vector<std::string>{"after.txt"});
    std::filesystem::remove(downloadsFolder / "after.txt");

    store.page(tab("zip", "/a.zip")).view();
    store.page(tab("image", "/picture.png")).view();
    EXPECT_TRUE(downloadsBecome({"a.zip", "picture.png"}));
}

// The disposition type is a token in any case: a page sent as an attachment is saved.
TEST_F(DownloadTest, AnAttachmentInAnyCaseIsSaved) {
    server.serve("/shout", "<title>shout</title>", "text/html", "ATTACHMENT; filename=\"shout.html\"");
    server.serve("/mixed", "mixed", "text/plain", "aTTachment ; filename=mixed.txt");
    store.page(tab("shout", "/shout")).view();
    store.page(tab("mixed", "/mixed")).view();
    EXPECT_TRUE(downloadsBecome({"mixed.txt", "shout.html"}));
}

// The engine first writes to the name plus its own suffix: a name near the file system's
// limit is shortened so that this temporary file fits too, keeping the extension and whole
// characters.
TEST_F(DownloadTest, ANameNearTheFileSystemsLimitIsShortenedAndSaved) {
    std::string wide, encoded;
    for (int i = 0; i < 82; ++i) wide += "图", encoded += "%E5%9B%BE";  // 246 bytes
    server.serve("/ascii", "ascii", "text/plain", "attachment; filename=\"" + std::string(246, 'a') + ".txt\"");
    server.serve("/wide", "wide", "text/plain", "attachment; filename*=UTF-8''" + encoded + ".txt");
    store.page(tab("ascii", "/ascii")).view();
    store.page(tab("wide", "/wide")).view();
    const std::string shortened = wide.substr(0, 240) + ".txt";
    ASSERT_TRUE(downloadsBecome({std::string(240, 'a') + ".txt", shortened}));
    EXPECT_EQ(readFile(downloadsFolder / shortened), "wide");
}

TEST_F(DownloadTest, NamesNeverCollideAndNeverLeaveTheFolder) {
    std::filesystem::create_directories(downloadsFolder);
    writeFile(downloadsFolder / "report.pdf", "older");
    writeFile(downloadsFolder / "report (1).pdf", "older");
    writeFile(downloadsFolder / "src.tar.gz", "older");
    server.serve("/report", "new report", "application/octet-stream", "attachment; filename=\"report.pdf\"");
    server.serve("/evil", "evil", "text/plain", "attachment; filename=\"../../escape.txt\"");
    server.serve("/src", "new archive", "application/gzip", "attachment; filename=\"src.tar.gz\"");
    store.page(tab("report", "/report")).view();
    store.page(tab("evil", "/evil")).view();
    store.page(tab("src", "/src")).view();
    ASSERT_TRUE(downloadsBecome(
        {"escape.txt", "report (1).pdf", "report (2).pdf", "report.pdf", "src (1).tar.gz", "src.tar.gz"}));
    EXPECT_EQ(readFile(downloadsFolder / "report (2).pdf"), "new report");
    EXPECT_EQ(readFile(downloadsFolder / "report.pdf"), "older");
    EXPECT_FALSE(std::filesystem::exists(dir / "escape.txt"));
}

// The folder was deleted meanwhile; the second of two names that collide gets its own file.
TEST_F(DownloadTest, ADeletedFolderIsMadeAgainAndTwoDownloadsOfOneNameAtOnceGetTwoFiles) {
    std::filesystem::remove_all(downloadsFolder);
    server.serve("/same", "same bytes", "application/zip", "attachment; filename=\"same.zip\"");
    store.page(tab("one", "/same")).view();
    store.page(tab("two", "/same")).view();
    EXPECT_TRUE(downloadsBecome({"same (1).zip", "same.zip"}));
}

TEST_F(DownloadTest, AFailedDownloadShowsOnlyTheFailureToast) {
    // A file stands where the download folder should be: the engine cannot write there.
    std::filesystem::remove_all(downloadsFolder);
    writeFile(downloadsFolder, "not a folder");
    server.serve("/doomed", "bytes", "application/zip", "attachment; filename=\"doomed.zip\"");
    localization.setCurrentLanguage(AppLanguage::zhTW);
    std::vector<std::string> toasts;
    auto watch = store.downloads().toastMessage().observe([&] { toasts.push_back(store.downloads().toastMessage().get()); });
    DownloadCount downloads(store.page(tab("b", "/doomed")).view());
    ASSERT_TRUE(eventually([&] { return !toasts.empty(); }, std::chrono::seconds(15)));
    // The engine's last word on the download, after its failure, has come and been heard.
    ASSERT_TRUE(eventually([&] { return *downloads.ended == 1; }, std::chrono::seconds(15)));
    ASSERT_TRUE(runPostedWork());
    ASSERT_EQ(toasts.size(), 1u);
    EXPECT_EQ(toasts[0].rfind("下載失敗: ", 0), 0u) << toasts[0];
    EXPECT_GT(toasts[0].size(), std::string("下載失敗: ").size()) << "the engine's reason follows";
    watch.disconnect();
}

TEST_F(DownloadTest, ADownloadTheEngineDropsIsReportedAsFailedAndFreesItsName) {
    // A first part big enough for the engine to start writing the file, then the rest never comes.
    server.serveStalled("/big", std::string(64 * 1024, 'x'), 1 << 20, "application/zip",
                        "attachment; filename=\"big.zip\"");
    localization.setCurrentLanguage(AppLanguage::en);
    std::vector<std::string> toasts;
    auto watch = store.downloads().toastMessage().observe([&] { toasts.push_back(store.downloads().toastMessage().get()); });
    store.page(tab("big", "/big")).view();
    // The engine writes into the folder once it has the destination: the download is under way.
    ASSERT_TRUE(eventually([&] { return !downloadedFiles().empty(); }, std::chrono::seconds(15)));
    const auto network = networkProcessIDs();
    ASSERT_FALSE(network.empty());
    for (int pid : network) kill(pid, SIGKILL);
    ASSERT_TRUE(eventually([&] { return !toasts.empty(); }, std::chrono::seconds(15)));
    EXPECT_EQ(toasts, std::vector<std::string>{"Download Failed: The download was interrupted"});

    // What the dropped download left behind goes; its name is then free for the next one.
    std::filesystem::remove_all(downloadsFolder);
    server.serve("/again", "whole", "application/zip", "attachment; filename=\"big.zip\"");
    store.page(tab("again", "/again")).view();
    EXPECT_TRUE(downloadsBecome({"big.zip"}));
    watch.disconnect();
}

}  // namespace
