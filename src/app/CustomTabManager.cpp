#include "app/CustomTabManager.hpp"

#include <algorithm>

namespace corvina {

CustomTabManager::CustomTabManager(PreferenceStore& preferences) : preferences_(preferences) { load(); }

void CustomTabManager::load() {
    const auto raw = preferences_.rawValue(key);
    if (!raw) return;
    const auto data = preferences_.dataValue(key);
    const auto decoded = data ? decodeCustomTabs(std::string(data->begin(), data->end())) : std::nullopt;
    if (decoded) {
        setCustomTabs(*decoded);
        return;
    }
    // The next save would overwrite what we could not read: keep it aside first.
    preferences_.setRaw(unreadableKey, *raw);
}

void CustomTabManager::save() {
    const std::string json = encodeCustomTabs(customTabs_.get());
    preferences_.setData(key, Bytes(json.begin(), json.end()));
}

void CustomTabManager::setCustomTabs(std::vector<CustomTab> tabs) {
    customTabs_.set(std::move(tabs));
    save();
}

void CustomTabManager::add(const CustomTab& tab) {
    auto tabs = customTabs_.get();
    tabs.push_back(tab);
    setCustomTabs(std::move(tabs));
}

void CustomTabManager::deleteTab(const std::string& id) {
    auto tabs = customTabs_.get();
    std::erase_if(tabs, [&](const CustomTab& tab) { return tab.id == id; });
    setCustomTabs(std::move(tabs));
}

void CustomTabManager::replace(const CustomTab& tab) {
    auto tabs = customTabs_.get();
    auto it = std::find_if(tabs.begin(), tabs.end(), [&](const CustomTab& t) { return t.id == tab.id; });
    if (it == tabs.end()) return;
    *it = tab;
    setCustomTabs(std::move(tabs));
}

const CustomTab* CustomTabManager::find(const std::string& id) const {
    for (const auto& tab : customTabs_.get())
        if (tab.id == id) return &tab;
    return nullptr;
}

}  // namespace corvina
