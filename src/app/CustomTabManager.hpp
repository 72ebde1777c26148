#pragma once
#include <string>
#include <vector>

#include "app/CustomTab.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

// The user's custom tags, in creation order, stored under "customTabs" on every change.
class CustomTabManager {
public:
    explicit CustomTabManager(PreferenceStore& preferences);

    const Published<std::vector<CustomTab>>& customTabs() const { return customTabs_; }
    // Every assignment publishes and saves.
    void setCustomTabs(std::vector<CustomTab> tabs);

    void add(const CustomTab& tab);
    void deleteTab(const std::string& id);
    void replace(const CustomTab& tab);
    // The first tag with this id.
    const CustomTab* find(const std::string& id) const;

    static constexpr const char* key = "customTabs";
    static constexpr const char* unreadableKey = "customTabs.unreadable";

private:
    void load();
    void save();

    PreferenceStore& preferences_;
    Published<std::vector<CustomTab>> customTabs_;
};

}  // namespace corvina
