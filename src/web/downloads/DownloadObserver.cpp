#include "web/downloads/DownloadObserver.hpp"

#include "web/downloads/DownloadSettings.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

void DownloadObserver::attach(WebKitDownload* download, std::weak_ptr<WebViewStore*> store) {
    auto* observer = new DownloadObserver(std::move(store));
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
    auto alive = observer->store_.lock();
    if (!alive) return FALSE;
    auto* store = *alive;
    observer->destination_ = chooseDestination(store->downloads_.customDownloadPath().get(),
                                               suggested ? suggested : "", store->reservations_);
    store->reservations_.reserve(observer->destination_);
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
    if (auto alive = observer->store_.lock()) (*alive)->reportDownloadFinished();
}

// When its network process dies, the engine drops a download without reporting either
// end. The user still learns that it failed, and its name is free again.
DownloadObserver::~DownloadObserver() {
    if (!ended_ && !failed_) reportFailure(std::nullopt);
}

void DownloadObserver::reportFailure(const std::optional<std::string>& reason) {
    release();
    if (auto alive = store_.lock()) (*alive)->reportDownloadFailed(reason);
}

void DownloadObserver::release() {
    if (auto alive = store_.lock(); alive && !destination_.empty()) (*alive)->reservations_.release(destination_);
}

}  // namespace corvina
