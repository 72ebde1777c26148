#pragma once
#include <array>
#include <chrono>
#include <string>

#include "app/AppLanguage.hpp"
#include "app/PageZoom.hpp"
#include "app/ProxySetting.hpp"
#include "platform/DesktopDefaults.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

enum class AppAppearance { light, dark };

inline constexpr std::array<AppAppearance, 2> allAppearances = {AppAppearance::light, AppAppearance::dark};

// Where a page's request for a new window (a link to a new window, a sign-in pop-up) goes.
enum class NewWindowTarget { nowhere, browser, app };

inline constexpr std::array<NewWindowTarget, 3> allNewWindowTargets = {NewWindowTarget::nowhere,
                                                                       NewWindowTarget::browser, NewWindowTarget::app};

std::string rawValue(AppAppearance appearance);
std::string displayName(AppAppearance appearance, AppLanguage language);
std::string rawValue(NewWindowTarget target);
std::string displayName(NewWindowTarget target, AppLanguage language);

// The sleep times the settings offer. A stored time is read as the nearest of them, so a
// hand-edited file cannot set one the settings would not show.
inline constexpr std::array<std::chrono::minutes, 4> sleepChoices = {
    std::chrono::minutes(5), std::chrono::minutes(15), std::chrono::minutes(30), std::chrono::minutes(60)};

// The offered choice nearest to a time; zero and below stay zero (off).
std::chrono::seconds nearestSleepChoice(std::chrono::seconds after);

// Light or dark, stored under "appAppearance"; the application forces it on the toolkit.
// Until the user picks one, it follows the desktop.
// And the memory budget, off unless the user turns it on: pages loaded the first time
// their service is shown instead of at start, and services unused for a while put to sleep.
// And each service's page zoom, and where new windows open (nowhere unless the user says).
// And how the shared network session reaches the web (the desktop's proxy unless the user
// says otherwise); tags with a sign-in of their own keep their own choice.
inline constexpr const char* defaultGlobalKey = "<Control><Alt>space";

class AppSettings {
public:
    AppSettings(PreferenceStore& preferences, const DesktopDefaults& desktop);

    const Published<AppAppearance>& appearance() const { return appearance_; }
    void setAppearance(AppAppearance appearance);

    const Published<bool>& loadServicesWhenOpened() const { return loadServicesWhenOpened_; }
    void setLoadServicesWhenOpened(bool on);
    // Zero: services never sleep.
    const Published<std::chrono::seconds>& sleepUnusedServicesAfter() const { return sleepAfter_; }
    // Between zero and the longest choice; a shorter time than the choices is kept for this run.
    void setSleepUnusedServicesAfter(std::chrono::seconds after);

    const Published<NewWindowTarget>& newWindowTarget() const { return newWindowTarget_; }
    void setNewWindowTarget(NewWindowTarget target);

    // A desktop notice when a service not on screen has answered; on unless turned off.
    const Published<bool>& notifyWhenAnswered() const { return notifyWhenAnswered_; }
    void setNotifyWhenAnswered(bool on);
    // A page in a narrow pane is zoomed out to keep its desktop layout; on unless turned off.
    const Published<bool>& keepDesktopLayoutInNarrowPanes() const { return keepDesktopLayout_; }
    void setKeepDesktopLayoutInNarrowPanes(bool on);
    // The key that shows and hides the window from anywhere on the desktop, as an accelerator
    // ("<Control><Alt>space"); empty when the user cleared it.
    const Published<std::string>& globalKey() const { return globalKey_; }
    void setGlobalKey(const std::string& accelerator);
    const Published<ProxySetting>& proxy() const { return proxy_; }
    void setProxy(ProxySetting setting);

    PageZoom& pageZoom() { return pageZoom_; }
    const PageZoom& pageZoom() const { return pageZoom_; }

private:
    PreferenceStore& preferences_;
    Published<AppAppearance> appearance_;
    ScopedConnection followDesktop_;
    Published<bool> loadServicesWhenOpened_;
    Published<std::chrono::seconds> sleepAfter_;
    Published<NewWindowTarget> newWindowTarget_;
    Published<bool> notifyWhenAnswered_;
    Published<bool> keepDesktopLayout_;
    Published<std::string> globalKey_;
    Published<ProxySetting> proxy_;
    PageZoom pageZoom_;
};

}  // namespace corvina
