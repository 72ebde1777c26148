#pragma once
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace corvina {

// One prompt of the library: what the user asks, and the services it is usually asked of.
struct Prompt {
    std::string title;
    std::string text;
    std::vector<std::string> services;

    bool operator==(const Prompt&) const = default;
};

// Why a prompt file is listed but cannot be used.
enum class PromptProblem { unreadable, tooLarge, notUtf8, badHeader };

inline constexpr std::size_t maxPromptFileBytes = 1024 * 1024;

// A prompt file is Markdown: a YAML header between `---` lines holding `title` and, if any,
// `services` (a list of service ids), then the prompt's text.
std::variant<Prompt, PromptProblem> parsePromptFile(const std::string& bytes);
std::string formatPromptFile(const Prompt& prompt);

// A file name for a prompt of this title: no folders, nothing hidden, at most about 100
// bytes, ending in `.md`, numbered when `taken` says the name is in use.
std::string promptFileName(const std::string& title, const std::function<bool(const std::string&)>& taken);

}  // namespace corvina
