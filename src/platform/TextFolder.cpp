#include "platform/TextFolder.hpp"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <utility>

namespace corvina {

namespace fs = std::filesystem;

FolderFile readTextFile(const fs::path& file, std::size_t maxBytes) {
    FolderFile out{file.filename().string(), FolderFile::Read::ok, {}};
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error || !fs::is_regular_file(file, error)) {
        out.read = FolderFile::Read::unreadable;
        return out;
    }
    if (size > maxBytes) {
        out.read = FolderFile::Read::tooLarge;
        return out;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        out.read = FolderFile::Read::unreadable;
        return out;
    }
    out.bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) out.read = FolderFile::Read::unreadable;
    return out;
}

namespace {

bool listedName(const std::string& name, const std::string& suffix) {
    return !name.starts_with('.') && name.ends_with(suffix);
}

}  // namespace

std::optional<FolderFile> readFolderFile(const fs::path& folder, const std::string& name, const std::string& suffix,
                                         std::size_t maxBytes) {
    std::error_code error;
    // A dangling link is listed, as unreadable.
    if (!listedName(name, suffix) || !fs::exists(fs::symlink_status(folder / name, error)) ||
        fs::is_directory(folder / name, error))
        return std::nullopt;
    return readTextFile(folder / name, maxBytes);
}

std::vector<FolderFile> readFolder(const fs::path& folder, const std::string& suffix, std::size_t maxBytes) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<FolderFile> out;
    out.reserve(names.size());
    for (const auto& name : names)
        if (auto file = readFolderFile(folder, name, suffix, maxBytes)) out.push_back(std::move(*file));
    return out;
}

bool removeFile(const fs::path& file) {
    std::error_code error;
    return fs::remove(file, error);
}

bool makeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

FolderMonitor::FolderMonitor(const fs::path& folder, std::function<void(const FolderChanges&)> changed)
    : folder_(g_file_new_for_path(folder.c_str())), changed_(std::move(changed)) {
    monitor_ = g_file_monitor_directory(folder_, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
    if (!monitor_) return;
    signal_ = SignalConnection(monitor_, "changed",
                               +[](GFileMonitor*, GFile* file, GFile* other, GFileMonitorEvent, FolderMonitor* self) {
                                   self->note(file);
                                   if (other) self->note(other);
                                   if (self->pending_) return;
                                   self->pending_ = g_timeout_add(30, +[](gpointer data) {
                                       auto* monitor = static_cast<FolderMonitor*>(data);
                                       monitor->pending_ = 0;
                                       const auto changes = std::exchange(monitor->pendingChanges_, {});
                                       monitor->changed_(changes);
                                       return G_SOURCE_REMOVE;
                                   }, self);
                               },
                               this);
}

// A file of the folder by its name; anything else (the folder itself) as everything.
void FolderMonitor::note(GFile* file) {
    GFile* parent = g_file_get_parent(file);
    const bool inFolder = parent && g_file_equal(parent, folder_);
    if (parent) g_object_unref(parent);
    if (!inFolder) {
        pendingChanges_.all = true;
        return;
    }
    char* name = g_file_get_basename(file);
    pendingChanges_.names.insert(name);
    g_free(name);
}

FolderMonitor::~FolderMonitor() {
    signal_.disconnect();
    if (pending_) g_source_remove(pending_);
    if (monitor_) {
        g_file_monitor_cancel(monitor_);
        g_object_unref(monitor_);
    }
    g_object_unref(folder_);
}

}  // namespace corvina
