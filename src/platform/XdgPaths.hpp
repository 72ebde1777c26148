#pragma once
#include <filesystem>

namespace corvina {

// Where Corvina keeps its files, after the XDG base directory rules.
struct XdgPaths {
    static std::filesystem::path configDir();     // $XDG_CONFIG_HOME/corvina
    static std::filesystem::path preferencesFile();
    static std::filesystem::path autostartDir();  // $XDG_CONFIG_HOME/autostart
    static std::filesystem::path webDataDir();    // $XDG_DATA_HOME/corvina/web
    static std::filesystem::path webCacheDir();   // $XDG_CACHE_HOME/corvina/web
    static std::filesystem::path promptsDir();    // $XDG_DATA_HOME/corvina/prompts
    static std::filesystem::path downloadsDir();  // the user's Downloads folder
    static std::filesystem::path homeDir();
};

}  // namespace corvina
