#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <webkit/webkit.h>

namespace corvina {

class WebViewStore;

// Follows one download: picks its file in the download folder, then reports the end with
// a toast. Lives as long as the download object; holds the store weakly.
class DownloadObserver {
public:
    static void attach(WebKitDownload* download, std::weak_ptr<WebViewStore*> store);
    ~DownloadObserver();

private:
    explicit DownloadObserver(std::weak_ptr<WebViewStore*> store) : store_(std::move(store)) {}

    static gboolean onDecideDestination(WebKitDownload* download, const char* suggested, gpointer self);
    static void onFailed(WebKitDownload* download, GError* error, gpointer self);
    static void onFinished(WebKitDownload* download, gpointer self);
    void release();
    void reportFailure(const std::optional<std::string>& reason);

    std::weak_ptr<WebViewStore*> store_;
    std::filesystem::path destination_;
    bool failed_ = false;
    bool ended_ = false;
};

}  // namespace corvina
