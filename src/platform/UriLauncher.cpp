#include "platform/UriLauncher.hpp"

#include <gio/gio.h>

namespace corvina {

bool isWebAddress(const std::string& address) {
    char* scheme = g_uri_parse_scheme(address.c_str());
    const bool web = scheme && (g_ascii_strcasecmp(scheme, "http") == 0 || g_ascii_strcasecmp(scheme, "https") == 0);
    g_free(scheme);
    return web;
}

void DesktopUriLauncher::open(const std::string& address) {
    if (!isWebAddress(address)) return;
    g_app_info_launch_default_for_uri_async(
        address.c_str(), nullptr, nullptr,
        +[](GObject*, GAsyncResult* result, gpointer) {
            GError* error = nullptr;
            if (!g_app_info_launch_default_for_uri_finish(result, &error)) {
                g_warning("Could not open the address in the browser: %s", error->message);
                g_error_free(error);
            }
        },
        nullptr);
}

}  // namespace corvina
