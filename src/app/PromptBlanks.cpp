#include "app/PromptBlanks.hpp"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

namespace corvina {

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> split(const std::string& s, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = s.find(separator, start)) != std::string::npos; start = at + 1)
        pieces.push_back(trimmed(s.substr(start, at - start)));
    pieces.push_back(trimmed(s.substr(start)));
    return pieces;
}

// The blank written between the braces, or none when it only looks like one.
std::optional<PromptBlank> blankFrom(const std::string& inner) {
    if (inner.find_first_of("{}\n") != std::string::npos) return std::nullopt;
    const auto colon = inner.find(':');
    PromptBlank blank;
    blank.name = trimmed(inner.substr(0, colon));
    if (blank.name.empty()) return std::nullopt;
    if (colon != std::string::npos) {
        const std::string rest = inner.substr(colon + 1);
        if (rest.find('|') != std::string::npos) {
            blank.kind = PromptBlank::Kind::choice;
            blank.choices = split(rest, '|');
            blank.defaultValue = blank.choices.front();
        } else {
            blank.defaultValue = trimmed(rest);
        }
    } else if (blank.name == "clipboard") {
        blank.kind = PromptBlank::Kind::clipboard;
    } else if (blank.name == "date") {
        blank.kind = PromptBlank::Kind::date;
    }
    return blank;
}

// Walks `text`, handing literal runs and blanks to their callbacks in order.
void scan(const std::string& text, const std::function<void(std::string_view)>& literal,
          const std::function<void(const PromptBlank&)>& blank) {
    std::size_t i = 0;
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end > runStart) literal(std::string_view(text).substr(runStart, end - runStart));
    };
    while (i < text.size()) {
        if (text.compare(i, 3, "\\{{") == 0) {
            flush(i);
            literal("{{");
            i += 3;
            runStart = i;
            continue;
        }
        if (text.compare(i, 2, "{{") == 0) {
            const auto close = text.find("}}", i + 2);
            if (close != std::string::npos) {
                if (const auto found = blankFrom(text.substr(i + 2, close - i - 2))) {
                    flush(i);
                    blank(*found);
                    i = close + 2;
                    runStart = i;
                    continue;
                }
            }
        }
        ++i;
    }
    flush(text.size());
}

}  // namespace

std::vector<PromptBlank> blanksOf(const std::string& text) {
    std::vector<PromptBlank> blanks;
    scan(text, [](std::string_view) {}, [&](const PromptBlank& blank) {
        const bool known = std::any_of(blanks.begin(), blanks.end(), [&](const auto& b) { return b.name == blank.name; });
        if (!known) blanks.push_back(blank);
    });
    return blanks;
}

std::string fillBlanks(const std::string& text, const std::map<std::string, std::string>& values) {
    std::string out;
    // A name used again is filled as its first use says.
    std::map<std::string, std::string> defaults;
    scan(text, [&](std::string_view run) { out += run; }, [&](const PromptBlank& blank) {
        if (const auto value = values.find(blank.name); value != values.end()) {
            out += value->second;
            return;
        }
        out += defaults.try_emplace(blank.name, blank.defaultValue).first->second;
    });
    return out;
}

std::vector<std::string> clipboardChoices(const std::vector<std::string>& historyOldestFirst) {
    return {historyOldestFirst.rbegin(), historyOldestFirst.rend()};
}

std::string dateValue(std::chrono::year_month_day day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                  static_cast<unsigned>(day.day()));
    return text;
}

}  // namespace corvina
