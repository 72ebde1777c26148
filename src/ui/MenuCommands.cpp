#include "ui/MenuCommands.hpp"

#include <algorithm>
#include <iterator>
#include <string_view>

#include <giomm/simpleaction.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcuttrigger.h>

#include "app/AppState.hpp"
#include "app/PageZoom.hpp"
#include "ui/CurrentPage.hpp"
#include "ui/RoundTexts.hpp"
#include "web/RoundActions.hpp"
#include "web/WebViewStore.hpp"

namespace corvina::MenuCommands {

const LocalizedText goBackTitle{"Go Back", "後退", "后退"};
const LocalizedText goForwardTitle{"Go Forward", "前進", "前进"};
const LocalizedText shortcutsTitle{"Keyboard Shortcuts", "鍵盤快速鍵", "键盘快捷键"};
const LocalizedText askSeveralTitle{"Ask Several", "同時提問", "同时提问"};
const LocalizedText layoutTitle{"Layout", "版面配置", "布局"};
const LocalizedText widensWindowNote{"Widens the window where it can; a narrow window shows fewer columns",
                                     "視窗可加寬時會加寬；視窗較窄時欄數較少", "窗口可加宽时会加宽；窗口较窄时列数较少"};
const LocalizedText enlargePaneTitle{"Enlarge Pane", "放大窗格", "放大窗格"};
const LocalizedText restorePaneTitle{"Restore Pane", "還原窗格", "还原窗格"};

namespace {

enum class Group { services, panes, page, window, application };

constexpr LocalizedText groupTitles[] = {
    {"Services", "服務", "服务"},
    {"Panes", "窗格", "窗格"},
    {"Page", "頁面", "页面"},
    {"Window", "視窗", "窗口"},
    {"Application", "應用程式", "应用程序"},
};

// One key of a command; `service` is the tab bar row (from 1) a selection key picks, 9
// being the last row; `arrangement` the layout a layout key picks.
struct Key {
    const char* accelerator;
    int service = 0;
    std::optional<PaneArrangement> arrangement = {};
};

struct Command {
    const char* action;
    LocalizedText title;
    Group group;
    std::vector<Key> keys;
    bool inMenu = true;
    // How the shortcuts window shows the keys, when not as the list of them.
    const char* shownKeys = nullptr;
    // The app menu's submenu the command sits in, if any.
    const LocalizedText* submenu = nullptr;
};

constexpr LocalizedText layoutEntryTitle{"Layout: %s", "版面配置：%s", "布局：%s"};

constexpr const char* selectService = "select-service";
constexpr const char* arrange = "arrange";
constexpr const char* toggleEnlargedPane = "toggle-enlarged-pane";
constexpr const char* copyAllAnswers = "copy-all-answers";
constexpr const char* saveAllAnswers = "save-all-answers";

struct ArrangementCommand {
    PaneArrangement arrangement;
    LocalizedText title;
    const char* accelerator;
};

constexpr ArrangementCommand arrangementCommands[] = {
    {PaneArrangement::single, {"One Pane", "單一窗格", "单一窗格"}, "<Control><Alt>1"},
    {PaneArrangement::two, {"Two Side by Side", "左右兩欄", "左右两栏"}, "<Control><Alt>2"},
    {PaneArrangement::three, {"Three Columns", "三欄", "三栏"}, "<Control><Alt>3"},
    {PaneArrangement::grid2x2, {"2 × 2", "2 × 2", "2 × 2"}, "<Control><Alt>4"},
    {PaneArrangement::grid3x2, {"3 × 2", "3 × 2", "3 × 2"}, "<Control><Alt>5"},
    {PaneArrangement::twoRows, {"Two Rows", "上下兩列", "上下两行"}, "<Control><Alt>6"},
};

const ArrangementCommand& commandFor(PaneArrangement arrangement) {
    const auto* found = std::find_if(std::begin(arrangementCommands), std::end(arrangementCommands),
                                     [arrangement](const auto& command) { return command.arrangement == arrangement; });
    return found != std::end(arrangementCommands) ? *found : arrangementCommands[0];
}

std::vector<Command> allCommands() {
    std::vector<Command> all = {
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

        {"switch-pane", {"Next Pane", "下一個窗格", "下一个窗格"}, Group::panes,
         {{"F6"}, {"<Control><Alt>Right"}}},
        {"previous-pane", {"Previous Pane", "上一個窗格", "上一个窗格"}, Group::panes,
         {{"<Shift>F6"}, {"<Control><Alt>Left"}}, false},
        {"pane-above", {"Pane Above", "上方窗格", "上方窗格"}, Group::panes, {{"<Control><Alt>Up"}}, false},
        {"pane-below", {"Pane Below", "下方窗格", "下方窗格"}, Group::panes, {{"<Control><Alt>Down"}}, false},
        {toggleEnlargedPane, {"Enlarge or Restore Pane", "放大或還原窗格", "放大或还原窗格"}, Group::panes,
         {{"<Control><Alt>Return"}, {"<Control><Alt>KP_Enter"}}, true, "<Control><Alt>Return"},
    };
    for (const auto& layout : arrangementCommands)
        all.push_back({arrange, layout.title, Group::panes, {{layout.accelerator, 0, layout.arrangement}}, true,
                       nullptr, &layoutTitle});
    all.insert(all.end(), {
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
        {copyAllAnswers, copyAllAnswersTitle, Group::window, {}},
        {saveAllAnswers, saveAllAnswersTitle, Group::window, {}},
        {"toggle-tab-bar", {"Toggle Tab Bar", "切換標籤欄", "切换标签栏"}, Group::window, {{"<Control><Alt>s"}}},
        {"toggle-detail-panel", {"Toggle Detail Panel", "切換詳情面板", "切换详情面板"}, Group::window,
         {{"<Control><Alt>d"}}},
        {"toggle-clipboard", {"Show or Hide Clipboard", "顯示或隱藏剪貼板", "显示或隐藏剪贴板"}, Group::window,
         {{"<Control><Shift>c"}}},
        {"toggle-custom-tags", {"Show or Hide Custom Tags", "顯示或隱藏自訂標籤", "显示或隐藏自定义标签"},
         Group::window, {{"<Control><Shift>t"}}},
        {"toggle-prompts", {"Show or Hide Prompts", "顯示或隱藏提示詞", "显示或隐藏提示词"}, Group::window,
         {{"<Control><Shift>p"}}},

        {"shortcuts", shortcutsTitle, Group::application, {{"<Control>question"}}},
        {"settings", {"Settings…", "設定…", "设置…"}, Group::application, {{"<Control>comma"}}},
    });
    return all;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> all = allCommands();
    return all;
}

// The layout actions carry the layout shown and whether a pane can be enlarged, for the
// menu's marks; they follow the panes, whoever changes them.
void installLayoutActions(Gio::ActionMap& app, AppState& state) {
    auto& panes = state.panes();
    auto layout = Gio::SimpleAction::create_radio_string(arrange, arrangementName(panes.arrangement()));
    layout->signal_activate().connect([&state](const Glib::VariantBase& value) {
        const auto name = Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(value).get();
        if (const auto arrangement = arrangementNamed(name)) state.chooseArrangement(*arrangement);
    });
    auto enlarge = Gio::SimpleAction::create(toggleEnlargedPane);
    enlarge->signal_activate().connect([&panes](const Glib::VariantBase&) { panes.toggleEnlarged(); });
    const auto follow = [layout, enlarge, &panes] {
        layout->set_state(Glib::Variant<Glib::ustring>::create(arrangementName(panes.arrangement())));
        enlarge->set_enabled(panes.isSplit());
    };
    follow();
    // Ends with the panes; the actions are kept as long as the panes can change.
    panes.observe(follow);
    app.add_action(layout);
    app.add_action(enlarge);
}

}  // namespace

const LocalizedText& arrangementTitle(PaneArrangement arrangement) { return commandFor(arrangement).title; }

std::string arrangementKeys(PaneArrangement arrangement) {
    guint key = 0;
    GdkModifierType modifiers{};
    gtk_accelerator_parse(commandFor(arrangement).accelerator, &key, &modifiers);
    char* label = gtk_accelerator_get_label(key, modifiers);
    std::string text = label;
    g_free(label);
    return text;
}

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
    app.add_action("previous-pane", [&state] { state.panes().moveActive(-1); });
    app.add_action("pane-above", [&state] { state.panes().moveActiveRow(-1); });
    app.add_action("pane-below", [&state] { state.panes().moveActiveRow(1); });
    installLayoutActions(app, state);
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
    app.add_action("toggle-prompts", [&state] { state.toggleDetailPanel(DetailPanelType::prompts); });
    app.add_action("shortcuts", hooks.openShortcuts);
    app.add_action("settings", hooks.openSettings);
}

void fill(const Glib::RefPtr<Gio::Menu>& menu, AppLanguage language, bool paneEnlarged) {
    menu->remove_all();
    Glib::RefPtr<Gio::Menu> section;
    Glib::RefPtr<Gio::Menu> submenu;
    const Command* previous = nullptr;
    for (const auto& command : commands()) {
        if (!command.inMenu) continue;
        if (!previous || previous->group != command.group) {
            section = Gio::Menu::create();
            menu->append_section(section);
        }
        if (command.submenu && (!previous || previous->submenu != command.submenu)) {
            submenu = Gio::Menu::create();
            section->append_submenu(command.submenu->in(language), submenu);
        }
        previous = &command;
        const auto& title = command.action != std::string_view(toggleEnlargedPane) ? command.title
                            : paneEnlarged                                        ? restorePaneTitle
                                                                                  : enlargePaneTitle;
        auto entry = Gio::MenuItem::create(title.in(language), std::string("app.") + command.action);
        (command.submenu ? submenu : section)->append_item(entry);
        if (command.keys.empty()) continue;
        // The key is shown beside the title; the capture controller below does the handling.
        const auto& key = command.keys.front();
        // A layout's entry is a radio item: its target against the action's state.
        if (key.arrangement)
            entry->set_action_and_target(std::string("app.") + command.action,
                                         Glib::Variant<Glib::ustring>::create(arrangementName(*key.arrangement)));
        entry->set_attribute_value("accel", Glib::Variant<Glib::ustring>::create(key.accelerator));
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
            if (key.arrangement)
                shortcut->set_arguments(Glib::Variant<Glib::ustring>::create(arrangementName(*key.arrangement)));
            controller->add_shortcut(shortcut);
        }
    }
    return controller;
}

std::vector<ShownShortcutGroup> shortcutGroups(AppLanguage language) {
    std::vector<ShownShortcutGroup> groups;
    const Command* previous = nullptr;
    for (const auto& command : commands()) {
        if (command.keys.empty()) continue;
        if (!previous || previous->group != command.group)
            groups.push_back({groupTitles[static_cast<int>(command.group)].in(language), {}});
        previous = &command;
        std::string keys;
        if (command.shownKeys) {
            keys = command.shownKeys;
        } else {
            for (const auto& key : command.keys) keys += (keys.empty() ? "" : " ") + std::string(key.accelerator);
        }
        // A layout's name alone says little in a list of keys.
        const auto title = command.submenu ? layoutEntryTitle.in(language, command.title.in(language))
                                           : command.title.in(language);
        groups.back().shortcuts.push_back({title, keys});
    }
    return groups;
}

// Enabled while the latest ask has answers.
void installAnswerActions(Gio::ActionMap& app, RoundActions& actions, std::function<void()> save) {
    auto copy = Gio::SimpleAction::create(copyAllAnswers);
    copy->signal_activate().connect([&actions](const Glib::VariantBase&) { actions.copyAll(); });
    auto saveAll = Gio::SimpleAction::create(saveAllAnswers);
    saveAll->signal_activate().connect([save = std::move(save)](const Glib::VariantBase&) { save(); });
    const auto follow = [copy, saveAll, &actions] {
        copy->set_enabled(actions.round() != nullptr);
        saveAll->set_enabled(actions.round() != nullptr);
    };
    follow();
    // Ends with the rounds; the actions are kept as long as the rounds can change.
    actions.observe(follow);
    app.add_action(copy);
    app.add_action(saveAll);
}

}  // namespace corvina::MenuCommands
