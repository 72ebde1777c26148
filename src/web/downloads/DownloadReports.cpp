#include "web/downloads/DownloadReports.hpp"

#include "web/downloads/DownloadNames.hpp"

namespace corvina {

void DownloadReports::finished(AppLanguage language) {
    if (failures_ > 0) return;
    show(downloadFinishedMessage(language));
}

void DownloadReports::failed(AppLanguage language, const std::string& reason) {
    ++failures_;
    show(downloadFailedMessage(language, reason, failures_));
}

void DownloadReports::dismiss() {
    hideTimer_.reset();
    hide();
}

// A newer report replaces the pending hide, so it always stays the full time.
void DownloadReports::show(std::string message) {
    message_.set(std::move(message));
    shown_.set(true);
    hideTimer_ = queue_.after(shownFor, [this] { hide(); });
}

void DownloadReports::hide() {
    failures_ = 0;
    shown_.set(false);
}

}  // namespace corvina
