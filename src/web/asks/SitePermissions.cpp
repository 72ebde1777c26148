#include "web/asks/SitePermissions.hpp"

#include <algorithm>

#include <gio/gio.h>

#include "web/page/PageTrouble.hpp"

namespace corvina {

namespace {

constexpr const char* sitesKey = "sites";
constexpr const char* certificatesKey = "certificates";

LocalizedText kindText(PermissionKind kind) {
    switch (kind) {
        case PermissionKind::microphone: return {"use your microphone", "使用你的麥克風", "使用你的麦克风"};
        case PermissionKind::camera: return {"use your camera", "使用你的相機", "使用你的摄像头"};
        case PermissionKind::notifications: return {"show notifications", "顯示通知", "显示通知"};
        case PermissionKind::clipboardRead: return {"read your clipboard", "讀取你的剪貼簿", "读取你的剪贴板"};
    }
    return {"", "", ""};
}

}  // namespace

std::string rawValue(PermissionKind kind) {
    switch (kind) {
        case PermissionKind::microphone: return "microphone";
        case PermissionKind::camera: return "camera";
        case PermissionKind::notifications: return "notifications";
        case PermissionKind::clipboardRead: return "clipboardRead";
    }
    return "";
}

std::string permissionRequestText(const std::string& site, const std::vector<PermissionKind>& kinds,
                                  AppLanguage language) {
    const bool chinese = language != AppLanguage::en;
    std::string wanted;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0) wanted += chinese ? (language == AppLanguage::zhTW ? "及" : "和") : " and ";
        wanted += kindText(kinds[i]).in(language);
    }
    const auto host = displayHost(site);
    if (!chinese) return host + " wants to " + wanted;
    return host + " 想要" + wanted;
}

std::optional<std::string> siteOf(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return std::nullopt;
    const std::string scheme = g_uri_get_scheme(uri);
    const char* host = g_uri_get_host(uri);
    int port = g_uri_get_port(uri);
    std::optional<std::string> site;
    if ((scheme == "http" || scheme == "https") && host && *host) {
        if (port < 0) port = scheme == "https" ? 443 : 80;
        std::string name = host;
        for (auto& c : name) c = g_ascii_tolower(c);
        site = scheme + "://" + name + ":" + std::to_string(port);
    }
    g_uri_unref(uri);
    return site;
}

SitePermissions::SitePermissions(PreferenceStore& file) : file_(file) { publish(); }

std::optional<bool> SitePermissions::answer(const std::string& site, PermissionKind kind) const {
    const auto sites = file_.rawValue(sitesKey);
    if (!sites || !sites->is_object() || !sites->contains(site)) return std::nullopt;
    const auto& answers = (*sites)[site];
    if (!answers.is_object() || !answers.contains(rawValue(kind)) || !answers[rawValue(kind)].is_boolean())
        return std::nullopt;
    return answers[rawValue(kind)].get<bool>();
}

void SitePermissions::remember(const std::string& site, PermissionKind kind, bool allowed) {
    auto sites = file_.rawValue(sitesKey).value_or(nlohmann::json::object());
    if (!sites.is_object()) sites = nlohmann::json::object();
    if (!sites[site].is_object()) sites[site] = nlohmann::json::object();
    sites[site][rawValue(kind)] = allowed;
    file_.setRaw(sitesKey, std::move(sites));
    publish();
}

std::vector<std::string> SitePermissions::sitesWithNotifications(bool allowed) const {
    std::vector<std::string> found;
    const auto sites = file_.rawValue(sitesKey);
    if (!sites || !sites->is_object()) return found;
    for (const auto& [site, answers] : sites->items())
        if (answer(site, PermissionKind::notifications) == allowed) found.push_back(site);
    return found;
}

void SitePermissions::trustCertificate(const std::string& sessionKey, const std::string& host, const std::string& pem) {
    auto all = file_.rawValue(certificatesKey).value_or(nlohmann::json::object());
    if (!all.is_object()) all = nlohmann::json::object();
    if (!all[sessionKey].is_array()) all[sessionKey] = nlohmann::json::array();
    const nlohmann::json entry{{"host", host}, {"pem", pem}};
    if (std::find(all[sessionKey].begin(), all[sessionKey].end(), entry) == all[sessionKey].end())
        all[sessionKey].push_back(entry);
    file_.setRaw(certificatesKey, std::move(all));
    publish();
}

std::vector<TrustedCertificate> SitePermissions::trustedCertificates(const std::string& sessionKey) const {
    std::vector<TrustedCertificate> found;
    const auto all = file_.rawValue(certificatesKey);
    if (!all || !all->is_object() || !all->contains(sessionKey) || !(*all)[sessionKey].is_array()) return found;
    for (const auto& entry : (*all)[sessionKey]) {
        if (!entry.is_object() || !entry.contains("host") || !entry.contains("pem")) continue;
        if (entry["host"].is_string() && entry["pem"].is_string())
            found.push_back({entry["host"].get<std::string>(), entry["pem"].get<std::string>()});
    }
    return found;
}

void SitePermissions::forgetCertificates(const std::string& sessionKey) {
    auto all = file_.rawValue(certificatesKey);
    if (!all || !all->is_object() || !all->contains(sessionKey)) return;
    all->erase(sessionKey);
    file_.setRaw(certificatesKey, std::move(*all));
    publish();
}

void SitePermissions::reset() {
    file_.remove(sitesKey);
    file_.remove(certificatesKey);
    publish();
}

void SitePermissions::publish() {
    int count = 0;
    if (const auto sites = file_.rawValue(sitesKey); sites && sites->is_object())
        for (const auto& [site, answers] : sites->items()) count += answers.is_object() ? int(answers.size()) : 0;
    if (const auto all = file_.rawValue(certificatesKey); all && all->is_object())
        for (const auto& [session, certificates] : all->items())
            count += certificates.is_array() ? int(certificates.size()) : 0;
    answerCount_.set(count);
}

}  // namespace corvina
