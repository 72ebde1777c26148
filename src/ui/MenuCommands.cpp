#include "ui/MenuCommands.hpp"

#include <giomm/simpleaction.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcuttrigger.h>

#include "app/AppState.hpp"
#include "app/PageZoom.hpp"
#include "ui/CurrentPage.hpp"
#include "web/WebViewStore.hpp"

namespace corvina::MenuCommands {

const LocalizedText goBackTitle{"Go Back", "後退", "后退"};
const LocalizedText goForwardTitle{"Go Forward", "前進", "前进"};
const LocalizedText shortcutsTitle{"Keyboard Shortcuts", "鍵盤快速鍵", "键盘快捷键"};
const LocalizedText askSeveralTitle{"Ask Several", "同時提問", "同时提问"};

namespace {

enum class Group { services, page, window, application };

constexpr LocalizedText groupTitles[] = {
    {"Services", "服務", "服务"},
    {"Page", "頁面", "页面"},
    {"Window", "視窗", "窗口"},
    {"Application", "應用程式", "应用程序"},
};

// One key of a command; `service` is the tab bar row (from 1) a selection key picks, 9
// being the last row.
struct Key {
    const char* accelerator;
    int service = 0;
};

struct Command {
    const char* action;
    LocalizedText title;
    Group group;
    std::vector<Key> keys;
    bool inMenu = true;
    // How the shortcuts window shows the keys, when not as the list of them.
    const char* shownKeys = nullptr;
};

constexpr const char* selectService = "select-service";

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {selectService, {"Select Service 1 to 8", "選擇第 1 至 8 個服務", "选择第 1 至 8 个服务"}, Group::services,
         {{"<Control>1", 1}, {"<Control>2", 2}, {"<Control>3", 3}, {"<Control>4", 4},
          {"<Control>5", 5}, {"<Control>6", 6}, {"<Control>7", 7}, {"<Control>8", 8}},
         false, "<Control>1...<Control>8"},
        {selectService, {"Select Last Service", "選擇最後一個服務", "选择最后一个服务"}, Group::services,
         {{"<Control>9", 9}}, false},
        {"next-service", {"Next Service", "下一個服務", "下一个服务"}, Group::services,
         {{"<Control>Page_Down"}, {"<Control>Tab"}}},
        {"previous-service", {"Previous Service", "上一個服務", "上一个服务"}, Group::services,
         {{"<Control>Page_Up"}, {"<Control><Shift>Tab"}, {"<Control><Shift>ISO_Left_Tab"}}, true,
         "<Control>Page_Up <Control><Shift>Tab"},
        {"switch-pane", {"Switch Active Pane", "切換目前窗格", "切换当前窗格"}, Group::services,
         {{"F6"}, {"<Control><Alt>Left"}, {"<Control><Alt>Right"}}},

        {"find", {"Find in Page", "在頁面中尋找", "在页面中查找"}, Group::page, {{"<Control>f"}}},
        {"zoom-in", {"Zoom In", "放大", "放大"}, Group::page,
         {{"<Control>plus"}, {"<Control>equal"}, {"<Control>KP_Add"}}, true, "<Control>plus"},
        {"zoom-out", {"Zoom Out", "縮小", "缩小"}, Group::page, {{"<Control>minus"}, {"<Control>KP_Subtract"}},
         true, "<Control>minus"},
        {"zoom-reset", {"Actual Size", "實際大小", "实际大小"}, Group::page, {{"<Control>0"}, {"<Control>KP_0"}}, true,
         "<Control>0"},
        {"reload", {"Reload Page", "重新載入頁面", "重新加载页面"}, Group::page, {{"<Control>r"}, {"F5"}}},
        {"go-back", goBackTitle, Group::page, {{"<Alt>Left"}}},
        {"go-forward", goForwardTitle, Group::page, {{"<Alt>Right"}}},

        {"ask-several", askSeveralTitle, Group::window, {{"<Control><Shift>k"}}},
        {"toggle-tab-bar", {"Toggle Tab Bar", "切換標籤欄", "切换标签栏"}, Group::window, {{"<Control><Alt>s"}}},
        {"toggle-detail-panel", {"Toggle Detail Panel", "切換詳情面板", "切换详情面板"}, Group::window,
         {{"<Control><Alt>d"}}},
        {"toggle-clipboard", {"Show or Hide Clipboard", "顯示或隱藏剪貼板", "显示或隐藏剪贴板"}, Group::window,
         {{"<Control><Shift>c"}}},
        {"toggle-custom-tags", {"Show or Hide Custom Tags", "顯示或隱藏自訂標籤", "显示或隐藏自定义标签"},
         Group::window, {{"<Control><Shift>t"}}},

        {"shortcuts", shortcutsTitle, Group::application, {{"<Control>question"}}},
        {"settings", {"Settings…", "設定…", "设置…"}, Group::application, {{"<Control>comma"}}},
    };
    return all;
}

}  // namespace

void install(Gio::ActionMap& app, AppState& state, WebViewStore& store, PageZoom& zoom, WindowHooks hooks) {
    app.add_action_with_parameter(selectService, Glib::VARIANT_TYPE_INT32, [&state](const Glib::VariantBase& value) {
        const int service = Glib::VariantBase::cast_dynamic<Glib::Variant<int>>(value).get();
        if (service == 9)
            state.selectLastTab();
        else if (service >= 1)
            state.selectTabAt(static_cast<std::size_t>(service - 1));
    });
    app.add_action("next-service", [&state] { state.selectNeighbourTab(1); });
    app.add_action("previous-service", [&state] { state.selectNeighbourTab(-1); });
    app.add_action("switch-pane", [&state] { state.panes().moveActive(1); });
    app.add_action("find", hooks.findInPage);
    app.add_action("ask-several", hooks.toggleAskSeveral);
    app.add_action("zoom-in", [&state, &zoom] { zoom.zoomIn(state.currentTabID()); });
    app.add_action("zoom-out", [&state, &zoom] { zoom.zoomOut(state.currentTabID()); });
    app.add_action("zoom-reset", [&state, &zoom] { zoom.reset(state.currentTabID()); });
    app.add_action("reload", [&state, &store] { onCurrentPage(state, store, &ServicePage::reload); });
    app.add_action("go-back", [&state, &store] { onCurrentPage(state, store, &ServicePage::goBack); });
    app.add_action("go-forward", [&state, &store] { onCurrentPage(state, store, &ServicePage::goForward); });
    app.add_action("toggle-tab-bar", [&state] { state.toggleSidebar(); });
    app.add_action("toggle-detail-panel", [&state] { state.toggleDetailPanel(); });
    app.add_action("toggle-clipboard", [&state] { state.toggleDetailPanel(DetailPanelType::clipboard); });
    app.add_action("toggle-custom-tags", [&state] { state.toggleDetailPanel(DetailPanelType::customTags); });
    app.add_action("shortcuts", hooks.openShortcuts);
    app.add_action("settings", hooks.openSettings);
}

void fill(const Glib::RefPtr<Gio::Menu>& menu, AppLanguage language) {
    menu->remove_all();
    Glib::RefPtr<Gio::Menu> section;
    const Command* previous = nullptr;
    for (const auto& command : commands()) {
        if (!command.inMenu) continue;
        if (!previous || previous->group != command.group) {
            section = Gio::Menu::create();
            menu->append_section(section);
        }
        previous = &command;
        // The key is shown beside the title; the capture controller below does the handling.
        auto entry = Gio::MenuItem::create(command.title.in(language), std::string("app.") + command.action);
        entry->set_attribute_value("accel", Glib::Variant<Glib::ustring>::create(command.keys.front().accelerator));
        section->append_item(entry);
    }
}

Glib::RefPtr<Gtk::ShortcutController> captureShortcuts() {
    auto controller = Gtk::ShortcutController::create();
    controller->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    controller->set_scope(Gtk::ShortcutScope::LOCAL);
    for (const auto& command : commands()) {
        for (const auto& key : command.keys) {
            auto shortcut = Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string(key.accelerator),
                                                  Gtk::NamedAction::create(std::string("app.") + command.action));
            if (key.service) shortcut->set_arguments(Glib::Variant<int>::create(key.service));
            controller->add_shortcut(shortcut);
        }
    }
    return controller;
}

std::vector<ShownShortcutGroup> shortcutGroups(AppLanguage language) {
    std::vector<ShownShortcutGroup> groups;
    const Command* previous = nullptr;
    for (const auto& command : commands()) {
        if (!previous || previous->group != command.group)
            groups.push_back({groupTitles[static_cast<int>(command.group)].in(language), {}});
        previous = &command;
        std::string keys;
        if (command.shownKeys) {
            keys = command.shownKeys;
        } else {
            for (const auto& key : command.keys) keys += (keys.empty() ? "" : " ") + std::string(key.accelerator);
        }
        groups.back().shortcuts.push_back({command.title.in(language), keys});
    }
    return groups;
}

}  // namespace corvina::MenuCommands
