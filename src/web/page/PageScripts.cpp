#include "web/page/PageScripts.hpp"

#include <map>
#include <stdexcept>

#include <gio/gio.h>

namespace corvina {

namespace {

using Scripts = std::map<std::string, std::string, std::less<>>;

template <typename Make>
const std::string& madeOnce(Scripts& made, std::string_view name, Make make) {
    if (const auto it = made.find(name); it != made.end()) return it->second;
    return made.emplace(std::string(name), make()).first->second;
}

// The script in a block of its own, so that it may declare a name the helpers have.
std::string afterHelpers(std::string_view name) {
    return pageScript("helpers") + "\n{\n" + pageScript(name) + "\n}\n";
}

}  // namespace

const std::string& pageScript(std::string_view name) {
    static Scripts loaded;
    return madeOnce(loaded, name, [&] {
        const std::string path = "/app/corvina/scripts/" + std::string(name) + ".js";
        GBytes* bytes = g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
        if (!bytes) throw std::logic_error("no page script " + path);
        gsize size = 0;
        const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
        std::string text(data, size);
        g_bytes_unref(bytes);
        return text;
    });
}

const std::string& scriptWithHelpers(std::string_view name) {
    static Scripts composed;
    return madeOnce(composed, name, [&] { return "(() => {\n" + afterHelpers(name) + "})();\n"; });
}

const std::string& functionBodyWithHelpers(std::string_view name) {
    static Scripts composed;
    return madeOnce(composed, name, [&] { return afterHelpers(name); });
}

}  // namespace corvina
