#pragma once
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/AppLanguage.hpp"

namespace corvina {

// How a network session reaches the web: as the desktop says, directly, or through the
// proxy the user typed.
enum class ProxyMode { system, none, manual };

inline constexpr std::array<ProxyMode, 3> allProxyModes = {ProxyMode::system, ProxyMode::none, ProxyMode::manual};

std::string rawValue(ProxyMode mode);
// "Proxy: Use system settings", for the choice row.
std::string displayName(ProxyMode mode, AppLanguage language);

struct ProxySetting {
    ProxyMode mode = ProxyMode::system;
    // "http://host:port" or "socks5://host:port"; used only in manual mode.
    std::string address;
    // Hosts reached directly in manual mode: names, "*.example.com", addresses or ranges.
    std::vector<std::string> bypassHosts;

    bool operator==(const ProxySetting&) const = default;
};

// A typed proxy address, or why it cannot be used.
using ProxyAddressCheck = std::variant<std::string, LocalizedText>;

// Accepts "http://host:port" and "socks5://host:port" (also "https://", "socks://",
// "socks4://", "socks4a://"), with an optional user and password, and nothing after the
// port but a "/". The result is the address as the engine takes it.
ProxyAddressCheck checkProxyAddress(const std::string& typed);
// "localhost, *.lan\n10.0.0.0/8" → its entries, without blanks.
std::vector<std::string> splitBypassHosts(const std::string& typed);
std::string joinBypassHosts(const std::vector<std::string>& hosts);

// Whether a page at `address` goes through the setting's manual proxy: manual mode, and
// its host is not in the bypass list (by name, "*.suffix", address or address range).
bool goesThroughManualProxy(const ProxySetting& setting, const std::string& address);

// Stored as {"mode": "manual", "address": "...", "bypass": [...]}; anything else that
// does not read as such is the default (system settings).
nlohmann::json encodeProxySetting(const ProxySetting& setting);
ProxySetting decodeProxySetting(const nlohmann::json& stored);

}  // namespace corvina
