#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <adwaita.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include "web/AppContext.hpp"
#include "app/AppSettings.hpp"
#include "platform/Observable.hpp"
#include "ui/GlobalKeySettings.hpp"
#include "ui/NetworkSettingsPage.hpp"
#include "ui/SettingBindings.hpp"
#include "widgets/DelayedTooltip.hpp"

namespace corvina {

// The separate settings window, opened from the app menu: General, Appearance and
// Downloads pages over the same shared objects as the main window. Hidden, not destroyed,
// on close.
class SettingsWindow : public Gtk::Window {
public:
    static constexpr int width = 450;
    static constexpr int height = 320;

    // Without `globalKey` the window has no row for it.
    explicit SettingsWindow(AppContext& context, GlobalKey* globalKey = nullptr);

    GlobalKeySettings* globalKeySettings() { return globalKey_.get(); }

private:
    static size_t index(AppAppearance appearance) { return static_cast<size_t>(appearance); }
    void buildHeader();
    AdwViewStackPage* addPage(GtkWidget* group, const char* name, const char* icon);
    void buildGeneralPage();
    GtkWidget* buildMemoryGroup();
    std::pair<AdwActionRow*, GtkSwitch*> addSwitchRow(AdwPreferencesGroup* group, SettingLink<bool> setting);
    AdwComboRow* addChoiceRow(AdwPreferencesGroup* group, SettingLink<unsigned> setting,
                              std::function<std::vector<std::string>(AppLanguage)> names);
    GtkWidget* buildPagesGroup();
    void refreshPermissions();
    void buildAppearancePage();
    void buildDownloadsPage();
    Gtk::Widget* buildPathRow();
    void followModels();
    void retitle();
    void retitleDownloads(AppLanguage language);

    AppContext& context_;
    // The icon buttons carry tooltips of their own, so they live as long as this object.
    Gtk::Button copyButton_;
    Gtk::Button openButton_;
    DelayedTooltip copyTooltip_;
    DelayedTooltip openTooltip_;
    // The page tree belongs to the window; these point into it.
    AdwViewStack* stack_;
    std::array<AdwViewStackPage*, 3> pages_{};
    std::array<AdwPreferencesGroup*, 3> groups_{};
    AdwActionRow* keepLayoutRow_ = nullptr;
    GtkSwitch* keepLayoutSwitch_ = nullptr;
    AdwPreferencesGroup* memoryGroup_ = nullptr;
    AdwActionRow* loadRow_ = nullptr;
    GtkSwitch* loadSwitch_ = nullptr;
    AdwActionRow* notifyRow_ = nullptr;
    GtkSwitch* notifySwitch_ = nullptr;
    AdwComboRow* sleepRow_ = nullptr;
    AdwPreferencesGroup* pagesGroup_ = nullptr;
    AdwComboRow* newWindowRow_ = nullptr;
    AdwActionRow* permissionsRow_ = nullptr;
    Gtk::Button resetPermissions_;
    std::array<AdwPreferencesRow*, allAppearances.size()> appearanceRows_{};
    std::array<Gtk::CheckButton*, allAppearances.size()> appearanceChecks_{};
    Gtk::Label* path_ = nullptr;
    Gtk::Button* chooseButton_ = nullptr;
    Gtk::Button* resetButton_ = nullptr;
    NetworkSettingsPage network_;
    std::unique_ptr<GlobalKeySettings> globalKey_;
    AdwViewStackPage* networkStackPage_ = nullptr;
    Connections connections_;
    std::vector<std::unique_ptr<SettingBinding>> bindings_;
    ScopedConnection onDestroy_;  // goes first, before the toolkit destroys the window
};

}  // namespace corvina
