#include "app/CustomTab.hpp"

#include <glib.h>
#include <nlohmann/json.hpp>

#include <chrono>

#include "platform/Transliteration.hpp"

namespace corvina {

const std::vector<TabAttributeFlag>& tabAttributeFlags() {
    static const std::vector<TabAttributeFlag> flags = {
        {TabAttributes::webAI, {"Web AI", "網頁版 AI", "网页版 AI"}},
        {TabAttributes::localLLM, {"Local LLM", "本地大模型", "本地大模型"}},
        {TabAttributes::localAgent, {"Local Agent", "本地 Agent", "本地 Agent"}},
    };
    return flags;
}

std::string newCustomTabID() {
    gchar* uuid = g_uuid_string_random();
    gchar* upper = g_ascii_strup(uuid, -1);
    std::string id = std::string("custom_") + upper;
    g_free(upper);
    g_free(uuid);
    return id;
}

double secondsSinceReferenceDate() {
    // 2001-01-01 00:00:00 UTC is 978307200 seconds after the Unix epoch.
    constexpr double referenceDate = 978307200.0;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count() - referenceDate;
}

std::string initialLetter(const std::string& name) {
    if (name.empty()) return "#";
    const std::string latin = latinWithoutDiacritics(firstGrapheme(name));
    const std::string first = firstGrapheme(latin);
    if (first.empty() || !startsWithLetter(first)) return "#";
    return upperCased(first);
}

std::string iconName(const CustomTab& tab) {
    const std::string letter = initialLetter(tab.name);
    if (letter.size() == 1 && g_ascii_isalpha(letter[0]))
        return std::string(1, g_ascii_tolower(letter[0])) + ".circle.fill";
    return "number.circle.fill";
}

CustomTab anotherAccount(const AITab& service, AppLanguage language) {
    return CustomTab{newCustomTabID(), service.displayName(language) + " 2",      service.url,
                     TabAttributes{TabAttributes::webAI}, secondsSinceReferenceDate(), true};
}

AITab tabRecord(const CustomTab& tab) { return AITab{tab.id, tab.url, tab.name, tab.name, tab.name, iconName(tab)}; }

bool isAbsoluteURL(const std::string& text) {
    GUri* uri = g_uri_parse(text.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return false;
    g_uri_unref(uri);
    return true;
}

bool isOpenableTagAddress(const std::string& text) {
    GUri* uri = g_uri_parse(text.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return false;
    // The parser gives the scheme in lower case.
    const std::string scheme = g_uri_get_scheme(uri);
    g_uri_unref(uri);
    return scheme == "http" || scheme == "https";
}

std::string encodeCustomTabs(const std::vector<CustomTab>& tabs) {
    auto array = nlohmann::json::array();
    for (const auto& tab : tabs) {
        nlohmann::json item{{"id", tab.id},
                            {"name", tab.name},
                            {"url", tab.url},
                            {"attributes", tab.attributes.rawValue},
                            {"createdAt", tab.createdAt}};
        if (tab.separateSignIn) {
            item["signIn"] = "separate";
            item["proxy"] = encodeProxySetting(tab.proxy);
        }
        array.push_back(std::move(item));
    }
    return array.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<std::vector<CustomTab>> decodeCustomTabs(const std::string& json) {
    const auto array = nlohmann::json::parse(json, nullptr, false);
    if (!array.is_array()) return std::nullopt;
    std::vector<CustomTab> tabs;
    for (const auto& item : array) {
        if (!item.is_object()) return std::nullopt;
        auto member = [&](const char* key) { return item.contains(key) ? &item.at(key) : nullptr; };
        const auto *id = member("id"), *name = member("name"), *url = member("url");
        const auto *attributes = member("attributes"), *createdAt = member("createdAt");
        if (!id || !id->is_string() || !name || !name->is_string() || !url || !url->is_string()) return std::nullopt;
        if (!attributes || !attributes->is_number_integer() || !createdAt || !createdAt->is_number())
            return std::nullopt;
        if (!isAbsoluteURL(url->get<std::string>())) return std::nullopt;
        CustomTab tab{id->get<std::string>(), name->get<std::string>(), url->get<std::string>(),
                      TabAttributes{attributes->get<std::int64_t>()}, createdAt->get<double>()};
        const auto* signIn = member("signIn");
        tab.separateSignIn = signIn && signIn->is_string() && signIn->get<std::string>() == "separate";
        if (const auto* proxy = member("proxy"); proxy && tab.separateSignIn) tab.proxy = decodeProxySetting(*proxy);
        tabs.push_back(std::move(tab));
    }
    return tabs;
}

}  // namespace corvina
