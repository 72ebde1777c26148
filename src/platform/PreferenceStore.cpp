#include "platform/PreferenceStore.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include <glib.h>

namespace corvina {

namespace fs = std::filesystem;

PreferenceStore::PreferenceStore(fs::path file) : file_(std::move(file)) { load(); }

void PreferenceStore::load() {
    std::ifstream in(file_, std::ios::binary);
    if (!in) return;
    std::stringstream text;
    text << in.rdbuf();
    auto parsed = nlohmann::json::parse(text.str(), nullptr, false);
    if (parsed.is_object()) {
        values_ = std::move(parsed);
        return;
    }
    moveAside();
}

void PreferenceStore::moveAside() {
    // Keep every unreadable file: pick a name that is not taken yet.
    fs::path target = file_.string() + ".corrupt";
    for (int n = 2; fs::exists(target); ++n) target = file_.string() + ".corrupt-" + std::to_string(n);
    std::error_code ignored;
    fs::rename(file_, target, ignored);
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

// Temporary file, fsync, rename: a crash leaves either the old or the new file whole.
// Failures are absorbed; the values stay in memory for this run.
void PreferenceStore::write() const {
    std::error_code error;
    fs::create_directories(file_.parent_path(), error);
    const std::string text = values_.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    const std::string temp = file_.string() + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const char* data = text.data();
    size_t left = text.size();
    bool ok = true;
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), file_.c_str()) != 0) ::unlink(temp.c_str());
}

}  // namespace corvina
