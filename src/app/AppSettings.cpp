#include "app/AppSettings.hpp"

#include <algorithm>
#include <cstdint>

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

constexpr const char* newWindowKey = "openNewWindows";

NewWindowTarget storedNewWindowTarget(const PreferenceStore& preferences) {
    const auto stored = preferences.stringValue(newWindowKey);
    for (auto target : allNewWindowTargets)
        if (stored == rawValue(target)) return target;
    return NewWindowTarget::nowhere;
}

constexpr const char* sleepKey = "sleepUnusedServicesAfterSeconds";

std::chrono::seconds storedSleepTime(const PreferenceStore& preferences) {
    const auto stored = preferences.rawValue(sleepKey);
    if (!stored || !stored->is_number_integer()) return std::chrono::seconds(0);
    return std::chrono::seconds(std::max<std::int64_t>(0, stored->get<std::int64_t>()));
}

}  // namespace

AppSettings::AppSettings(PreferenceStore& preferences)
    : preferences_(preferences),
      appearance_(preferences.stringValue("appAppearance") == "dark" ? AppAppearance::dark : AppAppearance::light),
      loadServicesWhenOpened_(preferences.boolValue("loadServicesWhenOpened").value_or(false)),
      sleepAfter_(storedSleepTime(preferences)), newWindowTarget_(storedNewWindowTarget(preferences)),
      pageZoom_(preferences) {}

void AppSettings::setNewWindowTarget(NewWindowTarget target) {
    newWindowTarget_.set(target);
    preferences_.setString(newWindowKey, rawValue(target));
}

void AppSettings::setLoadServicesWhenOpened(bool on) {
    loadServicesWhenOpened_.set(on);
    preferences_.setBool("loadServicesWhenOpened", on);
}

void AppSettings::setSleepUnusedServicesAfter(std::chrono::seconds after) {
    sleepAfter_.set(std::max(after, std::chrono::seconds(0)));
    preferences_.setRaw(sleepKey, sleepAfter_.get().count());
}

void AppSettings::setAppearance(AppAppearance appearance) {
    appearance_.set(appearance);
    preferences_.setString("appAppearance", rawValue(appearance));
}

}  // namespace corvina
