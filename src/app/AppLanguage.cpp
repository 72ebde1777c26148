#include "app/AppLanguage.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

namespace corvina {

std::string rawValue(AppLanguage language) {
    switch (language) {
        case AppLanguage::zhCN: return "zh_CN";
        case AppLanguage::zhTW: return "zh_TW";
        case AppLanguage::en: break;
    }
    return "en";
}

std::string chooserName(AppLanguage language) {
    return LocalizedText{"English", "繁體中文", "简体中文"}.in(language);
}

AppLanguage languageFromRaw(const std::string& raw) {
    if (raw == "zh_TW") return AppLanguage::zhTW;
    if (raw == "en") return AppLanguage::en;
    return AppLanguage::zhCN;
}

AppLanguage languageForLocale(const std::string& locale) {
    // Language, then territory or script; the codeset and modifier do not matter.
    std::vector<std::string> parts(1);
    for (char c : locale) {
        if (c == '.' || c == '@') break;
        if (c == '_' || c == '-')
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (parts.front() == "en") return AppLanguage::en;
    if (parts.front() != "zh") return AppLanguage::zhCN;
    const bool traditional = std::any_of(parts.begin() + 1, parts.end(), [](const std::string& part) {
        return part == "tw" || part == "hk" || part == "mo" || part == "hant";
    });
    return traditional ? AppLanguage::zhTW : AppLanguage::zhCN;
}

}  // namespace corvina
