#include "web/page/WebKeys.hpp"

namespace corvina {

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
