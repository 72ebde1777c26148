#include "app/LocalizationManager.hpp"

namespace corvina {

LocalizationManager::LocalizationManager(PreferenceStore& preferences)
    : preferences_(preferences),
      currentLanguage_(languageFromRaw(preferences.stringValue("appLanguage").value_or("zh_CN"))) {}

void LocalizationManager::setCurrentLanguage(AppLanguage language) {
    currentLanguage_.set(language);
    preferences_.setString("appLanguage", rawValue(language));
}

}  // namespace corvina
