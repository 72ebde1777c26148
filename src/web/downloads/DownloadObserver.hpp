#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include <webkit/webkit.h>

#include "platform/WeakOwner.hpp"

namespace corvina {

class Downloads;

// Follows one download: picks its file in the download folder, then reports the end with
// a toast. Lives as long as the download object; holds the downloads manager weakly.
class DownloadObserver {
public:
    static void attach(WebKitDownload* download, WeakOwner<Downloads>::Handle downloads);
    ~DownloadObserver();

private:
    explicit DownloadObserver(WeakOwner<Downloads>::Handle downloads) : downloads_(std::move(downloads)) {}

    static gboolean onDecideDestination(WebKitDownload* download, const char* suggested, gpointer self);
    static void onFailed(WebKitDownload* download, GError* error, gpointer self);
    static void onFinished(WebKitDownload* download, gpointer self);
    void release();
    void reportFailure(const std::optional<std::string>& reason);

    WeakOwner<Downloads>::Handle downloads_;
    std::filesystem::path destination_;
    bool failed_ = false;
    bool ended_ = false;
};

}  // namespace corvina
