#pragma once
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
    // Reads `file` now. A file that does not parse is moved aside (never deleted) and the
    // store starts empty.
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
};

}  // namespace corvina
