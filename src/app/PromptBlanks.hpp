#pragma once
#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace corvina {

// A place in a prompt's text that the user fills before asking: `{{name}}`,
// `{{name:default}}`, `{{name:one|two}}`, and the built-ins `{{clipboard}}` and `{{date}}`.
struct PromptBlank {
    enum class Kind { text, choice, clipboard, date };
    std::string name;
    Kind kind = Kind::text;
    std::string defaultValue;
    std::vector<std::string> choices;

    bool operator==(const PromptBlank&) const = default;
};

// The blanks of `text` in the order they first appear, each once (a name used again keeps
// its first form). `\{{` is a literal `{{`; `{{` without a closing `}}`, and `{{}}`, are text.
std::vector<PromptBlank> blanksOf(const std::string& text);

// `text` with every blank replaced by its value; a blank without a value gets its default
// (a choice blank its first choice).
std::string fillBlanks(const std::string& text, const std::map<std::string, std::string>& values);

// What the built-ins offer: the clipboard history newest first, and the day as YYYY-MM-DD.
std::vector<std::string> clipboardChoices(const std::vector<std::string>& historyOldestFirst);
std::string dateValue(std::chrono::year_month_day day);

}  // namespace corvina
