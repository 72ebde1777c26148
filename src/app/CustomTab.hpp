#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/AITab.hpp"
#include "app/AppLanguage.hpp"
#include "app/ProxySetting.hpp"

namespace corvina {

// Descriptive flags of a custom tag. Bits without a meaning here are kept as they are.
struct TabAttributes {
    std::int64_t rawValue = 0;

    static constexpr std::int64_t webAI = 1;
    static constexpr std::int64_t localLLM = 2;
    static constexpr std::int64_t localAgent = 4;

    bool contains(std::int64_t flag) const { return (rawValue & flag) == flag; }
    void insert(std::int64_t flag) { rawValue |= flag; }
    void remove(std::int64_t flag) { rawValue &= ~flag; }
    bool empty() const { return rawValue == 0; }
    bool operator==(const TabAttributes&) const = default;
};

struct TabAttributeFlag {
    std::int64_t bit;
    LocalizedText label;
};

// The flags a user can see and choose, in order.
const std::vector<TabAttributeFlag>& tabAttributeFlags();

// A service the user added: name, start address, flags; and whether it signs in apart
// from the other services, with a network session (and proxy choice) of its own.
struct CustomTab {
    // The five stored members first; the later ones may be left out.
    CustomTab(std::string id = {}, std::string name = {}, std::string url = {}, TabAttributes attributes = {},
              double createdAt = 0, bool separateSignIn = false, ProxySetting proxy = {})
        : id(std::move(id)), name(std::move(name)), url(std::move(url)), attributes(attributes), createdAt(createdAt),
          separateSignIn(separateSignIn), proxy(std::move(proxy)) {}

    std::string id;
    std::string name;
    std::string url;
    TabAttributes attributes;
    double createdAt = 0;  // seconds since 2001-01-01 00:00:00 UTC
    bool separateSignIn = false;
    // Only a tag with its own sign-in has a session whose proxy it can choose.
    ProxySetting proxy;

    bool operator==(const CustomTab&) const = default;
};

// "custom_" and a random upper-case UUID.
std::string newCustomTabID();
// Now, in the seconds that `createdAt` counts.
double secondsSinceReferenceDate();

// First character of the name in Latin script and upper case, or "#".
std::string initialLetter(const std::string& name);
// "d.circle.fill" for a name starting with D, 豆 or Đ; "number.circle.fill" otherwise.
std::string iconName(const CustomTab& tab);
// A new tag for a second account of a service: its address, "<name> 2", its own sign-in.
CustomTab anotherAccount(const AITab& service, AppLanguage language);

// The tag seen as a catalogue record.
AITab tabRecord(const CustomTab& tab);

// Whether text is an absolute URL (scheme and all).
bool isAbsoluteURL(const std::string& text);
// Whether a tag may open this address: an absolute http or https URL. The add form and the
// stored tags follow this one rule; a stored tag with another address is kept, not opened.
bool isOpenableTagAddress(const std::string& text);

// The stored list format: a compact JSON array. Decoding is all or nothing for the five
// first members; "signIn" and "proxy", added later and ignored by older versions, read as
// shared sign-in and system proxy when absent or not understood.
std::string encodeCustomTabs(const std::vector<CustomTab>& tabs);
std::optional<std::vector<CustomTab>> decodeCustomTabs(const std::string& json);

}  // namespace corvina
