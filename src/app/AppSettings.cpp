#include "app/AppSettings.hpp"

#include <algorithm>
#include <cstdint>

namespace corvina {

std::string rawValue(AppAppearance appearance) { return appearance == AppAppearance::dark ? "dark" : "light"; }

std::string displayName(AppAppearance appearance, AppLanguage language) {
    return appearance == AppAppearance::dark ? LocalizedText{"Dark", "深色", "深色"}.in(language)
                                             : LocalizedText{"Light", "淺色", "浅色"}.in(language);
}

namespace {

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
      sleepAfter_(storedSleepTime(preferences)), pageZoom_(preferences) {}

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
