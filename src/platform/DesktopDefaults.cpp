#include "platform/DesktopDefaults.hpp"

#include <gtk/gtk.h>

namespace corvina {

namespace {

constexpr const char* portalName = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";
constexpr const char* settingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* appearance = "org.freedesktop.appearance";
constexpr const char* colorScheme = "color-scheme";
// A portal that hangs must not hold the window back for long.
constexpr int portalTimeoutMs = 2000;

bool isDarkThemeName(const char* name) {
    if (!name) return false;
    gchar* lower = g_ascii_strdown(name, -1);
    const bool dark = g_str_has_suffix(lower, "-dark") || g_str_has_suffix(lower, ":dark");
    g_free(lower);
    return dark;
}

bool toolkitPrefersDark() {
    if (isDarkThemeName(g_getenv("GTK_THEME"))) return true;
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings) return false;
    gboolean preferDark = FALSE;
    gchar* theme = nullptr;
    g_object_get(settings, "gtk-application-prefer-dark-theme", &preferDark, "gtk-theme-name", &theme, nullptr);
    const bool dark = preferDark || isDarkThemeName(theme);
    g_free(theme);
    return dark;
}

}  // namespace

SystemDesktopDefaults::SystemDesktopDefaults()
    : toolkitPrefersDark_(toolkitPrefersDark()), prefersDark_(toolkitPrefersDark_) {
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus_) return;
    subscription_ = g_dbus_connection_signal_subscribe(
        bus_, portalName, settingsInterface, "SettingChanged", portalPath, appearance, G_DBUS_SIGNAL_FLAGS_NONE,
        +[](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
            gpointer self) {
            if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssv)"))) return;
            const gchar* key = nullptr;
            GVariant* value = nullptr;
            g_variant_get(parameters, "(&s&sv)", nullptr, &key, &value);
            if (g_strcmp0(key, colorScheme) == 0) static_cast<SystemDesktopDefaults*>(self)->schemeChanged(value);
            g_variant_unref(value);
        },
        this, nullptr);
    GVariant* reply = g_dbus_connection_call_sync(bus_, portalName, portalPath, settingsInterface, "Read",
                                                  g_variant_new("(ss)", appearance, colorScheme),
                                                  G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE, portalTimeoutMs,
                                                  nullptr, nullptr);
    if (!reply) return;
    GVariant* value = g_variant_get_child_value(reply, 0);
    schemeChanged(value);
    g_variant_unref(value);
    g_variant_unref(reply);
}

SystemDesktopDefaults::~SystemDesktopDefaults() {
    if (!bus_) return;
    g_dbus_connection_signal_unsubscribe(bus_, subscription_);
    g_object_unref(bus_);
}

std::string SystemDesktopDefaults::firstLanguage() const {
    const gchar* const* names = g_get_language_names();
    return names && names[0] ? names[0] : "C";
}

// 1 asks for dark, 2 for light, 0 states no preference. Read wraps the value once more
// than the change signal does.
void SystemDesktopDefaults::schemeChanged(GVariant* value) {
    GVariant* inner = g_variant_ref(value);
    while (g_variant_is_of_type(inner, G_VARIANT_TYPE_VARIANT)) {
        GVariant* unwrapped = g_variant_get_variant(inner);
        g_variant_unref(inner);
        inner = unwrapped;
    }
    const guint32 scheme = g_variant_is_of_type(inner, G_VARIANT_TYPE_UINT32) ? g_variant_get_uint32(inner) : 0;
    g_variant_unref(inner);
    const bool dark = scheme == 1 || (scheme != 2 && toolkitPrefersDark_);
    if (dark != prefersDark_.get()) prefersDark_.set(dark);
}

}  // namespace corvina
