#include "app/MenuCommands.hpp"

#include <giomm/simpleaction.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcuttrigger.h>

#include "app/AppState.hpp"

namespace corvina::MenuCommands {

const LocalizedText toggleTabBarTitle{"Toggle Tab Bar", "切換標籤欄", "切换标签栏"};
const LocalizedText toggleDetailPanelTitle{"Toggle Detail Panel", "切換詳情面板", "切换详情面板"};
const LocalizedText settingsTitle{"Settings…", "設定…", "设置…"};

namespace {

struct Command {
    const char* action;
    const char* accelerator;
};

constexpr Command commands[] = {
    {toggleTabBar, "<Control><Alt>s"},
    {toggleDetailPanel, "<Control><Alt>d"},
    {settings, "<Control>comma"},
};

}  // namespace

void install(Gtk::Application& app, AppState& state, std::function<void()> openSettings) {
    app.add_action(toggleTabBar, [&state] { state.toggleSidebar(); });
    app.add_action(toggleDetailPanel, [&state] { state.toggleDetailPanel(); });
    app.add_action(settings, std::move(openSettings));
}

namespace {

// The key is shown beside the title; the capture controller below does the handling.
Glib::RefPtr<Gio::MenuItem> item(const LocalizedText& title, AppLanguage language, const Command& command) {
    auto entry = Gio::MenuItem::create(title.in(language), std::string("app.") + command.action);
    entry->set_attribute_value("accel", Glib::Variant<Glib::ustring>::create(command.accelerator));
    return entry;
}

}  // namespace

void fill(const Glib::RefPtr<Gio::Menu>& menu, AppLanguage language) {
    menu->remove_all();
    auto view = Gio::Menu::create();
    view->append_item(item(toggleTabBarTitle, language, commands[0]));
    view->append_item(item(toggleDetailPanelTitle, language, commands[1]));
    menu->append_section(view);
    auto app = Gio::Menu::create();
    app->append_item(item(settingsTitle, language, commands[2]));
    menu->append_section(app);
}

Glib::RefPtr<Gtk::ShortcutController> captureShortcuts() {
    auto controller = Gtk::ShortcutController::create();
    controller->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    controller->set_scope(Gtk::ShortcutScope::LOCAL);
    for (const auto& command : commands) {
        controller->add_shortcut(Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string(command.accelerator),
                                                       Gtk::NamedAction::create(std::string("app.") + command.action)));
    }
    return controller;
}

}  // namespace corvina::MenuCommands
