#include "app/AppLanguage.hpp"

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

}  // namespace corvina
