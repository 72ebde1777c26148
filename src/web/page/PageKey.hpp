#pragma once
#include <compare>
#include <cstddef>
#include <functional>
#include <string>

#include "app/AppState.hpp"

namespace corvina {

// Which page: one service in one pane.
struct PageKey {
    std::string serviceID;
    Pane pane = Pane::primary;

    // The stored form: the id itself for the primary pane, id + "_secondary" for the other.
    std::string text() const;
    static PageKey fromText(const std::string& text);

    auto operator<=>(const PageKey&) const = default;
    bool operator==(const PageKey&) const = default;
};

struct PageKeyHash {
    std::size_t operator()(const PageKey& key) const {
        return std::hash<std::string>()(key.serviceID) * 2 + static_cast<std::size_t>(key.pane);
    }
};

}  // namespace corvina
