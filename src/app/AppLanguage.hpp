#pragma once
#include <array>
#include <string>

namespace corvina {

enum class AppLanguage { zhCN, zhTW, en };

inline constexpr std::array<AppLanguage, 3> allLanguages = {AppLanguage::zhCN, AppLanguage::zhTW, AppLanguage::en};

// One user-visible text in its three forms.
struct LocalizedText {
    const char* en;
    const char* zhTW;
    const char* zhCN;

    std::string in(AppLanguage language) const {
        switch (language) {
            case AppLanguage::zhCN: return zhCN;
            case AppLanguage::zhTW: return zhTW;
            case AppLanguage::en: break;
        }
        return en;
    }
    // The text in `language` with its "%s" filled in.
    std::string in(AppLanguage language, const std::string& filling) const {
        std::string text = in(language);
        if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, filling);
        return text;
    }
};

// Stored value and locale identifier: "zh_CN", "zh_TW", "en".
std::string rawValue(AppLanguage language);
// Each language named in itself, for language choosers.
std::string chooserName(AppLanguage language);
// Exact, case-sensitive match; anything else is Simplified Chinese.
AppLanguage languageFromRaw(const std::string& raw);
// The interface language for a locale name ("zh_HK.UTF-8", "en_US", "zh-Hant"): Chinese
// of Taiwan, Hong Kong and Macau, or in traditional script, is Traditional Chinese; other
// Chinese is Simplified; English is English; anything else is Simplified Chinese.
AppLanguage languageForLocale(const std::string& locale);

}  // namespace corvina
