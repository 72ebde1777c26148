#pragma once
#include "app/AppLanguage.hpp"
#include "platform/DesktopDefaults.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

// The interface language, stored under "appLanguage"; until the user picks one, the
// locale's.
class LocalizationManager {
public:
    LocalizationManager(PreferenceStore& preferences, const DesktopDefaults& desktop);

    const Published<AppLanguage>& currentLanguage() const { return currentLanguage_; }
    AppLanguage language() const { return currentLanguage_.get(); }
    void setCurrentLanguage(AppLanguage language);

    std::string text(const LocalizedText& text) const { return text.in(language()); }

private:
    PreferenceStore& preferences_;
    Published<AppLanguage> currentLanguage_;
};

}  // namespace corvina
