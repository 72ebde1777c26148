#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace corvina {

using Bytes = std::vector<std::uint8_t>;

// The per-user key-value store: one JSON object in a file, rewritten atomically on every
// change. A value of another type than the one asked for reads as absent.
class PreferenceStore {
public:
    // Larger files, and deeper nesting, are not preferences this app wrote.
    static constexpr std::size_t maxFileSize = 16 * 1024 * 1024;
    static constexpr int maxNesting = 64;

    // Reads `file` now. What is not a JSON object in a regular file within the limits is
    // moved aside (never deleted) and the store starts empty. A file that is there but
    // cannot be opened or read is left as it is: the store starts empty and writes nothing
    // this run, so the user's file is never replaced by defaults.
    explicit PreferenceStore(std::filesystem::path file);

    std::optional<bool> boolValue(const std::string& key) const;
    std::optional<std::string> stringValue(const std::string& key) const;
    std::optional<Bytes> dataValue(const std::string& key) const;
    // The stored JSON as it is, whatever its type.
    std::optional<nlohmann::json> rawValue(const std::string& key) const;

    void setBool(const std::string& key, bool value);
    void setString(const std::string& key, const std::string& value);
    void setData(const std::string& key, const Bytes& value);
    void setRaw(const std::string& key, nlohmann::json value);
    void remove(const std::string& key);

private:
    void load();
    void moveAside();
    void write() const;

    std::filesystem::path file_;
    nlohmann::json values_ = nlohmann::json::object();
    // False while a file that could not be read is at the path: changes stay in memory.
    bool writable_ = true;
};

}  // namespace corvina
