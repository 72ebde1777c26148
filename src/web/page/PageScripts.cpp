#include "web/page/PageScripts.hpp"

#include <map>
#include <stdexcept>

#include <gio/gio.h>

namespace corvina {

const std::string& pageScript(std::string_view name) {
    static std::map<std::string, std::string, std::less<>> loaded;
    if (const auto it = loaded.find(name); it != loaded.end()) return it->second;
    const std::string path = "/app/corvina/scripts/" + std::string(name) + ".js";
    GBytes* bytes = g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (!bytes) throw std::logic_error("no page script " + path);
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string text(data, size);
    g_bytes_unref(bytes);
    return loaded.emplace(std::string(name), std::move(text)).first->second;
}

}  // namespace corvina
