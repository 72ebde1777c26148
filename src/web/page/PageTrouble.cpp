#include "web/page/PageTrouble.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include <gio/gio.h>
#include <webkit/webkit.h>

namespace corvina {

namespace {

bool inDomain(const char* domain, GQuark quark) { return domain && std::strcmp(domain, g_quark_to_string(quark)) == 0; }

// The browsers' common list, and 0.
constexpr std::array blockedPorts{
    0,    1,    7,    9,    11,   13,   15,   17,   19,   20,   21,   22,   23,   25,   37,   42,   43,
    53,   69,   77,   79,   87,   95,   101,  102,  103,  104,  109,  110,  111,  113,  115,  117,  119,
    123,  135,  137,  139,  143,  161,  179,  389,  427,  465,  512,  513,  514,  515,  526,  530,  531,
    532,  540,  548,  554,  556,  563,  587,  601,  636,  989,  990,  993,  995,  1719, 1720, 1723, 2049,
    3659, 4045, 4190, 5060, 5061, 6000, 6566, 6665, 6666, 6667, 6668, 6669, 6679, 6697, 10080,
};

}  // namespace

std::optional<TroubleReason> loadFailureReason(const char* domain, int code) {
    if (inDomain(domain, WEBKIT_NETWORK_ERROR) && code == WEBKIT_NETWORK_ERROR_CANCELLED) return std::nullopt;
    // Said only when a redirect leads there; a direct load is replaced by a blank page.
    if (inDomain(domain, WEBKIT_POLICY_ERROR) && code == WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT)
        return TroubleReason::blockedPort;
    // A response turned into a download, or another of the engine's own decisions.
    if (inDomain(domain, WEBKIT_POLICY_ERROR)) return std::nullopt;
    if (inDomain(domain, G_RESOLVER_ERROR)) return TroubleReason::nameNotResolved;
    if (inDomain(domain, G_IO_ERROR)) {
        switch (code) {
            case G_IO_ERROR_CANCELLED: return std::nullopt;
            case G_IO_ERROR_CONNECTION_REFUSED: return TroubleReason::refused;
            case G_IO_ERROR_TIMED_OUT: return TroubleReason::timedOut;
            case G_IO_ERROR_NETWORK_UNREACHABLE:
            case G_IO_ERROR_HOST_UNREACHABLE: return TroubleReason::offline;
            default: break;
        }
    }
    return TroubleReason::otherNetworkError;
}

TroubleReason unreachableReason(TroubleReason reason, bool networkAvailable) {
    if (networkAvailable) return reason;
    switch (reason) {
        case TroubleReason::nameNotResolved:
        case TroubleReason::timedOut:
        case TroubleReason::otherNetworkError: return TroubleReason::offline;
        default: return reason;
    }
}

TroubleReason refusedAddressReason(const std::string& address) {
    return usesBlockedPort(address) ? TroubleReason::blockedPort : TroubleReason::otherNetworkError;
}

bool usesBlockedPort(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return false;
    const int port = g_uri_get_port(uri);
    g_uri_unref(uri);
    return port >= 0 && std::ranges::find(blockedPorts, port) != blockedPorts.end();
}

std::string troubleTitle(const PageTrouble& trouble, const std::string& serviceName, AppLanguage language) {
    auto text = trouble.isCrash() ? LocalizedText{"%s stopped working", "%s 已停止運作", "%s 已停止运行"}
                                  : LocalizedText{"%s cannot be reached", "無法連線到 %s", "无法连接到 %s"};
    if (trouble.reason == TroubleReason::addressNotAllowed) text = {"%s cannot be opened", "無法開啟 %s", "无法打开 %s"};
    return text.in(language, serviceName);
}

std::string troubleDetail(const PageTrouble& trouble, AppLanguage language) {
    LocalizedText text{"", "", ""};
    switch (trouble.reason) {
        case TroubleReason::crashed:
            text = {"The page closed unexpectedly. Reload it to go on.", "此頁面意外關閉，重新載入即可繼續。",
                    "此页面意外关闭，重新加载即可继续。"};
            break;
        case TroubleReason::outOfMemory:
            text = {"The page used too much memory and was closed.", "此頁面佔用的記憶體過多，已被關閉。",
                    "此页面占用的内存过多，已被关闭。"};
            break;
        case TroubleReason::offline:
            text = {"%s: this computer is not connected to the network.", "%s：這部電腦沒有連上網路。",
                    "%s：这台电脑没有连接到网络。"};
            break;
        case TroubleReason::nameNotResolved:
            text = {"%s: the server's name could not be found.", "%s：找不到伺服器的名稱。", "%s：找不到服务器的名称。"};
            break;
        case TroubleReason::refused:
            text = {"%s refused the connection.", "%s 拒絕了連線。", "%s 拒绝了连接。"};
            break;
        case TroubleReason::timedOut:
            text = {"%s took too long to answer.", "%s 回應逾時。", "%s 响应超时。"};
            break;
        case TroubleReason::blockedPort:
            text = {"%s uses a port that web pages may not use.", "%s 使用的連接埠不允許網頁使用。",
                    "%s 使用的端口不允许网页使用。"};
            break;
        case TroubleReason::otherNetworkError:
            text = {"%s could not be loaded.", "無法載入 %s。", "无法加载 %s。"};
            break;
        case TroubleReason::addressNotAllowed:
            text = {"This address can't be opened: only web addresses (http, https) can.",
                    "無法開啟這個網址：只能開啟網頁網址（http、https）。", "无法打开这个网址：只能打开网页网址（http、https）。"};
            break;
        case TroubleReason::proxyUnreachable:
            text = {"%s: the proxy could not be reached.", "%s：無法連線到代理伺服器。", "%s：无法连接到代理服务器。"};
            break;
        case TroubleReason::certificateNotTrusted:
            text = {"%s: its certificate is not trusted.", "%s：其憑證不受信任。", "%s：其证书不受信任。"};
            break;
        case TroubleReason::certificateExpired:
            text = {"%s: its certificate has expired or is not valid yet.", "%s：其憑證已過期或尚未生效。",
                    "%s：其证书已过期或尚未生效。"};
            break;
        case TroubleReason::certificateForAnotherName:
            text = {"%s: its certificate is for another name.", "%s：其憑證屬於另一個名稱。", "%s：其证书属于另一个名称。"};
            break;
        case TroubleReason::certificateRevoked:
            text = {"%s: its certificate has been revoked.", "%s：其憑證已被撤銷。", "%s：其证书已被吊销。"};
            break;
    }
    std::string detail = text.in(language);
    if (auto at = detail.find("%s"); at != std::string::npos) detail.replace(at, 2, displayHost(trouble.address));
    return detail;
}

TroubleReason certificateReason(unsigned errors) {
    if (errors & G_TLS_CERTIFICATE_REVOKED) return TroubleReason::certificateRevoked;
    if (errors & (G_TLS_CERTIFICATE_EXPIRED | G_TLS_CERTIFICATE_NOT_ACTIVATED)) return TroubleReason::certificateExpired;
    if (errors & G_TLS_CERTIFICATE_BAD_IDENTITY) return TroubleReason::certificateForAnotherName;
    return TroubleReason::certificateNotTrusted;
}

bool mayTrustCertificateFor(const std::string& host) {
    std::string name = host;
    for (auto& c : name) c = g_ascii_tolower(c);
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    if (name.ends_with(".")) name.pop_back();
    if (name == "localhost" || name.ends_with(".localhost") || (name.ends_with(".local") && name.size() > 6))
        return true;
    GInetAddress* address = g_inet_address_new_from_string(name.c_str());
    if (!address) return false;
    // Site-local covers 10/8, 172.16/12, 192.168/16 and fec0::/10; unique local fc00::/7 is
    // told apart by its first byte.
    const bool ipv6 = g_inet_address_get_family(address) == G_SOCKET_FAMILY_IPV6;
    const auto* bytes = g_inet_address_to_bytes(address);
    const bool local = g_inet_address_get_is_site_local(address) || g_inet_address_get_is_loopback(address) ||
                       g_inet_address_get_is_link_local(address) || (ipv6 && (bytes[0] & 0xfe) == 0xfc);
    g_object_unref(address);
    return local;
}

std::string certificateText(const CertificateDetails& certificate, AppLanguage language) {
    std::string text = LocalizedText{"Issued to: ", "簽發對象：", "颁发给："}.in(language) + certificate.subject + "\n" +
                       LocalizedText{"Issued by: ", "簽發者：", "颁发者："}.in(language) + certificate.issuer;
    if (certificate.validFrom.empty() && certificate.validUntil.empty()) return text;
    return text + "\n" + LocalizedText{"Valid from ", "有效期：", "有效期："}.in(language) + certificate.validFrom +
           LocalizedText{" to ", " 至 ", " 至 "}.in(language) + certificate.validUntil;
}

std::string trustAction(const PageTrouble& trouble, AppLanguage language) {
    if (!trouble.certificate || !mayTrustCertificateFor(trouble.certificate->host)) return "";
    return LocalizedText{"Trust This Certificate", "信任此憑證", "信任此证书"}.in(language);
}

std::string troubleAction(const PageTrouble& trouble, AppLanguage language) {
    if (trouble.reason == TroubleReason::addressNotAllowed) return "";
    return trouble.isCrash() ? LocalizedText{"Reload", "重新載入", "重新加载"}.in(language)
                             : LocalizedText{"Try Again", "再試一次", "重试"}.in(language);
}

std::string displayHost(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return address;
    std::string host = g_uri_get_host(uri) ? g_uri_get_host(uri) : address;
    // A port is shown only where it is not the scheme's own.
    const std::string scheme = g_uri_get_scheme(uri) ? g_uri_get_scheme(uri) : "";
    const int port = g_uri_get_port(uri);
    const bool usual = (scheme == "https" && port == 443) || (scheme == "http" && port == 80);
    if (port > 0 && !usual) host += ":" + std::to_string(port);
    g_uri_unref(uri);
    return host;
}

}  // namespace corvina
