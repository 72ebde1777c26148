#pragma once
#include <functional>
#include <string>
#include <vector>

#include <giomm/actionmap.h>
#include <giomm/menu.h>
#include <gtkmm/application.h>
#include <gtkmm/shortcutcontroller.h>

#include "app/AppLanguage.hpp"
#include "app/PaneLayout.hpp"

namespace corvina {

class AppState;
class PageZoom;
class RoundActions;
class WebViewStore;

// The commands of the app: their actions, their keys, the app menu and the list the
// keyboard-shortcuts window shows. Keys are handled before any widget, web pages
// included, sees them; none is a plain letter or a Shift-only key a page needs for typing.
namespace MenuCommands {

// What the commands need of the windows.
struct WindowHooks {
    std::function<void()> openSettings;
    std::function<void()> openShortcuts;
    std::function<void()> findInPage;
    std::function<void()> toggleAskSeveral;
};

extern const LocalizedText goBackTitle;
extern const LocalizedText goForwardTitle;
extern const LocalizedText shortcutsTitle;
extern const LocalizedText askSeveralTitle;
extern const LocalizedText layoutTitle;
// What choosing a layout of several columns may do to the window.
extern const LocalizedText widensWindowNote;
extern const LocalizedText enlargePaneTitle;
extern const LocalizedText restorePaneTitle;

// A layout's name, as the menu and the layout chooser show it.
const LocalizedText& arrangementTitle(PaneArrangement arrangement);
// The key that chooses the layout, as the user reads it ("Ctrl+Alt+4").
std::string arrangementKeys(PaneArrangement arrangement);

// Adds the actions to the application (or any action map the windows see as "app").
void install(Gio::ActionMap& app, AppState& state, WebViewStore& store, PageZoom& zoom, WindowHooks hooks);
// Fills `menu` with the commands titled in `language` (called again when it changes, and
// when a pane is enlarged or restored, which renames that command).
void fill(const Glib::RefPtr<Gio::Menu>& menu, AppLanguage language, bool paneEnlarged = false);
// Copy All Answers and Save All Answers…, which `save` asks where to save.
void installAnswerActions(Gio::ActionMap& app, RoundActions& actions, std::function<void()> save);
// Key handling that runs before any widget, web pages included, sees the key.
Glib::RefPtr<Gtk::ShortcutController> captureShortcuts();

// The keyboard-shortcuts window's content: groups of titled keys, in `language`.
struct ShownShortcut {
    std::string title;
    std::string accelerators;  // in the toolkit's form; ranges as "<Control>1...<Control>8"
};
struct ShownShortcutGroup {
    std::string title;
    std::vector<ShownShortcut> shortcuts;
};
std::vector<ShownShortcutGroup> shortcutGroups(AppLanguage language);

}  // namespace MenuCommands
}  // namespace corvina
