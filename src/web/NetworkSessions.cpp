#include "web/NetworkSessions.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "web/asks/SitePermissions.hpp"

namespace corvina {

namespace {

constexpr std::size_t longestPlainFolder = 100;

std::string privateFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    ::chmod(folder.c_str(), 0700);
    return folder.string();
}

void applyProxy(WebKitNetworkSession* session, const ProxySetting& setting) {
    const auto address = checkProxyAddress(setting.address);
    if (setting.mode == ProxyMode::none) {
        webkit_network_session_set_proxy_settings(session, WEBKIT_NETWORK_PROXY_MODE_NO_PROXY, nullptr);
    } else if (setting.mode == ProxyMode::manual && std::holds_alternative<std::string>(address)) {
        std::vector<const char*> ignored;
        for (const auto& host : setting.bypassHosts) ignored.push_back(host.c_str());
        ignored.push_back(nullptr);
        auto* custom = webkit_network_proxy_settings_new(std::get<std::string>(address).c_str(), ignored.data());
        webkit_network_session_set_proxy_settings(session, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, custom);
        webkit_network_proxy_settings_free(custom);
    } else {
        webkit_network_session_set_proxy_settings(session, WEBKIT_NETWORK_PROXY_MODE_DEFAULT, nullptr);
    }
}

bool allowCertificate(WebKitNetworkSession* session, const std::string& host, const std::string& pem) {
    GTlsCertificate* certificate = g_tls_certificate_new_from_pem(pem.c_str(), -1, nullptr);
    if (!certificate) return false;
    webkit_network_session_allow_tls_certificate_for_host(session, certificate, host.c_str());
    g_object_unref(certificate);
    return true;
}

void removeFolders(const NetworkSessions::Folders& folders) {
    std::error_code ignored;
    std::filesystem::remove_all(folders.data, ignored);
    std::filesystem::remove_all(folders.cache, ignored);
}

}  // namespace

std::string tagFolderName(const std::string& tagID) {
    const bool plain = !tagID.empty() && tagID.size() <= longestPlainFolder &&
                       std::ranges::all_of(tagID, [](char c) { return g_ascii_isalnum(c) || c == '_' || c == '-'; });
    if (plain) return tagID;
    gchar* hash = g_compute_checksum_for_string(G_CHECKSUM_SHA256, tagID.c_str(), static_cast<gssize>(tagID.size()));
    std::string name = std::string("~") + hash;
    g_free(hash);
    return name;
}

NetworkSessions::NetworkSessions(Folders folders, const Published<ProxySetting>& sharedProxy,
                                 const Published<std::vector<CustomTab>>& tags, SitePermissions& trusted)
    : folders_(std::move(folders)), sharedProxy_(sharedProxy), tags_(tags), trusted_(trusted),
      shared_(make(folders_, "")) {
    // A new session already follows the system's settings.
    if (sharedProxy_.get().mode != ProxyMode::system) applyProxy(shared_, sharedProxy_.get());
    connections_ += sharedProxy_.observe([this] { applyProxy(shared_, sharedProxy_.get()); });
    for (const auto& tag : tags_.get()) known_.emplace(tag.id, tag.separateSignIn);
    connections_ += tags_.observe([this] { tagsChanged(); });
}

NetworkSessions::~NetworkSessions() {
    for (auto& [id, tag] : tagSessions_) g_object_unref(tag.session);
    g_object_unref(shared_);
}

WebKitNetworkSession* NetworkSessions::make(const Folders& folders, const std::string& trustKey) {
    auto* session = webkit_network_session_new(privateFolder(folders.data).c_str(), privateFolder(folders.cache).c_str());
    webkit_cookie_manager_set_persistent_storage(webkit_network_session_get_cookie_manager(session),
                                                 (folders.data / "cookies.sqlite").c_str(),
                                                 WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    for (const auto& certificate : trusted_.trustedCertificates(trustKey))
        allowCertificate(session, certificate.host, certificate.pem);
    return session;
}

const CustomTab* NetworkSessions::separateTag(const std::string& serviceID) const {
    for (const auto& tag : tags_.get())
        if (tag.id == serviceID) return tag.separateSignIn ? &tag : nullptr;
    return nullptr;
}

std::string NetworkSessions::trustKey(const std::string& serviceID) const {
    return separateTag(serviceID) ? serviceID : "";
}

NetworkSessions::Folders NetworkSessions::tagFolders(const std::string& tagID) const {
    const auto name = tagFolderName(tagID);
    return {folders_.data / "tags" / name, folders_.cache / "tags" / name};
}

WebKitNetworkSession* NetworkSessions::session(const std::string& serviceID) {
    const auto* tag = separateTag(serviceID);
    if (!tag) return shared_;
    if (auto it = tagSessions_.find(serviceID); it != tagSessions_.end()) return it->second.session;
    auto* session = make(tagFolders(serviceID), serviceID);
    if (tag->proxy.mode != ProxyMode::system) applyProxy(session, tag->proxy);
    tagSessions_.emplace(serviceID, TagSession{session, tag->proxy});
    made_.emit(session);
    return session;
}

std::vector<WebKitNetworkSession*> NetworkSessions::all() const {
    std::vector<WebKitNetworkSession*> sessions{shared_};
    for (const auto& [id, tag] : tagSessions_) sessions.push_back(tag.session);
    return sessions;
}

bool NetworkSessions::goesThroughManualProxy(const std::string& serviceID, const std::string& address) const {
    const auto* tag = separateTag(serviceID);
    return corvina::goesThroughManualProxy(tag ? tag->proxy : sharedProxy_.get(), address);
}

bool NetworkSessions::trustCertificate(const std::string& serviceID, const std::string& host, const std::string& pem) {
    if (!allowCertificate(session(serviceID), host, pem)) return false;
    trusted_.trustCertificate(trustKey(serviceID), host, pem);
    return true;
}

// A tag whose sign-in changed lets its old session go before its pages are told, so that
// pages made again at once get the new one; a proxy choice changes the tag's session at once.
void NetworkSessions::tagsChanged() {
    std::map<std::string, bool> now;
    for (const auto& tag : tags_.get()) now.emplace(tag.id, tag.separateSignIn);
    for (const auto& [id, separate] : std::exchange(known_, now)) {
        const auto it = now.find(id);
        if (it != now.end() && it->second == separate) continue;
        forget(id, it == now.end());
        signInChanged_.emit(id);
    }
    for (auto& [id, tagSession] : tagSessions_) {
        const auto* tag = separateTag(id);
        if (!tag || tag->proxy == tagSession.proxy) continue;
        tagSession.proxy = tag->proxy;
        applyProxy(tagSession.session, tag->proxy);
    }
}

// A tag back on the shared sign-in keeps its data for a later change of mind; a deleted
// one's data is cleared through its session, and its folders removed once that is done.
void NetworkSessions::forget(const std::string& tagID, bool deleteData) {
    auto node = tagSessions_.extract(tagID);
    WebKitNetworkSession* session = node ? node.mapped().session : nullptr;
    if (!deleteData) {
        if (session) g_object_unref(session);
        return;
    }
    trusted_.forgetCertificates(tagID);
    const auto folders = tagFolders(tagID);
    if (!session) {
        removeFolders(folders);
        return;
    }
    struct Clearing {
        WebKitNetworkSession* session;
        Folders folders;
    };
    webkit_website_data_manager_clear(
        webkit_network_session_get_website_data_manager(session), WEBKIT_WEBSITE_DATA_ALL, 0, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Clearing> clearing(static_cast<Clearing*>(data));
            webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr);
            g_object_unref(clearing->session);
            removeFolders(clearing->folders);
        },
        new Clearing{session, folders});
}

}  // namespace corvina
