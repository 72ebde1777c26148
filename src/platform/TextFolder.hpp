#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gio/gio.h>

#include "platform/SignalConnection.hpp"

namespace corvina {

// One file of a folder as read: its bytes, or why they could not be had.
struct FolderFile {
    enum class Read { ok, unreadable, tooLarge };
    std::string name;
    Read read = Read::ok;
    std::string bytes;
};

// The regular files of `folder` whose names end in `suffix`, in name order; a file over
// `maxBytes` is not read, nor one that is no regular file (a broken link). Hidden files,
// folders and temporary files of atomic writes are left out.
std::vector<FolderFile> readFolder(const std::filesystem::path& folder, const std::string& suffix, std::size_t maxBytes);
// One file of `folder` read the same way; nothing when it is gone or is not one `readFolder` lists.
std::optional<FolderFile> readFolderFile(const std::filesystem::path& folder, const std::string& name,
                                         const std::string& suffix, std::size_t maxBytes);
// A file anywhere, read the same way.
FolderFile readTextFile(const std::filesystem::path& file, std::size_t maxBytes);
bool removeFile(const std::filesystem::path& file);
// Creates the folder (and its parents); whether it exists now.
bool makeFolder(const std::filesystem::path& folder);

// What changed in a folder: the names of its files, or, when the folder itself changed,
// everything.
struct FolderChanges {
    bool all = false;
    std::set<std::string> names;
};

// Calls `changed` when anything in a folder changes, also from outside the app; the burst
// of events one save makes is told once.
class FolderMonitor {
public:
    FolderMonitor(const std::filesystem::path& folder, std::function<void(const FolderChanges&)> changed);
    ~FolderMonitor();
    FolderMonitor(const FolderMonitor&) = delete;
    FolderMonitor& operator=(const FolderMonitor&) = delete;

private:
    void note(GFile* file);

    GFile* folder_;
    GFileMonitor* monitor_ = nullptr;
    std::function<void(const FolderChanges&)> changed_;
    FolderChanges pendingChanges_;
    SignalConnection signal_;
    guint pending_ = 0;
};

}  // namespace corvina
