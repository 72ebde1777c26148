#include "app/LocalizationManager.hpp"

namespace corvina {

namespace {

AppLanguage initialLanguage(const PreferenceStore& preferences, const DesktopDefaults& desktop) {
    const auto stored = preferences.stringValue("appLanguage");
    return stored ? languageFromRaw(*stored) : languageForLocale(desktop.firstLanguage());
}

}  // namespace

LocalizationManager::LocalizationManager(PreferenceStore& preferences, const DesktopDefaults& desktop)
    : preferences_(preferences), currentLanguage_(initialLanguage(preferences, desktop)) {}

void LocalizationManager::setCurrentLanguage(AppLanguage language) {
    currentLanguage_.set(language);
    preferences_.setString("appLanguage", rawValue(language));
}

}  // namespace corvina
