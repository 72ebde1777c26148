#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gio/gio.h>

namespace corvina {

// Custom shortcuts of GNOME's keyboard settings (the media keys of its settings daemon):
// each a name, a command and a binding under a path of its own listed in
// `custom-keybindings`. Only read until asked to add or remove ours.
class GnomeShortcuts {
public:
    struct Entry {
        std::string path;
        std::string binding;  // "<Control><Alt>space"
    };

    // The desktop says it is GNOME (XDG_CURRENT_DESKTOP).
    static bool onGnome();
    // Nothing where GNOME's media keys schema is not installed. Null `schemas` and `backend`:
    // the default ones.
    static std::unique_ptr<GnomeShortcuts> open(GSettingsSchemaSource* schemas = nullptr,
                                                GSettingsBackend* backend = nullptr);
    GnomeShortcuts(GSettingsSchemaSource* schemas, GSettingsBackend* backend);
    ~GnomeShortcuts();
    GnomeShortcuts(const GnomeShortcuts&) = delete;
    GnomeShortcuts& operator=(const GnomeShortcuts&) = delete;

    // The listed shortcut that runs `command`, if there is one.
    std::optional<Entry> find(const std::string& command) const;
    // Ours, with `binding`, named `name`; changes the one that runs `command` if there is one.
    void add(const std::string& name, const std::string& command, const std::string& binding);
    // Takes every listed shortcut that runs `command` away.
    void remove(const std::string& command);
    // Calls `changed` when the list, or the shortcut that runs `command`, changes, by
    // whoever: GNOME's own settings too.
    void watch(const std::string& command, std::function<void()> changed);

private:
    void watchEntry();

    GSettings* entryAt(const std::string& path) const;
    std::string freePath() const;

    GSettingsSchemaSource* schemas_;
    GSettingsBackend* backend_;
    GSettings* keys_;
    std::string watchedCommand_;
    std::function<void()> changed_;
    GSettings* watchedEntry_ = nullptr;
};

}  // namespace corvina
