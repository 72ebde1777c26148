#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/AppLanguage.hpp"

namespace corvina {

// One service shown as a tab: a built-in one, or a custom tag seen as one.
struct AITab {
    std::string id;
    std::string url;
    std::string zhCNName;
    std::string zhTWName;
    std::string enName;
    std::string icon;

    bool operator==(const AITab&) const = default;

    const std::string& displayName(AppLanguage language) const;
    // A name with "." and no "/" is a symbol; anything else is one of our images.
    bool iconIsSymbol() const;
};

// The 18 built-in services in tab bar order.
const std::vector<AITab>& builtInTabs();

// The catalogue entry with exactly this id (case-sensitive).
const AITab* findBuiltInTab(const std::string& id);

}  // namespace corvina

template <>
struct std::hash<corvina::AITab> {
    size_t operator()(const corvina::AITab& tab) const noexcept;
};
