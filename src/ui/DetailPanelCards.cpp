#include "ui/DetailPanelCards.hpp"

#include <gtkmm/overlay.h>
#include <gtkmm/picture.h>

#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "app/LocalizationManager.hpp"
#include "widgets/Accessibility.hpp"
#include "ui/SettingsShared.hpp"
#include "widgets/Icons.hpp"
#include "web/downloads/DownloadSettings.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

const LocalizedText languageText{"Language", "語言", "语言"};
const LocalizedText clearCacheText{"Clear Cache", "清除快取", "清除缓存"};
const LocalizedText launchAtLoginText{"Launch at Login", "開機自動啟動", "开机自动启动"};

// Gives `button` a symbol and a text beside it; returns the text's label.
Gtk::Label* showSymbolAndText(Gtk::Button& button, const char* symbol) {
    auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
    auto* image = Gtk::make_managed<Gtk::Image>();
    showSymbol(*image, symbol, 12);
    auto* label = Gtk::make_managed<Gtk::Label>();
    box->append(*image);
    box->append(*label);
    button.set_child(*box);
    nameAfter(button, *label);
    button.add_css_class("card-button");
    button.set_halign(Gtk::Align::START);
    return label;
}

const char* previewResource(AppAppearance appearance) {
    return appearance == AppAppearance::dark ? "/app/corvina/images/AppearanceDark.svg"
                                             : "/app/corvina/images/AppearanceLight.svg";
}

// The preview picture, rounded, with the check mark of the current choice in its corner.
Gtk::Overlay* previewWithCheckmark(AppAppearance appearance, Gtk::Image& checkmark) {
    auto* preview = Gtk::make_managed<Gtk::Picture>();
    preview->set_resource(previewResource(appearance));
    preview->set_content_fit(Gtk::ContentFit::FILL);
    preview->set_size_request(-1, 60);
    auto* frame = Gtk::make_managed<Gtk::Overlay>();
    frame->add_css_class("appearance-preview");
    frame->set_overflow(Gtk::Overflow::HIDDEN);
    frame->set_child(*preview);
    showSymbol(checkmark, "checkmark.circle.fill", 16);
    checkmark.add_css_class("appearance-check");
    checkmark.set_halign(Gtk::Align::END);
    checkmark.set_valign(Gtk::Align::END);
    frame->add_overlay(checkmark);
    return frame;
}

}  // namespace

DetailCard::DetailCard(int spacing) : Gtk::Box(Gtk::Orientation::VERTICAL, spacing) {
    add_css_class("detail-card");
    title_.add_css_class("card-title");
    title_.set_xalign(0);
    append(title_);
}

LanguageCard::LanguageCard(AppContext& context) : context_(context) {
    row_.add_css_class("language-row");
    row_.set_homogeneous(true);
    for (AppLanguage language : allLanguages) {
        auto& button = option(language);
        button.set_label(chooserName(language));
        setAccessibleLabel(button, chooserName(language));
        button.add_css_class("language-option");
        if (&button != &options_.front()) button.set_group(options_.front());
        // The user picks the interface language; everything retitles at once.
        button.signal_toggled().connect([this, language, &button] {
            if (button.get_active() && context_.localization.language() != language)
                context_.localization.setCurrentLanguage(language);
        });
        row_.append(button);
    }
    append(row_);
    connections_ += context.localization.currentLanguage().observe([this] { refresh(); });
    refresh();
}

void LanguageCard::refresh() {
    setTitle(context_.localization.text(languageText));
    option(context_.localization.language()).set_active(true);
}

AIServicesCard::AIServicesCard(AppContext& context) : context_(context) {
    setTitle("AI");
    grid_.set_column_homogeneous(true);
    grid_.set_column_spacing(8);
    grid_.set_row_spacing(8);
    const auto& tabs = builtInTabs();
    for (size_t i = 0; i < tabs.size(); ++i) addCell(tabs[i], static_cast<int>(i));
    append(grid_);
    connections_ += context.appState.hiddenAITabIDs().observe([this] { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { relabel(); });
    relabel();
}

void AIServicesCard::addCell(const AITab& tab, int index) {
    auto* cell = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
    cell->add_css_class("ai-cell");
    cell->set_halign(Gtk::Align::CENTER);
    auto* icon = Gtk::make_managed<Gtk::Image>();
    showServiceIcon(*icon, tab.icon, tab.iconIsSymbol() ? IconKind::symbol : IconKind::serviceImage, 20);
    if (tab.iconIsSymbol()) icon->add_css_class("accent-symbol");
    const std::string id = tab.id;
    auto* visible = Gtk::make_managed<GlassSwitch>(
        [this, id] { return !context_.appState.hiddenAITabIDs().get().contains(id); },
        [this, id](bool shown) { setShown(id, shown); });
    cell->append(*icon);
    cell->append(*visible);
    switches_[id] = visible;
    grid_.attach(*cell, index % 2, index / 2);
}

void AIServicesCard::setShown(const std::string& tabID, bool shown) {
    auto hidden = context_.appState.hiddenAITabIDs().get();
    if (shown)
        hidden.erase(tabID);
    else
        hidden.insert(tabID);
    context_.appState.setHiddenAITabIDs(std::move(hidden));
}

void AIServicesCard::refresh() {
    for (auto& [id, visible] : switches_) visible->refresh();
}

void AIServicesCard::relabel() {
    for (const auto& tab : builtInTabs())
        setAccessibleLabel(*switches_.at(tab.id), tab.displayName(context_.localization.language()));
}

AppearanceCard::AppearanceCard(AppContext& context) : DetailCard(16), context_(context) {
    row_.set_homogeneous(true);
    std::vector<GObject*> buttons;
    for (AppAppearance appearance : allAppearances) {
        buildOption(appearance);
        buttons.push_back(G_OBJECT(option(appearance).gobj()));
    }
    append(row_);
    // The user picks light or dark for the whole app.
    binding_ = SettingBinding::options(std::move(buttons), appearanceSetting(context.appSettings));
    connections_ += context.appSettings.appearance().observe([this] { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { refresh(); });
    refresh();
}

void AppearanceCard::buildOption(AppAppearance appearance) {
    auto& option = options_.at(static_cast<size_t>(appearance));
    auto* stack = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 6);
    stack->append(*previewWithCheckmark(appearance, option.checkmark));
    option.name.add_css_class("appearance-name");
    stack->append(option.name);
    option.button.set_child(*stack);
    option.button.add_css_class("appearance-option");
    if (&option != &options_.front()) option.button.set_group(options_.front().button);
    row_.append(option.button);
}

void AppearanceCard::refresh() {
    const AppLanguage language = context_.localization.language();
    setTitle(settingsText::appearance.in(language));
    const AppAppearance current = context_.appSettings.appearance();
    for (AppAppearance appearance : allAppearances) {
        auto& option = options_.at(static_cast<size_t>(appearance));
        option.name.set_text(displayName(appearance, language));
        setAccessibleLabel(option.button, displayName(appearance, language));
        option.checkmark.set_visible(appearance == current);
    }
}

DownloadPathCard::DownloadPathCard(AppContext& context)
    : context_(context),
      openTooltip_(openButton_, context.queue),
      chooseLabel_(showSymbolAndText(chooseButton_, "folder.badge.plus")),
      resetLabel_(showSymbolAndText(resetButton_, "arrow.counterclockwise")) {
    buildPathRow();
    append(chooseButton_);
    append(resetButton_);
    // Pick another folder, or go back to the usual Downloads folder.
    chooseButton_.signal_clicked().connect([this] { context_.downloadSettings.chooseFolder(); });
    resetButton_.signal_clicked().connect([this] { context_.downloadSettings.resetToDefault(); });

    connections_ += context.downloadSettings.customDownloadPath().observe(
        [this] { path_.set_text(context_.downloadSettings.customDownloadPath().get().string()); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    path_.set_text(context.downloadSettings.customDownloadPath().get().string());
    retitle();
}

void DownloadPathCard::buildPathRow() {
    showAsPathText(path_);
    auto* folder = Gtk::make_managed<Gtk::Image>();
    showSymbol(*folder, "folder", 11);
    openButton_.set_child(*folder);
    openButton_.add_css_class("flat");
    openButton_.add_css_class("inline-icon-button");
    openButton_.set_valign(Gtk::Align::CENTER);
    // The user wants to see the folder and what was downloaded into it.
    openButton_.signal_clicked().connect(
        [this] { openInFileManager(openButton_, context_.downloadSettings.customDownloadPath().get()); });
    pathRow_.append(path_);
    pathRow_.append(openButton_);
    append(pathRow_);
}

void DownloadPathCard::retitle() {
    const AppLanguage language = context_.localization.language();
    setTitle(settingsText::downloadPath.in(language));
    openTooltip_.setText(settingsText::openInFileManager.in(language));
    setAccessibleLabel(openButton_, settingsText::openInFileManager.in(language));
    chooseLabel_->set_text(DownloadSettings::folderChooserText.in(language));
    resetLabel_->set_text(settingsText::resetToDefault.in(language));
}

ClearCacheCard::ClearCacheCard(AppContext& context)
    : context_(context), label_(showSymbolAndText(button_, "trash")) {
    append(button_);
    // Drops cached pages; logins stay.
    button_.signal_clicked().connect([this] { context_.webViewStore.clearCache(); });
    auto retitle = [this] {
        setTitle(context_.localization.text(clearCacheText));
        label_->set_text(context_.localization.text(clearCacheText));
    };
    connections_ += context.localization.currentLanguage().observe(retitle);
    retitle();
}

LaunchAtLoginCard::LaunchAtLoginCard(AppContext& context)
    : context_(context),
      switch_([this] { return context_.appState.launchAtLogin().get(); },
              [this](bool launch) { context_.appState.setLaunchAtLogin(launch); }) {
    label_.add_css_class("card-text");
    label_.set_xalign(0);
    label_.set_hexpand(true);
    row_.append(label_);
    row_.append(switch_);
    append(row_);
    connections_ += context.appState.launchAtLogin().observe([this] { switch_.refresh(); });
    auto retitle = [this] {
        const std::string text = context_.localization.text(launchAtLoginText);
        setTitle(text);
        label_.set_text(text);
        setAccessibleLabel(switch_, text);
    };
    connections_ += context.localization.currentLanguage().observe(retitle);
    retitle();
}

}  // namespace corvina

namespace corvina {

MemoryCard::MemoryCard(AppContext& context)
    : context_(context),
      loadSwitch_(loadWhenOpenedSetting(context.appSettings).read, loadWhenOpenedSetting(context.appSettings).write),
      sleepNames_(Gtk::StringList::create({})),
      sleepChooser_(sleepNames_) {
    for (Gtk::Label* label : {&loadLabel_, &sleepLabel_}) {
        label->add_css_class("card-text");
        label->set_xalign(0);
        label->set_hexpand(true);
        label->set_wrap(true);
    }
    loadRow_.append(loadLabel_);
    loadRow_.append(loadSwitch_);
    sleepChooser_.set_valign(Gtk::Align::CENTER);
    sleepRow_.append(sleepLabel_);
    sleepRow_.append(sleepChooser_);
    append(loadRow_);
    append(sleepRow_);
    // The user picks how long an unused service stays awake.
    sleepBinding_ = SettingBinding::choice(G_OBJECT(sleepChooser_.gobj()), sleepNames_->gobj(),
                                           sleepTimeSetting(context.appSettings), sleepChoiceNames, context.localization);
    connections_ += loadWhenOpenedSetting(context.appSettings).observe([this] { loadSwitch_.refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
}

void MemoryCard::retitle() {
    const AppLanguage language = context_.localization.language();
    setTitle(settingsText::memory.in(language));
    loadLabel_.set_text(settingsText::loadWhenOpened.in(language));
    setAccessibleLabel(loadSwitch_, settingsText::loadWhenOpened.in(language));
    sleepLabel_.set_text(settingsText::sleepUnused.in(language));
    setAccessibleLabel(sleepChooser_, settingsText::sleepUnused.in(language));
}

}  // namespace corvina
