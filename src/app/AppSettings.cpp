#include "app/AppSettings.hpp"

namespace corvina {

std::string rawValue(AppAppearance appearance) { return appearance == AppAppearance::dark ? "dark" : "light"; }

std::string displayName(AppAppearance appearance, AppLanguage language) {
    return appearance == AppAppearance::dark ? LocalizedText{"Dark", "深色", "深色"}.in(language)
                                             : LocalizedText{"Light", "淺色", "浅色"}.in(language);
}

AppSettings::AppSettings(PreferenceStore& preferences)
    : preferences_(preferences),
      appearance_(preferences.stringValue("appAppearance") == "dark" ? AppAppearance::dark : AppAppearance::light) {}

void AppSettings::setAppearance(AppAppearance appearance) {
    appearance_.set(appearance);
    preferences_.setString("appAppearance", rawValue(appearance));
}

}  // namespace corvina
