#include "panels/CustomTagsEditing.hpp"

#include <glib.h>

namespace corvina {

namespace {

// Unicode white space and line breaks, including the two that GLib leaves out.
bool isSpaceOrBreak(gunichar c) { return g_unichar_isspace(c) || c == 0x0B || c == 0x85; }

bool startsWithWebScheme(const std::string& address) {
    gchar* lower = g_ascii_strdown(address.c_str(), -1);
    const bool web = g_str_has_prefix(lower, "http://") || g_str_has_prefix(lower, "https://");
    g_free(lower);
    return web;
}

}  // namespace

std::string trimmedTagText(const std::string& text) {
    if (!g_utf8_validate(text.c_str(), static_cast<gssize>(text.size()), nullptr)) return text;
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    while (begin < end && isSpaceOrBreak(g_utf8_get_char(begin))) begin = g_utf8_next_char(begin);
    while (end > begin) {
        const char* last = g_utf8_find_prev_char(begin, end);
        if (!last || !isSpaceOrBreak(g_utf8_get_char(last))) break;
        end = last;
    }
    return std::string(begin, end);
}

std::optional<std::string> normalizedTagAddress(const std::string& raw) {
    std::string address = trimmedTagText(raw);
    if (!address.empty() && !startsWithWebScheme(address)) address = "https://" + address;
    // The same rule decides whether a stored tag opens, so whatever is saved here opens.
    if (!isOpenableTagAddress(address)) return std::nullopt;
    return address;
}

std::optional<CustomTagsFields> savedTagFields(const CustomTagsFields& raw) {
    auto url = normalizedTagAddress(raw.url);
    if (!url || raw.name.empty()) return std::nullopt;
    const TabAttributes attributes = raw.attributes.empty() ? TabAttributes{TabAttributes::webAI} : raw.attributes;
    return CustomTagsFields{trimmedTagText(raw.name), std::move(*url), attributes, raw.separateSignIn,
                            raw.separateSignIn ? raw.proxy : ProxySetting{}};
}

}  // namespace corvina
