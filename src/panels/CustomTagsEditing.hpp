#pragma once
#include <optional>
#include <string>

#include "app/CustomTab.hpp"

namespace corvina {

// What the user typed and ticked in the add form or the edit card.
struct CustomTagsFields {
    std::string name;
    std::string url;
    TabAttributes attributes;
    bool separateSignIn = false;
    // Checked by the form; kept only with a separate sign-in.
    ProxySetting proxy;
};

// The text without white space and line breaks at either end.
std::string trimmedTagText(const std::string& text);
// The address as it is stored: trimmed, "https://" put in front when no web scheme starts
// it; none when the result is not an address a tag may open (http or https).
std::optional<std::string> normalizedTagAddress(const std::string& raw);
// The fields as Save stores them, or none when Save must do nothing.
std::optional<CustomTagsFields> savedTagFields(const CustomTagsFields& raw);

}  // namespace corvina
