#include "web/downloads/Downloads.hpp"

#include "app/LocalizationManager.hpp"
#include "web/downloads/DownloadObserver.hpp"
#include "web/downloads/DownloadSettings.hpp"

namespace corvina {

Downloads::Downloads(WebKitNetworkSession* session, MainQueue& queue, LocalizationManager& localization,
                     const DownloadSettings& settings)
    : queue_(queue), localization_(localization), settings_(settings) {
    watch(session);
}

void Downloads::watch(WebKitNetworkSession* session) {
    started_.emplace_back(session, "download-started",
                          +[](WebKitNetworkSession*, WebKitDownload* download, Downloads* self) {
                              DownloadObserver::attach(download, self->owner_.handle());
                          },
                          this);
}

// Whatever the teardown sets off in the engine (the downloads it drops) finds this gone.
Downloads::~Downloads() {
    owner_.release();
    started_.clear();
}

std::filesystem::path Downloads::reserveDestination(const std::string& suggestedName) {
    auto destination = chooseDestination(settings_.customDownloadPath().get(), suggestedName, reservations_);
    reservations_.reserve(destination);
    return destination;
}

void Downloads::release(const std::filesystem::path& destination) { reservations_.release(destination); }

// The language is the one of the moment the download ended.
void Downloads::reportFinished() {
    queue_.post(owner_.bind([language = localization_.language()](Downloads& self) { self.reports_.finished(language); }));
}

void Downloads::reportFailed(const std::optional<std::string>& reason) {
    const auto language = localization_.language();
    queue_.post(owner_.bind([language, reason = reason.value_or(downloadInterruptedText.in(language))](Downloads& self) {
        self.reports_.failed(language, reason);
    }));
}

}  // namespace corvina
