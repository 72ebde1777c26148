#pragma once
#include <array>
#include <chrono>
#include <string>

#include "app/AppLanguage.hpp"
#include "app/PageZoom.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

enum class AppAppearance { light, dark };

inline constexpr std::array<AppAppearance, 2> allAppearances = {AppAppearance::light, AppAppearance::dark};

std::string rawValue(AppAppearance appearance);
std::string displayName(AppAppearance appearance, AppLanguage language);

// The sleep times the settings offer; a stored time outside them (a shorter one for
// measurements) is kept as it is.
inline constexpr std::array<std::chrono::minutes, 4> sleepChoices = {
    std::chrono::minutes(5), std::chrono::minutes(15), std::chrono::minutes(30), std::chrono::minutes(60)};

// Light or dark, stored under "appAppearance"; the application forces it on the toolkit.
// And the memory budget, off unless the user turns it on: pages loaded the first time
// their service is shown instead of at start, and services unused for a while put to sleep.
// And each service's page zoom.
class AppSettings {
public:
    explicit AppSettings(PreferenceStore& preferences);

    const Published<AppAppearance>& appearance() const { return appearance_; }
    void setAppearance(AppAppearance appearance);

    const Published<bool>& loadServicesWhenOpened() const { return loadServicesWhenOpened_; }
    void setLoadServicesWhenOpened(bool on);
    // Zero: services never sleep.
    const Published<std::chrono::seconds>& sleepUnusedServicesAfter() const { return sleepAfter_; }
    void setSleepUnusedServicesAfter(std::chrono::seconds after);

    PageZoom& pageZoom() { return pageZoom_; }
    const PageZoom& pageZoom() const { return pageZoom_; }

private:
    PreferenceStore& preferences_;
    Published<AppAppearance> appearance_;
    Published<bool> loadServicesWhenOpened_;
    Published<std::chrono::seconds> sleepAfter_;
    PageZoom pageZoom_;
};

}  // namespace corvina
