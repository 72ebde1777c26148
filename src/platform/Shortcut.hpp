#pragma once
#include <optional>
#include <string>

namespace corvina {

// A key with its modifiers, kept as the toolkit writes accelerators: "<Control><Alt>space".
struct Shortcut {
    bool control = false;
    bool alt = false;
    bool shift = false;
    bool super = false;
    // The key symbol's name: "space", "k", "F5".
    std::string key;

    // Nothing for text that is not a key with modifiers in that form.
    static std::optional<Shortcut> parse(const std::string& accelerator);
    std::string accelerator() const;
    // As desktop portals take a preferred trigger: "CTRL+ALT+space".
    std::string portalTrigger() const;
    // As people read it: "Ctrl+Alt+Space".
    std::string label() const;

    bool operator==(const Shortcut&) const = default;
};

}  // namespace corvina
