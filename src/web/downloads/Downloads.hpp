#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <webkit/webkit.h>

#include "platform/MainQueue.hpp"
#include "platform/SignalConnection.hpp"
#include "platform/WeakOwner.hpp"
#include "web/downloads/DownloadNames.hpp"
#include "web/downloads/DownloadReports.hpp"

namespace corvina {

class DownloadSettings;
class LocalizationManager;

// Every download of the network sessions it watches, also those the engine starts itself: each is saved
// without asking into the chosen folder under a name no other file or running download
// has, and its end is told by the toast the panes show.
class Downloads {
public:
    Downloads(WebKitNetworkSession* session, MainQueue& queue, LocalizationManager& localization,
              const DownloadSettings& settings);
    ~Downloads();
    Downloads(const Downloads&) = delete;
    Downloads& operator=(const Downloads&) = delete;

    // Downloads of this session too.
    void watch(WebKitNetworkSession* session);

    // The file a new download writes, held until `release`.
    std::filesystem::path reserveDestination(const std::string& suggestedName);
    void release(const std::filesystem::path& destination);
    // A download ended: the toast says so in the interface language of this moment.
    void reportFinished();
    // `reason`: the engine's description; none when the engine gave none.
    void reportFailed(const std::optional<std::string>& reason);

    const Published<bool>& toastShown() const { return reports_.shown(); }
    const Published<std::string>& toastMessage() const { return reports_.message(); }
    void dismissToast() { reports_.dismiss(); }

private:
    WeakOwner<Downloads> owner_{this};
    MainQueue& queue_;
    LocalizationManager& localization_;
    const DownloadSettings& settings_;
    DownloadReports reports_{queue_};
    DownloadNameReservations reservations_;
    std::vector<SignalConnection> started_;
};

}  // namespace corvina
