#include "platform/Shortcut.hpp"

#include <cctype>

namespace corvina {

namespace {

// The names the toolkit writes and the ones it also reads.
bool setModifier(Shortcut& shortcut, const std::string& name) {
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "control" || lower == "ctrl" || lower == "primary") return shortcut.control = true;
    if (lower == "alt" || lower == "mod1") return shortcut.alt = true;
    if (lower == "shift") return shortcut.shift = true;
    if (lower == "super" || lower == "mod4") return shortcut.super = true;
    return false;
}

bool isKeyName(const std::string& key) {
    if (key.empty()) return false;
    for (char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

}  // namespace

std::optional<Shortcut> Shortcut::parse(const std::string& accelerator) {
    Shortcut shortcut;
    std::size_t at = 0;
    while (at < accelerator.size() && accelerator[at] == '<') {
        const auto end = accelerator.find('>', at);
        if (end == std::string::npos || !setModifier(shortcut, accelerator.substr(at + 1, end - at - 1))) return std::nullopt;
        at = end + 1;
    }
    shortcut.key = accelerator.substr(at);
    if (!isKeyName(shortcut.key)) return std::nullopt;
    return shortcut;
}

std::string Shortcut::accelerator() const {
    return std::string(control ? "<Control>" : "") + (alt ? "<Alt>" : "") + (shift ? "<Shift>" : "") +
           (super ? "<Super>" : "") + key;
}

std::string Shortcut::portalTrigger() const {
    return std::string(control ? "CTRL+" : "") + (alt ? "ALT+" : "") + (shift ? "SHIFT+" : "") + (super ? "LOGO+" : "") +
           key;
}

std::string Shortcut::label() const {
    std::string shown = key;
    for (auto& c : shown)
        if (c == '_') c = ' ';
    if (!shown.empty()) shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));
    return std::string(control ? "Ctrl+" : "") + (alt ? "Alt+" : "") + (shift ? "Shift+" : "") + (super ? "Super+" : "") +
           shown;
}

}  // namespace corvina
