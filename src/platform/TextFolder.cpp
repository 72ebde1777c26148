#include "platform/TextFolder.hpp"

#include <algorithm>
#include <fstream>
#include <system_error>

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

std::vector<FolderFile> readFolder(const fs::path& folder, const std::string& suffix, std::size_t maxBytes) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.') || !name.ends_with(suffix) || entry.is_directory(error)) continue;
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<FolderFile> out;
    out.reserve(files.size());
    for (const auto& file : files) out.push_back(readTextFile(file, maxBytes));
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

FolderMonitor::FolderMonitor(const fs::path& folder, std::function<void()> changed) : changed_(std::move(changed)) {
    GFile* file = g_file_new_for_path(folder.c_str());
    monitor_ = g_file_monitor_directory(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
    g_object_unref(file);
    if (!monitor_) return;
    signal_ = SignalConnection(monitor_, "changed",
                               +[](GFileMonitor*, GFile*, GFile*, GFileMonitorEvent, FolderMonitor* self) {
                                   if (self->pending_) return;
                                   self->pending_ = g_timeout_add(30, +[](gpointer data) {
                                       auto* monitor = static_cast<FolderMonitor*>(data);
                                       monitor->pending_ = 0;
                                       monitor->changed_();
                                       return G_SOURCE_REMOVE;
                                   }, self);
                               },
                               this);
}

FolderMonitor::~FolderMonitor() {
    signal_.disconnect();
    if (pending_) g_source_remove(pending_);
    if (monitor_) {
        g_file_monitor_cancel(monitor_);
        g_object_unref(monitor_);
    }
}

}  // namespace corvina
