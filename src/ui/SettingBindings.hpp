#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"
#include "platform/SignalConnection.hpp"

namespace corvina {

class AppSettings;
class LocalizationManager;

// A setting as a control sees it: its value, a write of the user's value, and its changes.
// The settings panel and the settings window reach each setting through the same one.
template <class T>
struct SettingLink {
    std::function<T()> read;
    std::function<void(T)> write;
    std::function<sigc::connection(sigc::slot<void()>)> observe;
};

SettingLink<bool> loadWhenOpenedSetting(AppSettings& settings);
SettingLink<bool> notifyWhenAnsweredSetting(AppSettings& settings);
SettingLink<bool> keepDesktopLayoutSetting(AppSettings& settings);
// The appearance as the place of the option in `allAppearances`.
SettingLink<unsigned> appearanceSetting(AppSettings& settings);
// The sleep time as the place of its choice in `sleepChoiceNames`.
SettingLink<unsigned> sleepTimeSetting(AppSettings& settings);
// Where new windows open, as the place in `allNewWindowTargets`.
SettingLink<unsigned> newWindowTargetSetting(AppSettings& settings);

// A control bound to a setting: it shows the setting now and after every change, and the
// user's change on it writes the setting. Our own updates run with the control's change
// signals blocked, so they are never taken for the user's.
class SettingBinding {
public:
    SettingBinding() = default;
    SettingBinding(const SettingBinding&) = delete;
    SettingBinding& operator=(const SettingBinding&) = delete;

    // A switch or check box (its "active" property) on a yes/no setting.
    static std::unique_ptr<SettingBinding> toggle(GObject* control, SettingLink<bool> setting);
    // A group of toggle or check buttons (their "active" property), one per choice in order.
    static std::unique_ptr<SettingBinding> options(std::vector<GObject*> controls, SettingLink<unsigned> setting);
    // A drop-down or combo row (its "selected" property) over `list`, whose names follow the
    // interface language; renaming keeps the choice.
    static std::unique_ptr<SettingBinding> choice(GObject* control, GtkStringList* list, SettingLink<unsigned> setting,
                                                  std::function<std::vector<std::string>(AppLanguage)> names,
                                                  const LocalizationManager& localization);

private:
    // `property` of `control` changed: `take` reads it and writes the setting.
    void hear(GObject* control, const char* property, std::function<void()> take);
    void follow(const std::function<sigc::connection(sigc::slot<void()>)>& observe, std::function<void()> show);
    // Runs `update` on the controls without hearing it.
    void quietly(const std::function<void()>& update);

    std::vector<std::unique_ptr<std::function<void()>>> takes_;
    std::vector<SignalConnection> heard_;
    Connections follows_;
};

}  // namespace corvina
