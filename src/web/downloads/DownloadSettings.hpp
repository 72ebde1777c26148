#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/AppLanguage.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"
#include "platform/WeakOwner.hpp"
#include "platform/XdgPaths.hpp"

namespace corvina {

// A lasting reference to a folder: its path and the identity (device, inode) of the
// folder found there when the reference was made. Opaque bytes when stored.
struct FolderBookmark {
    std::filesystem::path path;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    // Nullopt unless `folder` is an existing directory.
    static std::optional<FolderBookmark> make(const std::filesystem::path& folder);
    // Nullopt for bytes that are not a bookmark.
    static std::optional<FolderBookmark> decode(const Bytes& data);
    Bytes encode() const;

    struct Resolved {
        std::filesystem::path path;
        bool stale;  // another folder now stands at the path
    };
    // Nullopt when no directory stands at the path any more.
    std::optional<Resolved> resolve() const;
};

// The one folder all downloads go to, persisted across launches.
class DownloadSettings {
public:
    static constexpr const char* bookmarkKey = "downloadPathBookmark";
    static constexpr const char* fallbackKey = "downloadPathFallback";
    // Title and confirm button of the folder chooser.
    static constexpr LocalizedText folderChooserText{"Select Download Directory...", "選擇下載目錄...",
                                                     "选择下载目录..."};

    // Asks the user for a folder; calls the completion exactly once, with nullopt when the
    // user cancels. Start in `customDownloadPath`; offer creating folders.
    using FolderChooser = std::function<void(std::function<void(std::optional<std::filesystem::path>)>)>;

    // `defaultFolder` empty means the temporary directory.
    DownloadSettings(PreferenceStore& preferences, MainQueue& queue,
                     std::filesystem::path defaultFolder = XdgPaths::downloadsDir());
    DownloadSettings(const DownloadSettings&) = delete;
    DownloadSettings& operator=(const DownloadSettings&) = delete;

    const Published<std::filesystem::path>& customDownloadPath() const { return customDownloadPath_; }

    void setFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }
    // Runs the chooser; `done` learns whether a folder was adopted. Without a chooser
    // nothing happens and `done` gets false at once.
    void chooseFolder(std::function<void(bool)> done = {});
    // Stores the folder now; the published path follows on the main queue.
    void setDownloadPath(const std::filesystem::path& folder);
    // Forgets the stored folder; the published path follows on the main queue.
    void resetToDefault();

private:
    std::filesystem::path loadSavedPath();
    std::filesystem::path defaultFolder() const;
    void publishLater(std::filesystem::path folder);

    PreferenceStore& preferences_;
    MainQueue& queue_;
    std::filesystem::path defaultFolder_;
    FolderChooser chooser_;
    Published<std::filesystem::path> customDownloadPath_;
    // Posted work and chooser completions hold the settings weakly.
    WeakOwner<DownloadSettings> owner_{this};
};

}  // namespace corvina
