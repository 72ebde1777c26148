#include "ui/SettingsWindow.hpp"

#include <gtkmm/box.h>
#include <gtkmm/image.h>

#include "app/LocalizationManager.hpp"
#include "platform/Pasteboard.hpp"
#include "widgets/Accessibility.hpp"
#include "ui/SettingsShared.hpp"
#include "widgets/Icons.hpp"
#include "web/downloads/DownloadSettings.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

const LocalizedText titleText{"Settings", "設定", "设置"};
const LocalizedText downloadsText{"Downloads", "下載", "下载"};
const LocalizedText copyPathText{"Copy Path", "複製路徑", "复制路径"};
const LocalizedText keepDesktopLayoutText{"Keep desktop layout in narrow panes", "窄窗格中保持桌面版面",
                                          "窄窗格中保持桌面版面"};
// These stay in English whatever the interface language.
constexpr const char* generalTitle = "General";
constexpr const char* layoutTitle = "Layout";

constexpr const char* pageNames[] = {"general", "appearance", "downloads", "network"};

void showIcon(Gtk::Button& button, const char* symbol) {
    auto* image = Gtk::make_managed<Gtk::Image>();
    showSymbol(*image, symbol, 14);
    button.set_child(*image);
    button.add_css_class("flat");
    button.set_valign(Gtk::Align::CENTER);
}

Gtk::Button* textButton() {
    auto* button = Gtk::make_managed<Gtk::Button>();
    button->set_halign(Gtk::Align::START);
    return button;
}

}  // namespace

SettingsWindow::SettingsWindow(AppContext& context, GlobalKey* globalKey)
    : context_(context),
      copyTooltip_(copyButton_, context.queue),
      openTooltip_(openButton_, context.queue),
      stack_(ADW_VIEW_STACK(adw_view_stack_new())), network_(context),
      globalKey_(globalKey ? std::make_unique<GlobalKeySettings>(context, *globalKey) : nullptr) {
    set_default_size(width, height);
    set_resizable(false);
    set_hide_on_close(true);
    add_css_class("settings-window");
    buildHeader();
    gtk_window_set_child(gobj(), GTK_WIDGET(stack_));
    buildGeneralPage();
    buildAppearancePage();
    buildDownloadsPage();
    networkStackPage_ = addPage(network_.group(), pageNames[3], "globe-symbolic");
    followModels();
    retitle();
}

void SettingsWindow::buildHeader() {
    auto* switcher = adw_view_switcher_new();
    adw_view_switcher_set_stack(ADW_VIEW_SWITCHER(switcher), stack_);
    // Icons above their labels, so three pages fit the fixed width in every language.
    adw_view_switcher_set_policy(ADW_VIEW_SWITCHER(switcher), ADW_VIEW_SWITCHER_POLICY_NARROW);
    auto* header = adw_header_bar_new();
    adw_header_bar_set_decoration_layout(ADW_HEADER_BAR(header), ":close");
    adw_header_bar_set_title_widget(ADW_HEADER_BAR(header), switcher);
    gtk_window_set_titlebar(gobj(), header);
}

void SettingsWindow::followModels() {
    auto showPath = [this] { path_->set_text(context_.downloadSettings.customDownloadPath().get().string()); };
    connections_ += context_.localization.currentLanguage().observe([this] { retitle(); });
    connections_ += context_.webViewStore.sitePermissions().answerCount().observe([this] { refreshPermissions(); });
    connections_ += context_.downloadSettings.customDownloadPath().observe(showPath);
    showPath();
    // Once the window is destroyed the page tree is gone; stop following the models.
    onDestroy_ = signal_destroy().connect([this] {
        connections_.clear();
        bindings_.clear();
    });
}

AdwViewStackPage* SettingsWindow::addPage(GtkWidget* group, const char* name, const char* icon) {
    auto* page = adw_preferences_page_new();
    adw_preferences_page_add(ADW_PREFERENCES_PAGE(page), ADW_PREFERENCES_GROUP(group));
    AdwViewStackPage* stackPage = adw_view_stack_add_titled(stack_, page, name, name);
    adw_view_stack_page_set_icon_name(stackPage, icon);
    return stackPage;
}

void SettingsWindow::buildGeneralPage() {
    auto* group = adw_preferences_group_new();
    adw_preferences_group_set_title(ADW_PREFERENCES_GROUP(group), layoutTitle);
    groups_[0] = ADW_PREFERENCES_GROUP(group);
    std::tie(keepLayoutRow_, keepLayoutSwitch_) = addSwitchRow(groups_[0], keepDesktopLayoutSetting(context_.appSettings));
    // The key first: it is what a new user looks for.
    pages_[0] = addPage(globalKey_ ? globalKey_->group() : group, pageNames[0], "gear-symbolic");
    if (globalKey_)
        adw_preferences_page_add(ADW_PREFERENCES_PAGE(adw_view_stack_page_get_child(pages_[0])), groups_[0]);
    adw_preferences_page_add(ADW_PREFERENCES_PAGE(adw_view_stack_page_get_child(pages_[0])),
                             ADW_PREFERENCES_GROUP(buildMemoryGroup()));
    adw_preferences_page_add(ADW_PREFERENCES_PAGE(adw_view_stack_page_get_child(pages_[0])),
                             ADW_PREFERENCES_GROUP(buildPagesGroup()));
}

// A choice row in `group` bound to `setting`, its choices named in the interface language.
AdwComboRow* SettingsWindow::addChoiceRow(AdwPreferencesGroup* group, SettingLink<unsigned> setting,
                                          std::function<std::vector<std::string>(AppLanguage)> names) {
    GtkStringList* list = gtk_string_list_new(nullptr);
    auto* row = ADW_COMBO_ROW(adw_combo_row_new());
    adw_combo_row_set_model(row, G_LIST_MODEL(list));
    g_object_unref(list);  // the row holds it
    adw_preferences_group_add(group, GTK_WIDGET(row));
    bindings_.push_back(
        SettingBinding::choice(G_OBJECT(row), list, std::move(setting), std::move(names), context_.localization));
    return row;
}

// A switch row in `group` bound to `setting`.
std::pair<AdwActionRow*, GtkSwitch*> SettingsWindow::addSwitchRow(AdwPreferencesGroup* group, SettingLink<bool> setting) {
    auto* toggle = GTK_SWITCH(gtk_switch_new());
    gtk_widget_set_valign(GTK_WIDGET(toggle), GTK_ALIGN_CENTER);
    auto* row = ADW_ACTION_ROW(adw_action_row_new());
    adw_action_row_add_suffix(row, GTK_WIDGET(toggle));
    adw_action_row_set_activatable_widget(row, GTK_WIDGET(toggle));
    adw_preferences_group_add(group, GTK_WIDGET(row));
    bindings_.push_back(SettingBinding::toggle(G_OBJECT(toggle), std::move(setting)));
    return {row, toggle};
}

// Where pages' new windows open, whether answers are told, and the answers given to the
// pages' permission requests.
GtkWidget* SettingsWindow::buildPagesGroup() {
    pagesGroup_ = ADW_PREFERENCES_GROUP(adw_preferences_group_new());
    std::tie(notifyRow_, notifySwitch_) = addSwitchRow(pagesGroup_, notifyWhenAnsweredSetting(context_.appSettings));
    newWindowRow_ = addChoiceRow(pagesGroup_, newWindowTargetSetting(context_.appSettings), [](AppLanguage language) {
        std::vector<std::string> names;
        for (auto target : allNewWindowTargets) names.push_back(displayName(target, language));
        return names;
    });

    permissionsRow_ = ADW_ACTION_ROW(adw_action_row_new());
    resetPermissions_.set_valign(Gtk::Align::CENTER);
    resetPermissions_.signal_clicked().connect(
        [this] { context_.webViewStore.sitePermissions().reset(); });
    adw_action_row_add_suffix(permissionsRow_, GTK_WIDGET(resetPermissions_.gobj()));
    adw_preferences_group_add(pagesGroup_, GTK_WIDGET(permissionsRow_));
    return GTK_WIDGET(pagesGroup_);
}

void SettingsWindow::refreshPermissions() {
    resetPermissions_.set_sensitive(context_.webViewStore.sitePermissions().answerCount().get() > 0);
}

GtkWidget* SettingsWindow::buildMemoryGroup() {
    auto* group = adw_preferences_group_new();
    memoryGroup_ = ADW_PREFERENCES_GROUP(group);
    std::tie(loadRow_, loadSwitch_) = addSwitchRow(memoryGroup_, loadWhenOpenedSetting(context_.appSettings));
    // The user picks how long an unused service stays awake.
    sleepRow_ = addChoiceRow(memoryGroup_, sleepTimeSetting(context_.appSettings), sleepChoiceNames);
    return group;
}

void SettingsWindow::buildAppearancePage() {
    auto* group = adw_preferences_group_new();
    std::vector<GObject*> checks;
    for (AppAppearance appearance : allAppearances) {
        auto* check = Gtk::make_managed<Gtk::CheckButton>();
        if (appearance != allAppearances.front()) check->set_group(*appearanceChecks_.front());
        checks.push_back(G_OBJECT(check->gobj()));
        auto* row = adw_action_row_new();
        adw_action_row_add_prefix(ADW_ACTION_ROW(row), GTK_WIDGET(check->gobj()));
        adw_action_row_set_activatable_widget(ADW_ACTION_ROW(row), GTK_WIDGET(check->gobj()));
        adw_preferences_group_add(ADW_PREFERENCES_GROUP(group), row);
        appearanceChecks_.at(index(appearance)) = check;
        appearanceRows_.at(index(appearance)) = ADW_PREFERENCES_ROW(row);
    }
    // The user picks light or dark for the whole app.
    bindings_.push_back(SettingBinding::options(std::move(checks), appearanceSetting(context_.appSettings)));
    groups_[1] = ADW_PREFERENCES_GROUP(group);
    pages_[1] = addPage(group, pageNames[1], "paintbrush-symbolic");
}

void SettingsWindow::buildDownloadsPage() {
    auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 8);
    column->append(*buildPathRow());
    chooseButton_ = textButton();
    resetButton_ = textButton();
    column->append(*chooseButton_);
    column->append(*resetButton_);
    // Pick another folder, or go back to the usual Downloads folder.
    connections_ += chooseButton_->signal_clicked().connect([this] { context_.downloadSettings.chooseFolder(); });
    connections_ += resetButton_->signal_clicked().connect([this] { context_.downloadSettings.resetToDefault(); });

    auto* group = adw_preferences_group_new();
    adw_preferences_group_add(ADW_PREFERENCES_GROUP(group), GTK_WIDGET(column->gobj()));
    groups_[2] = ADW_PREFERENCES_GROUP(group);
    pages_[2] = addPage(group, pageNames[2], "arrow.down.circle-symbolic");
}

Gtk::Widget* SettingsWindow::buildPathRow() {
    auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
    path_ = Gtk::make_managed<Gtk::Label>();
    showAsPathText(*path_);
    showIcon(copyButton_, "doc.on.doc");
    showIcon(openButton_, "folder");
    row->append(*path_);
    row->append(copyButton_);
    row->append(openButton_);
    // The plain path, not a URI: it goes into terminals and file dialogs.
    connections_ += copyButton_.signal_clicked().connect(
        [this] { context_.pasteboard.setText(context_.downloadSettings.customDownloadPath().get().string()); });
    connections_ += openButton_.signal_clicked().connect(
        [this] { openInFileManager(openButton_, context_.downloadSettings.customDownloadPath().get()); });
    return row;
}

void SettingsWindow::retitle() {
    const AppLanguage language = context_.localization.language();
    set_title(titleText.in(language));
    adw_view_stack_page_set_title(pages_[0], generalTitle);
    adw_view_stack_page_set_title(pages_[1], settingsText::appearance.in(language).c_str());
    adw_view_stack_page_set_title(pages_[2], downloadsText.in(language).c_str());
    adw_preferences_group_set_title(groups_[1], settingsText::appearance.in(language).c_str());
    adw_preferences_group_set_title(groups_[2], settingsText::downloadPath.in(language).c_str());
    for (AppAppearance appearance : allAppearances) {
        const std::string name = displayName(appearance, language);
        adw_preferences_row_set_title(appearanceRows_.at(index(appearance)), name.c_str());
        setAccessibleLabel(*appearanceChecks_.at(index(appearance)), name);
    }
    retitleDownloads(language);
    adw_view_stack_page_set_title(networkStackPage_, NetworkSettingsPage::titleText.in(language).c_str());
    network_.retitle(language);
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(keepLayoutRow_), keepDesktopLayoutText.in(language).c_str());
    setAccessibleLabel(*Glib::wrap(GTK_WIDGET(keepLayoutSwitch_)), keepDesktopLayoutText.in(language));
    adw_preferences_group_set_title(memoryGroup_, settingsText::memory.in(language).c_str());
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(loadRow_), settingsText::loadWhenOpened.in(language).c_str());
    setAccessibleLabel(*Glib::wrap(GTK_WIDGET(loadSwitch_)), settingsText::loadWhenOpened.in(language));
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(sleepRow_), settingsText::sleepUnused.in(language).c_str());

    adw_preferences_group_set_title(pagesGroup_, settingsText::pages.in(language).c_str());
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(newWindowRow_), settingsText::openNewWindows.in(language).c_str());
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(notifyRow_), settingsText::notifyWhenAnswered.in(language).c_str());
    setAccessibleLabel(*Glib::wrap(GTK_WIDGET(notifySwitch_)), settingsText::notifyWhenAnswered.in(language));
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(permissionsRow_),
                                  settingsText::resetSitePermissions.in(language).c_str());
    resetPermissions_.set_label(settingsText::reset.in(language));
    setAccessibleLabel(resetPermissions_, settingsText::resetSitePermissions.in(language));
    refreshPermissions();
}

void SettingsWindow::retitleDownloads(AppLanguage language) {
    copyTooltip_.setText(copyPathText.in(language));
    setAccessibleLabel(copyButton_, copyPathText.in(language));
    openTooltip_.setText(settingsText::openInFileManager.in(language));
    setAccessibleLabel(openButton_, settingsText::openInFileManager.in(language));
    chooseButton_->set_label(DownloadSettings::folderChooserText.in(language));
    resetButton_->set_label(settingsText::resetToDefault.in(language));
}

}  // namespace corvina
