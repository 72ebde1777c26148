#include "platform/XdgPaths.hpp"

#include <glib.h>

namespace corvina {

namespace fs = std::filesystem;

fs::path XdgPaths::configDir() { return fs::path(g_get_user_config_dir()) / "corvina"; }

fs::path XdgPaths::preferencesFile() { return configDir() / "preferences.json"; }

fs::path XdgPaths::autostartDir() { return fs::path(g_get_user_config_dir()) / "autostart"; }

fs::path XdgPaths::webDataDir() { return fs::path(g_get_user_data_dir()) / "corvina" / "web"; }

fs::path XdgPaths::webCacheDir() { return fs::path(g_get_user_cache_dir()) / "corvina" / "web"; }

fs::path XdgPaths::promptsDir() { return fs::path(g_get_user_data_dir()) / "corvina" / "prompts"; }

fs::path XdgPaths::downloadsDir() {
    const char* dir = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    return dir ? fs::path(dir) : homeDir() / "Downloads";
}

fs::path XdgPaths::homeDir() { return fs::path(g_get_home_dir()); }

}  // namespace corvina
