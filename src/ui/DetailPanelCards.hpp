#pragma once
#include <array>
#include <map>
#include <memory>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/dropdown.h>
#include <gtkmm/stringlist.h>
#include <gtkmm/grid.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/togglebutton.h>

#include "app/AITab.hpp"
#include "web/AppContext.hpp"
#include "app/AppSettings.hpp"
#include "platform/Observable.hpp"
#include "ui/SettingBindings.hpp"
#include "widgets/DelayedTooltip.hpp"
#include "widgets/GlassSwitch.hpp"

namespace corvina {

// One titled glass card of the settings panel. Each card keeps its own texts in the
// interface language and follows the models it shows.
class DetailCard : public Gtk::Box {
public:
    std::string title() const { return title_.get_text(); }

protected:
    explicit DetailCard(int spacing = 12);
    void setTitle(const std::string& text) { title_.set_text(text); }

private:
    Gtk::Label title_;
};

class LanguageCard : public DetailCard {
public:
    explicit LanguageCard(AppContext& context);
    Gtk::ToggleButton& option(AppLanguage language) { return options_.at(static_cast<size_t>(language)); }

private:
    void refresh();

    AppContext& context_;
    Gtk::Box row_{Gtk::Orientation::HORIZONTAL, 4};
    std::array<Gtk::ToggleButton, allLanguages.size()> options_;
    Connections connections_;
};

// A switch per built-in service: on means shown in the tab bar.
class AIServicesCard : public DetailCard {
public:
    explicit AIServicesCard(AppContext& context);
    GlassSwitch& serviceSwitch(const std::string& tabID) { return *switches_.at(tabID); }

private:
    void addCell(const AITab& tab, int index);
    void setShown(const std::string& tabID, bool shown);
    void refresh();
    void relabel();

    AppContext& context_;
    Gtk::Grid grid_;
    std::map<std::string, GlassSwitch*> switches_;  // owned by their cells
    Connections connections_;
};

class AppearanceCard : public DetailCard {
public:
    explicit AppearanceCard(AppContext& context);
    Gtk::ToggleButton& option(AppAppearance appearance) { return options_.at(static_cast<size_t>(appearance)).button; }
    bool showsCheckmark(AppAppearance appearance) const {
        return options_.at(static_cast<size_t>(appearance)).checkmark.get_visible();
    }

private:
    struct Option {
        Gtk::ToggleButton button;
        Gtk::Image checkmark;
        Gtk::Label name;
    };
    void buildOption(AppAppearance appearance);
    void refresh();

    AppContext& context_;
    Gtk::Box row_{Gtk::Orientation::HORIZONTAL, 12};
    std::array<Option, allAppearances.size()> options_;
    std::unique_ptr<SettingBinding> binding_;
    Connections connections_;
};

class DownloadPathCard : public DetailCard {
public:
    explicit DownloadPathCard(AppContext& context);
    std::string shownPath() const { return path_.get_text(); }
    Gtk::Button& openButton() { return openButton_; }
    Gtk::Button& resetButton() { return resetButton_; }

private:
    void buildPathRow();
    void retitle();

    AppContext& context_;
    Gtk::Box pathRow_{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::Label path_;
    Gtk::Button openButton_;
    DelayedTooltip openTooltip_;
    Gtk::Button chooseButton_;
    Gtk::Label* chooseLabel_;
    Gtk::Button resetButton_;
    Gtk::Label* resetLabel_;
    Connections connections_;
};

class ClearCacheCard : public DetailCard {
public:
    explicit ClearCacheCard(AppContext& context);
    Gtk::Button& clearButton() { return button_; }

private:
    AppContext& context_;
    Gtk::Button button_;
    Gtk::Label* label_;
    Connections connections_;
};

class LaunchAtLoginCard : public DetailCard {
public:
    explicit LaunchAtLoginCard(AppContext& context);
    GlassSwitch& loginSwitch() { return switch_; }

private:
    AppContext& context_;
    Gtk::Box row_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Label label_;
    GlassSwitch switch_;
    Connections connections_;
};

// The memory budget: pages loaded when first shown, and services put to sleep after a
// time unused. Both off unless the user turns them on.
class MemoryCard : public DetailCard {
public:
    explicit MemoryCard(AppContext& context);
    GlassSwitch& loadWhenOpenedSwitch() { return loadSwitch_; }
    Gtk::DropDown& sleepChooser() { return sleepChooser_; }

private:
    void retitle();

    AppContext& context_;
    Gtk::Box loadRow_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Label loadLabel_;
    GlassSwitch loadSwitch_;
    Gtk::Box sleepRow_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Label sleepLabel_;
    Glib::RefPtr<Gtk::StringList> sleepNames_;
    Gtk::DropDown sleepChooser_;
    std::unique_ptr<SettingBinding> sleepBinding_;
    Connections connections_;
};

}  // namespace corvina
