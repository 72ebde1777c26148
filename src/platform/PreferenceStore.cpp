#include "platform/PreferenceStore.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include <glib.h>

#include "platform/AtomicFile.hpp"

namespace corvina {

namespace fs = std::filesystem;

namespace {

enum class FileRead { missing, unreadable, refused, read };

// Reads the whole file if it is a regular one within the size limit. Opening does not wait
// on a FIFO, and a device is never read.
FileRead readRegularFile(const fs::path& file, std::string& text) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        // Nothing at all there, not even a dangling link: a first run.
        struct stat link {};
        return errno == ENOENT && ::lstat(file.c_str(), &link) != 0 && errno == ENOENT ? FileRead::missing
                                                                                          : FileRead::unreadable;
    }
    struct stat info {};
    FileRead result = FileRead::read;
    if (::fstat(fd, &info) != 0)
        result = FileRead::unreadable;
    else if (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > PreferenceStore::maxFileSize)
        result = FileRead::refused;
    char buffer[65536];
    while (result == FileRead::read) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0 && errno == EINTR) continue;
        if (count < 0)
            result = FileRead::unreadable;
        else if (text.size() + static_cast<std::size_t>(count) > PreferenceStore::maxFileSize)
            result = FileRead::refused;  // it grew while we read
        else
            text.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return result;
}

// How deep arrays and objects nest, strings skipped; counted before parsing, which would
// build every level.
int nestingDepth(std::string_view text) {
    int depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

}  // namespace

PreferenceStore::PreferenceStore(fs::path file) : file_(std::move(file)) { load(); }

void PreferenceStore::load() {
    std::string text;
    switch (readRegularFile(file_, text)) {
        case FileRead::missing: return;
        case FileRead::unreadable:
            writable_ = false;
            g_warning("Cannot read %s; using defaults and leaving the file as it is", file_.c_str());
            return;
        case FileRead::refused: moveAside(); return;
        case FileRead::read: break;
    }
    // The parser would stop at a NUL and drop what follows it; no JSON text has one.
    if (text.find('\0') == std::string::npos && nestingDepth(text) <= maxNesting) {
        auto parsed = nlohmann::json::parse(text, nullptr, false);
        if (parsed.is_object()) {
            values_ = std::move(parsed);
            return;
        }
    }
    moveAside();
}

void PreferenceStore::moveAside() {
    // Keep every unreadable file: pick a name that is not taken yet, not even by a link.
    fs::path target = file_.string() + ".corrupt";
    for (int n = 2; fs::exists(fs::symlink_status(target)); ++n)
        target = file_.string() + ".corrupt-" + std::to_string(n);
    std::error_code error;
    fs::rename(file_, target, error);
    // Still in the way: writing would replace it.
    if (error) writable_ = false;
}

std::optional<nlohmann::json> PreferenceStore::rawValue(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return *it;
}

std::optional<bool> PreferenceStore::boolValue(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end() || !it->is_boolean()) return std::nullopt;
    return it->get<bool>();
}

std::optional<std::string> PreferenceStore::stringValue(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end() || !it->is_string()) return std::nullopt;
    return it->get<std::string>();
}

std::optional<Bytes> PreferenceStore::dataValue(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end() || !it->is_object() || it->size() != 1) return std::nullopt;
    auto encoded = it->find("base64");
    if (encoded == it->end() || !encoded->is_string()) return std::nullopt;
    const auto& text = encoded->get_ref<const std::string&>();
    gsize length = 0;
    guchar* decoded = g_base64_decode(text.c_str(), &length);
    Bytes bytes(decoded, decoded + length);
    g_free(decoded);
    return bytes;
}

void PreferenceStore::setBool(const std::string& key, bool value) { setRaw(key, value); }

void PreferenceStore::setString(const std::string& key, const std::string& value) { setRaw(key, value); }

void PreferenceStore::setData(const std::string& key, const Bytes& value) {
    gchar* encoded = g_base64_encode(value.data(), value.size());
    nlohmann::json object = {{"base64", std::string(encoded)}};
    g_free(encoded);
    setRaw(key, std::move(object));
}

void PreferenceStore::setRaw(const std::string& key, nlohmann::json value) {
    values_[key] = std::move(value);
    write();
}

void PreferenceStore::remove(const std::string& key) {
    if (values_.erase(key) > 0) write();
}

// Failures are absorbed; the values stay in memory for this run.
void PreferenceStore::write() const {
    if (!writable_) return;
    std::error_code error;
    fs::create_directories(file_.parent_path(), error);
    const std::string text = values_.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    writeFileAtomically(file_, text, 0600);
}

}  // namespace corvina
