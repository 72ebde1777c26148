#include "web/page/WebKeys.hpp"

#include <string_view>

namespace corvina {

namespace {

constexpr std::string_view secondarySuffix = "_secondary";

}  // namespace

std::string storageKey(const std::string& tabID, Pane pane) {
    return pane == Pane::secondary ? tabID + std::string(secondarySuffix) : tabID;
}

std::pair<std::string, Pane> placeOfKey(const std::string& key) {
    if (key.ends_with(secondarySuffix)) return {key.substr(0, key.size() - secondarySuffix.size()), Pane::secondary};
    return {key, Pane::primary};
}

std::string startURL(const std::string& tabID, const std::vector<AITab>& catalogue,
                     const std::vector<CustomTab>& customTabs) {
    for (const auto& tab : catalogue)
        if (tab.id == tabID) return tab.url;
    for (const auto& tab : customTabs)
        if (tab.id == tabID) return tab.url;
    return catalogue.empty() ? fallbackStartURL : catalogue.front().url;
}

std::string startURL(const std::string& tabID, const std::vector<CustomTab>& customTabs) {
    return startURL(tabID, builtInTabs(), customTabs);
}

}  // namespace corvina
