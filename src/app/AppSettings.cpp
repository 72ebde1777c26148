#include "app/AppSettings.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/Shortcut.hpp"

namespace corvina {

std::string rawValue(AppAppearance appearance) { return appearance == AppAppearance::dark ? "dark" : "light"; }

std::string displayName(AppAppearance appearance, AppLanguage language) {
    return appearance == AppAppearance::dark ? LocalizedText{"Dark", "深色", "深色"}.in(language)
                                             : LocalizedText{"Light", "淺色", "浅色"}.in(language);
}

std::string rawValue(NewWindowTarget target) {
    switch (target) {
        case NewWindowTarget::browser: return "browser";
        case NewWindowTarget::app: return "app";
        case NewWindowTarget::nowhere: break;
    }
    return "nowhere";
}

std::string displayName(NewWindowTarget target, AppLanguage language) {
    switch (target) {
        case NewWindowTarget::browser: return LocalizedText{"In the default browser", "在預設瀏覽器中", "在默认浏览器中"}.in(language);
        case NewWindowTarget::app: return LocalizedText{"In Corvina", "在 Corvina 中", "在 Corvina 中"}.in(language);
        case NewWindowTarget::nowhere: break;
    }
    return LocalizedText{"Nowhere", "不開啟", "不打开"}.in(language);
}

namespace {

constexpr const char* appearanceKey = "appAppearance";
constexpr const char* newWindowKey = "openNewWindows";
constexpr const char* notifyWhenAnsweredKey = "notifyWhenAnswered";
constexpr const char* keepDesktopLayoutKey = "keepDesktopLayoutInNarrowPanes";

NewWindowTarget storedNewWindowTarget(const PreferenceStore& preferences) {
    const auto stored = preferences.stringValue(newWindowKey);
    for (auto target : allNewWindowTargets)
        if (stored == rawValue(target)) return target;
    return NewWindowTarget::nowhere;
}

constexpr const char* proxyKey = "proxy";
constexpr const char* globalKeyKey = "globalKey";

// Text that is not a key with modifiers (edited by hand) reads as the default.
std::string storedGlobalKey(const PreferenceStore& preferences) {
    const auto stored = preferences.stringValue(globalKeyKey);
    if (!stored) return defaultGlobalKey;
    if (stored->empty()) return "";
    const auto shortcut = Shortcut::parse(*stored);
    return shortcut ? shortcut->accelerator() : defaultGlobalKey;
}

constexpr const char* sleepKey = "sleepUnusedServicesAfterSeconds";

std::chrono::seconds storedSleepTime(const PreferenceStore& preferences) {
    const auto stored = preferences.rawValue(sleepKey);
    if (!stored || !stored->is_number_integer()) return std::chrono::seconds(0);
    // Past the signed range: as long as can be.
    const std::int64_t seconds = stored->is_number_unsigned()
                                     ? static_cast<std::int64_t>(std::min<std::uint64_t>(
                                           stored->get<std::uint64_t>(), std::numeric_limits<std::int64_t>::max()))
                                     : stored->get<std::int64_t>();
    return nearestSleepChoice(std::chrono::seconds(seconds));
}

}  // namespace

std::chrono::seconds nearestSleepChoice(std::chrono::seconds after) {
    if (after.count() <= 0) return std::chrono::seconds(0);
    std::chrono::seconds best = sleepChoices.front();
    for (std::chrono::seconds choice : sleepChoices)
        if (std::chrono::abs(choice - after) < std::chrono::abs(best - after)) best = choice;
    return best;
}

AppSettings::AppSettings(PreferenceStore& preferences, const DesktopDefaults& desktop)
    : preferences_(preferences), loadServicesWhenOpened_(preferences.boolValue("loadServicesWhenOpened").value_or(false)),
      sleepAfter_(storedSleepTime(preferences)), newWindowTarget_(storedNewWindowTarget(preferences)),
      notifyWhenAnswered_(preferences.boolValue(notifyWhenAnsweredKey).value_or(true)),
      keepDesktopLayout_(preferences.boolValue(keepDesktopLayoutKey).value_or(true)),
      globalKey_(storedGlobalKey(preferences)), proxy_(decodeProxySetting(preferences.rawValue(proxyKey).value_or(nullptr))), pageZoom_(preferences) {
    if (const auto stored = preferences.stringValue(appearanceKey)) {
        appearance_.set(*stored == "dark" ? AppAppearance::dark : AppAppearance::light);
        return;
    }
    const auto& dark = desktop.prefersDark();
    const auto follow = [this, &dark] { appearance_.set(dark.get() ? AppAppearance::dark : AppAppearance::light); };
    follow();
    followDesktop_ = dark.observe(follow);
}

void AppSettings::setNewWindowTarget(NewWindowTarget target) {
    newWindowTarget_.set(target);
    preferences_.setString(newWindowKey, rawValue(target));
}

void AppSettings::setNotifyWhenAnswered(bool on) {
    notifyWhenAnswered_.set(on);
    preferences_.setBool(notifyWhenAnsweredKey, on);
}

void AppSettings::setKeepDesktopLayoutInNarrowPanes(bool on) {
    keepDesktopLayout_.set(on);
    preferences_.setBool(keepDesktopLayoutKey, on);
}

void AppSettings::setGlobalKey(const std::string& accelerator) {
    globalKey_.set(accelerator);
    preferences_.setString(globalKeyKey, accelerator);
}

void AppSettings::setProxy(ProxySetting setting) {
    preferences_.setRaw(proxyKey, encodeProxySetting(setting));
    proxy_.set(std::move(setting));
}

void AppSettings::setLoadServicesWhenOpened(bool on) {
    loadServicesWhenOpened_.set(on);
    preferences_.setBool("loadServicesWhenOpened", on);
}

void AppSettings::setSleepUnusedServicesAfter(std::chrono::seconds after) {
    sleepAfter_.set(std::clamp<std::chrono::seconds>(after, std::chrono::seconds(0), sleepChoices.back()));
    preferences_.setRaw(sleepKey, sleepAfter_.get().count());
}

void AppSettings::setAppearance(AppAppearance appearance) {
    followDesktop_.disconnect();
    appearance_.set(appearance);
    preferences_.setString(appearanceKey, rawValue(appearance));
}

}  // namespace corvina
