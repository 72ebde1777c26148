#include "web/Sites.hpp"

#include <libsoup/soup.h>

namespace corvina {

std::string siteOf(const std::string& url) {
    GUri* uri = g_uri_parse(url.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return "";
    std::string site;
    const char* host = g_uri_get_host(uri);
    if (host && *host) {
        gchar* lowerHost = g_ascii_strdown(host, -1);
        const char* domain = soup_tld_get_base_domain(lowerHost, nullptr);
        gchar* lowerScheme = g_ascii_strdown(g_uri_get_scheme(uri), -1);
        site = std::string(lowerScheme) + "://" + (domain ? domain : lowerHost);
        g_free(lowerScheme);
        g_free(lowerHost);
    }
    g_uri_unref(uri);
    return site;
}

bool sameSite(const std::string& a, const std::string& b) {
    const auto site = siteOf(a);
    return !site.empty() && site == siteOf(b);
}

}  // namespace corvina
