#pragma once
#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

// The interface language, stored under "appLanguage".
class LocalizationManager {
public:
    explicit LocalizationManager(PreferenceStore& preferences);

    const Published<AppLanguage>& currentLanguage() const { return currentLanguage_; }
    AppLanguage language() const { return currentLanguage_.get(); }
    void setCurrentLanguage(AppLanguage language);

    std::string text(const LocalizedText& text) const { return text.in(language()); }

private:
    PreferenceStore& preferences_;
    Published<AppLanguage> currentLanguage_;
};

}  // namespace corvina
