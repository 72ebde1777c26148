#include "app/ProxySetting.hpp"

#include <algorithm>

#include <gio/gio.h>

namespace corvina {

namespace {

constexpr std::array proxySchemes = {"http", "https", "socks", "socks4", "socks4a", "socks5"};

constexpr LocalizedText emptyAddress{"Type the proxy's address, as in http://proxy.example:8080.",
                                     "請輸入代理伺服器的位址，例如 http://proxy.example:8080。",
                                     "请输入代理服务器的地址，例如 http://proxy.example:8080。"};
constexpr LocalizedText unparsable{"This is not an address: write it as http://host:port or socks5://host:port.",
                                   "這不是有效的位址：請寫成 http://主機:連接埠 或 socks5://主機:連接埠。",
                                   "这不是有效的地址：请写成 http://主机:端口 或 socks5://主机:端口。"};
constexpr LocalizedText badScheme{"The address must start with http:// or socks5://.",
                                  "位址必須以 http:// 或 socks5:// 開頭。", "地址必须以 http:// 或 socks5:// 开头。"};
constexpr LocalizedText noHost{"The address has no host name.", "位址缺少主機名稱。", "地址缺少主机名。"};
constexpr LocalizedText noPort{"The address needs the proxy's port, as in http://proxy.example:8080.",
                               "位址需要代理伺服器的連接埠，例如 http://proxy.example:8080。",
                               "地址需要代理服务器的端口，例如 http://proxy.example:8080。"};
constexpr LocalizedText trailing{"Nothing may follow the port.", "連接埠之後不能再有其他內容。", "端口之后不能再有其他内容。"};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return g_ascii_tolower(c); });
    return text;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isBlank(char c) { return isSpace(c) || c == ','; }

std::string trimmed(const std::string& text) {
    const auto begin = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto end = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return begin < end ? std::string(begin, end) : std::string();
}

// The host without the brackets an IPv6 address wears in an address.
std::optional<std::string> hostOf(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return std::nullopt;
    std::optional<std::string> host;
    if (const char* name = g_uri_get_host(uri)) host = lower(name);
    g_uri_unref(uri);
    return host;
}

bool bypassMatches(const std::string& entry, const std::string& host) {
    const std::string pattern = lower(entry);
    if (pattern == host) return true;
    if (pattern.starts_with("*.")) return host.ends_with(pattern.substr(1));
    if (pattern.starts_with(".")) return host.ends_with(pattern);
    GInetAddress* address = g_inet_address_new_from_string(host.c_str());
    if (!address) return false;
    bool inside = false;
    if (GInetAddressMask* mask = g_inet_address_mask_new_from_string(pattern.c_str(), nullptr)) {
        inside = g_inet_address_mask_matches(mask, address);
        g_object_unref(mask);
    }
    g_object_unref(address);
    return inside;
}

}  // namespace

std::string rawValue(ProxyMode mode) {
    switch (mode) {
        case ProxyMode::none: return "none";
        case ProxyMode::manual: return "manual";
        case ProxyMode::system: break;
    }
    return "system";
}

std::string displayName(ProxyMode mode, AppLanguage language) {
    switch (mode) {
        case ProxyMode::none: return LocalizedText{"No proxy", "不使用代理", "不使用代理"}.in(language);
        case ProxyMode::manual: return LocalizedText{"Manual", "手動", "手动"}.in(language);
        case ProxyMode::system: break;
    }
    return LocalizedText{"Use system settings", "使用系統設定", "使用系统设置"}.in(language);
}

ProxyAddressCheck checkProxyAddress(const std::string& typed) {
    const std::string text = trimmed(typed);
    if (text.empty()) return emptyAddress;
    if (text.find("://") == std::string::npos) return badScheme;
    GUri* uri = g_uri_parse(text.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return unparsable;
    const std::string scheme = g_uri_get_scheme(uri);
    const std::string host = g_uri_get_host(uri) ? g_uri_get_host(uri) : "";
    const std::string path = g_uri_get_path(uri);
    const int port = g_uri_get_port(uri);
    const bool extra = (!path.empty() && path != "/") || g_uri_get_query(uri) || g_uri_get_fragment(uri);
    g_uri_unref(uri);
    if (std::ranges::find(proxySchemes, scheme) == proxySchemes.end()) return badScheme;
    if (host.empty()) return noHost;
    // The parser lets through hosts no resolver would take.
    if (!std::ranges::all_of(host, [](char c) { return g_ascii_isalnum(c) || c == '.' || c == '-' || c == ':' || c == '_'; }))
        return unparsable;
    if (port <= 0) return noPort;
    if (extra) return trailing;
    return path.empty() ? text : text.substr(0, text.size() - 1);
}

std::vector<std::string> splitBypassHosts(const std::string& typed) {
    std::vector<std::string> hosts;
    std::string current;
    for (char c : typed + ' ') {
        if (!isBlank(c)) {
            current += c;
            continue;
        }
        if (!current.empty()) hosts.push_back(std::exchange(current, {}));
    }
    return hosts;
}

std::string joinBypassHosts(const std::vector<std::string>& hosts) {
    std::string joined;
    for (const auto& host : hosts) joined += (joined.empty() ? "" : ", ") + host;
    return joined;
}

bool goesThroughManualProxy(const ProxySetting& setting, const std::string& address) {
    if (setting.mode != ProxyMode::manual) return false;
    const auto host = hostOf(address);
    if (!host) return false;
    return std::ranges::none_of(setting.bypassHosts, [&](const std::string& entry) { return bypassMatches(entry, *host); });
}

nlohmann::json encodeProxySetting(const ProxySetting& setting) {
    return {{"mode", rawValue(setting.mode)}, {"address", setting.address}, {"bypass", setting.bypassHosts}};
}

ProxySetting decodeProxySetting(const nlohmann::json& stored) {
    ProxySetting setting;
    if (!stored.is_object()) return setting;
    const auto mode = stored.find("mode");
    if (mode == stored.end() || !mode->is_string()) return setting;
    for (auto candidate : allProxyModes)
        if (mode->get<std::string>() == rawValue(candidate)) setting.mode = candidate;
    if (const auto address = stored.find("address"); address != stored.end() && address->is_string())
        setting.address = address->get<std::string>();
    if (const auto bypass = stored.find("bypass"); bypass != stored.end() && bypass->is_array())
        for (const auto& host : *bypass)
            if (host.is_string()) setting.bypassHosts.push_back(host.get<std::string>());
    // A manual setting whose address no longer reads as one would send nothing anywhere.
    if (setting.mode == ProxyMode::manual && !std::holds_alternative<std::string>(checkProxyAddress(setting.address)))
        setting.mode = ProxyMode::system;
    return setting;
}

}  // namespace corvina
