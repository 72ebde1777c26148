#pragma once
#include <compare>
#include <cstddef>
#include <functional>
#include <string>

namespace corvina {

// Which page: a service has one, shown by whichever pane shows it; a further copy lives
// only while more than one pane shows the service at once.
struct PageKey {
    std::string serviceID;
    std::size_t copy = 0;

    auto operator<=>(const PageKey&) const = default;
    bool operator==(const PageKey&) const = default;
};

struct PageKeyHash {
    std::size_t operator()(const PageKey& key) const {
        return std::hash<std::string>()(key.serviceID) * 31 + key.copy;
    }
};

}  // namespace corvina
