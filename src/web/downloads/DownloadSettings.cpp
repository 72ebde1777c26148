#include "web/downloads/DownloadSettings.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <system_error>

namespace corvina {

namespace fs = std::filesystem;

namespace {

// Bytes: magic, device and inode as little-endian 64-bit numbers, then the path as it is
// (a path need not be UTF-8, so no text format).
constexpr std::array<std::uint8_t, 5> bookmarkMagic = {'C', 'V', 'F', 'B', 1};
constexpr std::size_t bookmarkHeaderSize = bookmarkMagic.size() + 16;

void appendNumber(Bytes& bytes, std::uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint64_t readNumber(const Bytes& bytes, std::size_t offset) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[offset + static_cast<std::size_t>(i)];
    return value;
}

std::optional<struct stat> directoryStatus(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
    return status;
}

}  // namespace

std::optional<FolderBookmark> FolderBookmark::make(const fs::path& folder) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error);
    if (error || folder.empty()) return std::nullopt;
    const auto status = directoryStatus(absolute);
    if (!status) return std::nullopt;
    return FolderBookmark{absolute, static_cast<std::uint64_t>(status->st_dev),
                          static_cast<std::uint64_t>(status->st_ino)};
}

Bytes FolderBookmark::encode() const {
    Bytes bytes(bookmarkMagic.begin(), bookmarkMagic.end());
    appendNumber(bytes, device);
    appendNumber(bytes, inode);
    const std::string& text = path.native();
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

std::optional<FolderBookmark> FolderBookmark::decode(const Bytes& data) {
    if (data.size() <= bookmarkHeaderSize || !std::equal(bookmarkMagic.begin(), bookmarkMagic.end(), data.begin()))
        return std::nullopt;
    fs::path path(std::string(data.begin() + bookmarkHeaderSize, data.end()));
    if (!path.is_absolute()) return std::nullopt;
    return FolderBookmark{std::move(path), readNumber(data, bookmarkMagic.size()),
                          readNumber(data, bookmarkMagic.size() + 8)};
}

std::optional<FolderBookmark::Resolved> FolderBookmark::resolve() const {
    const auto status = directoryStatus(path);
    if (!status) return std::nullopt;
    const bool stale = static_cast<std::uint64_t>(status->st_dev) != device ||
                       static_cast<std::uint64_t>(status->st_ino) != inode;
    return Resolved{path, stale};
}

DownloadSettings::DownloadSettings(PreferenceStore& preferences, MainQueue& queue, fs::path defaultFolder)
    : preferences_(preferences),
      queue_(queue),
      defaultFolder_(std::move(defaultFolder)),
      customDownloadPath_(loadSavedPath()) {}

// The stored bookmark, then the stored plain path, then the default folder.
fs::path DownloadSettings::loadSavedPath() {
    if (auto data = preferences_.dataValue(bookmarkKey))
        if (auto bookmark = FolderBookmark::decode(*data))
            if (auto resolved = bookmark->resolve()) {
                if (!resolved->stale) return resolved->path;
                if (auto fresh = FolderBookmark::make(resolved->path)) {
                    preferences_.setData(bookmarkKey, fresh->encode());
                    return resolved->path;
                }
            }
    if (auto fallback = preferences_.stringValue(fallbackKey); fallback && !fallback->empty()) return *fallback;
    return defaultFolder();
}

fs::path DownloadSettings::defaultFolder() const {
    if (!defaultFolder_.empty()) return defaultFolder_;
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    return error ? fs::path("/tmp") : temp;
}

void DownloadSettings::publishLater(fs::path folder) {
    queue_.post(owner_.bind(
        [folder = std::move(folder)](DownloadSettings& self) { self.customDownloadPath_.set(folder); }));
}

void DownloadSettings::chooseFolder(std::function<void(bool)> done) {
    if (!chooser_) {
        if (done) done(false);
        return;
    }
    // `done` hears back even when the settings went meanwhile.
    chooser_([owner = owner_.handle(), done = std::move(done)](std::optional<fs::path> folder) {
        auto* self = owner.get();
        const bool adopted = self && folder && !folder->empty();
        if (adopted) self->setDownloadPath(*folder);
        if (done) done(adopted);
    });
}

// The key not written is removed, so an older choice never outranks this one at the
// next launch.
void DownloadSettings::setDownloadPath(const fs::path& folder) {
    if (auto bookmark = FolderBookmark::make(folder)) {
        preferences_.setData(bookmarkKey, bookmark->encode());
        preferences_.remove(fallbackKey);
    } else {
        preferences_.setString(fallbackKey, folder.string());
        preferences_.remove(bookmarkKey);
    }
    publishLater(folder);
}

void DownloadSettings::resetToDefault() {
    preferences_.remove(bookmarkKey);
    preferences_.remove(fallbackKey);
    publishLater(defaultFolder());
}

}  // namespace corvina
