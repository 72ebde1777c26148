#include "web/page/PageKey.hpp"

#include <string_view>

namespace corvina {

namespace {

constexpr std::string_view secondarySuffix = "_secondary";

}  // namespace

std::string PageKey::text() const {
    return pane == Pane::secondary ? serviceID + std::string(secondarySuffix) : serviceID;
}

PageKey PageKey::fromText(const std::string& text) {
    if (text.ends_with(secondarySuffix)) return {text.substr(0, text.size() - secondarySuffix.size()), Pane::secondary};
    return {text, Pane::primary};
}

}  // namespace corvina
