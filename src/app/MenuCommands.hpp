#pragma once
#include <giomm/menu.h>
#include <gtkmm/application.h>
#include <gtkmm/shortcutcontroller.h>

#include "app/AppLanguage.hpp"

namespace corvina {

class AppState;

// The commands of the app menu, their actions and their keys.
namespace MenuCommands {

inline constexpr const char* toggleTabBar = "toggle-tab-bar";
inline constexpr const char* toggleDetailPanel = "toggle-detail-panel";
inline constexpr const char* settings = "settings";

extern const LocalizedText toggleTabBarTitle;
extern const LocalizedText toggleDetailPanelTitle;
extern const LocalizedText settingsTitle;

// Adds the actions to the application.
void install(Gtk::Application& app, AppState& state, std::function<void()> openSettings);
// Fills `menu` with the commands titled in `language` (called again when it changes).
void fill(const Glib::RefPtr<Gio::Menu>& menu, AppLanguage language);
// Key handling that runs before any widget, web pages included, sees the key.
Glib::RefPtr<Gtk::ShortcutController> captureShortcuts();

}  // namespace MenuCommands
}  // namespace corvina
