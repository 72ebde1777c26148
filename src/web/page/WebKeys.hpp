#pragma once
#include <string>
#include <utility>
#include <vector>

#include "app/AITab.hpp"
#include "app/CustomTab.hpp"

namespace corvina {

// Every web view sends this. The engine's own Linux desktop form, so services serve the
// same full desktop pages as to any current browser on this engine.
inline constexpr const char* defaultUserAgent =
    "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.0 Safari/605.1.15";

// The start address of the first built-in service, used when nothing else is known.
inline constexpr const char* fallbackStartURL = "https://www.doubao.com/chat/";

// The start address of a tab: the catalogue first, then the custom tags in stored order,
// then the first catalogue entry, then `fallbackStartURL`.
std::string startURL(const std::string& tabID, const std::vector<AITab>& catalogue,
                     const std::vector<CustomTab>& customTabs);
// The same against the built-in catalogue.
std::string startURL(const std::string& tabID, const std::vector<CustomTab>& customTabs);

}  // namespace corvina
