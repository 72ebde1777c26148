#include "web/downloads/DownloadObserver.hpp"

#include "web/downloads/Downloads.hpp"

namespace corvina {

// The handlers end with the download: the observer is the download's own data, and the
// download holds no one else's.
void DownloadObserver::attach(WebKitDownload* download, WeakOwner<Downloads>::Handle downloads) {
    auto* observer = new DownloadObserver(std::move(downloads));
    g_object_set_data_full(G_OBJECT(download), "corvina-download-observer", observer,
                           [](gpointer data) { delete static_cast<DownloadObserver*>(data); });
    g_signal_connect(download, "decide-destination", G_CALLBACK(onDecideDestination), observer);
    g_signal_connect(download, "failed", G_CALLBACK(onFailed), observer);
    g_signal_connect(download, "finished", G_CALLBACK(onFinished), observer);
}

// Saved without asking, into the chosen folder, never over an existing file or one that
// another running download is about to write.
gboolean DownloadObserver::onDecideDestination(WebKitDownload* download, const char* suggested, gpointer self) {
    auto* observer = static_cast<DownloadObserver*>(self);
    auto* downloads = observer->downloads_.get();
    if (!downloads) return FALSE;
    observer->destination_ = downloads->reserveDestination(suggested ? suggested : "");
    webkit_download_set_allow_overwrite(download, FALSE);
    webkit_download_set_destination(download, observer->destination_.c_str());
    return TRUE;
}

void DownloadObserver::onFailed(WebKitDownload*, GError* error, gpointer self) {
    auto* observer = static_cast<DownloadObserver*>(self);
    observer->failed_ = true;
    observer->reportFailure(error ? std::optional<std::string>(error->message) : std::nullopt);
}

// The engine also reports the end of a failed download: that one already had its toast.
void DownloadObserver::onFinished(WebKitDownload*, gpointer self) {
    auto* observer = static_cast<DownloadObserver*>(self);
    observer->ended_ = true;
    observer->release();
    if (observer->failed_) return;
    if (auto* downloads = observer->downloads_.get()) downloads->reportFinished();
}

// When its network process dies, the engine drops a download without reporting either
// end. The user still learns that it failed, and its name is free again.
DownloadObserver::~DownloadObserver() {
    if (!ended_ && !failed_) reportFailure(std::nullopt);
}

void DownloadObserver::reportFailure(const std::optional<std::string>& reason) {
    release();
    if (auto* downloads = downloads_.get()) downloads->reportFailed(reason);
}

void DownloadObserver::release() {
    if (auto* downloads = downloads_.get(); downloads && !destination_.empty()) downloads->release(destination_);
}

}  // namespace corvina
