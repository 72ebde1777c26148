#pragma once
#include <array>
#include <string>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

enum class AppAppearance { light, dark };

inline constexpr std::array<AppAppearance, 2> allAppearances = {AppAppearance::light, AppAppearance::dark};

std::string rawValue(AppAppearance appearance);
std::string displayName(AppAppearance appearance, AppLanguage language);

// Light or dark, stored under "appAppearance"; the application forces it on the toolkit.
class AppSettings {
public:
    explicit AppSettings(PreferenceStore& preferences);

    const Published<AppAppearance>& appearance() const { return appearance_; }
    void setAppearance(AppAppearance appearance);

private:
    PreferenceStore& preferences_;
    Published<AppAppearance> appearance_;
};

}  // namespace corvina
