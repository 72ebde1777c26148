#include "platform/GnomeShortcuts.hpp"

#include <algorithm>
#include <vector>

namespace corvina {

namespace {

constexpr const char* keysSchema = "org.gnome.settings-daemon.plugins.media-keys";
constexpr const char* entrySchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
constexpr const char* listKey = "custom-keybindings";
constexpr const char* entryFolder = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";

GSettings* settingsOf(GSettingsSchemaSource* schemas, GSettingsBackend* backend, const char* id, const char* path) {
    GSettingsSchema* schema = g_settings_schema_source_lookup(schemas, id, TRUE);
    if (!schema) return nullptr;
    GSettings* settings = g_settings_new_full(schema, backend, path);
    g_settings_schema_unref(schema);
    return settings;
}

std::vector<std::string> listed(GSettings* keys) {
    gchar** paths = g_settings_get_strv(keys, listKey);
    std::vector<std::string> result;
    for (gchar** path = paths; *path; ++path) result.emplace_back(*path);
    g_strfreev(paths);
    return result;
}

void setListed(GSettings* keys, const std::vector<std::string>& paths) {
    std::vector<const char*> raw;
    for (const auto& path : paths) raw.push_back(path.c_str());
    raw.push_back(nullptr);
    g_settings_set_strv(keys, listKey, raw.data());
}

std::string stringAt(GSettings* settings, const char* key) {
    gchar* value = g_settings_get_string(settings, key);
    std::string result = value;
    g_free(value);
    return result;
}

}  // namespace

bool GnomeShortcuts::onGnome() {
    gchar** desktops = g_strsplit(g_getenv("XDG_CURRENT_DESKTOP") ? g_getenv("XDG_CURRENT_DESKTOP") : "", ":", -1);
    const bool gnome = g_strv_contains(desktops, "GNOME");
    g_strfreev(desktops);
    return gnome;
}

std::unique_ptr<GnomeShortcuts> GnomeShortcuts::open(GSettingsSchemaSource* schemas, GSettingsBackend* backend) {
    if (!schemas) schemas = g_settings_schema_source_get_default();
    if (!schemas) return nullptr;
    for (const char* id : {keysSchema, entrySchema}) {
        GSettingsSchema* schema = g_settings_schema_source_lookup(schemas, id, TRUE);
        if (!schema) return nullptr;
        g_settings_schema_unref(schema);
    }
    return std::make_unique<GnomeShortcuts>(schemas, backend);
}

GnomeShortcuts::GnomeShortcuts(GSettingsSchemaSource* schemas, GSettingsBackend* backend)
    : schemas_(g_settings_schema_source_ref(schemas)),
      backend_(backend ? static_cast<GSettingsBackend*>(g_object_ref(backend)) : nullptr),
      keys_(settingsOf(schemas_, backend_, keysSchema, nullptr)) {}

GnomeShortcuts::~GnomeShortcuts() {
    g_signal_handlers_disconnect_by_data(keys_, this);
    if (watchedEntry_) g_object_unref(watchedEntry_);
    g_object_unref(keys_);
    if (backend_) g_object_unref(backend_);
    g_settings_schema_source_unref(schemas_);
}

GSettings* GnomeShortcuts::entryAt(const std::string& path) const {
    return settingsOf(schemas_, backend_, entrySchema, path.c_str());
}

std::optional<GnomeShortcuts::Entry> GnomeShortcuts::find(const std::string& command) const {
    for (const auto& path : listed(keys_)) {
        // A path that is not a settings path (edited by hand) is not one of ours.
        if (path.empty() || path.front() != '/' || path.back() != '/') continue;
        GSettings* entry = entryAt(path);
        std::optional<Entry> found;
        if (stringAt(entry, "command") == command) found = Entry{path, stringAt(entry, "binding")};
        g_object_unref(entry);
        if (found) return found;
    }
    return std::nullopt;
}

// The first customN/ path not listed, as GNOME's own keyboard settings name them.
std::string GnomeShortcuts::freePath() const {
    const auto paths = listed(keys_);
    for (int n = 0;; ++n) {
        const std::string path = std::string(entryFolder) + "custom" + std::to_string(n) + "/";
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) return path;
    }
}

void GnomeShortcuts::add(const std::string& name, const std::string& command, const std::string& binding) {
    const auto existing = find(command);
    const std::string path = existing ? existing->path : freePath();
    GSettings* entry = entryAt(path);
    g_settings_set_string(entry, "name", name.c_str());
    g_settings_set_string(entry, "command", command.c_str());
    g_settings_set_string(entry, "binding", binding.c_str());
    g_object_unref(entry);
    if (!existing) {
        auto paths = listed(keys_);
        paths.push_back(path);
        setListed(keys_, paths);
    }
    g_settings_sync();
}

void GnomeShortcuts::remove(const std::string& command) {
    while (const auto entry = find(command)) {
        GSettings* settings = entryAt(entry->path);
        for (const char* key : {"name", "command", "binding"}) g_settings_reset(settings, key);
        g_object_unref(settings);
        auto paths = listed(keys_);
        std::erase(paths, entry->path);
        setListed(keys_, paths);
    }
    g_settings_sync();
}

void GnomeShortcuts::watch(const std::string& command, std::function<void()> changed) {
    watchedCommand_ = command;
    changed_ = std::move(changed);
    g_signal_connect(keys_, "changed::custom-keybindings", G_CALLBACK(+[](GSettings*, char*, GnomeShortcuts* self) {
        self->watchEntry();
        self->changed_();
    }), this);
    // Settings tell only of changes to keys read since a handler was connected.
    listed(keys_);
    watchEntry();
}

// The entry that runs the command may move, appear or go with each change of the list.
void GnomeShortcuts::watchEntry() {
    if (watchedEntry_) g_object_unref(watchedEntry_);
    watchedEntry_ = nullptr;
    const auto entry = find(watchedCommand_);
    if (!entry) return;
    watchedEntry_ = entryAt(entry->path);
    g_signal_connect(watchedEntry_, "changed", G_CALLBACK(+[](GSettings*, char*, GnomeShortcuts* self) {
        self->changed_();
    }), this);
    for (const char* key : {"command", "binding"}) g_free(g_settings_get_string(watchedEntry_, key));
}

}  // namespace corvina
