#include "app/RoundMarkdown.hpp"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

namespace corvina {

namespace {

constexpr LocalizedText tookText{"Took %s", "用時 %s", "用时 %s"};
constexpr LocalizedText secondsText{"%s s", "%s 秒", "%s 秒"};
constexpr LocalizedText minutesText{"%s min", "%s 分", "%s 分"};
constexpr LocalizedText cutNote{"The answer was longer than 1 MB and is cut here.", "回答超過 1 MB，於此截斷。",
                                "回答超过 1 MB，在此截断。"};
constexpr std::size_t headingLength = 80;

constexpr LocalizedText compareIntro{
    "Below are a question and %s answers to it from different AI assistants, labelled Answer A, Answer B and so on.\n\n"
    "1. Say where the answers agree and where they differ.\n"
    "2. Say which answer is the most accurate, and why.\n"
    "3. Write the best combined answer.\n\n"
    "Reply in English.",
    "以下是一個問題，以及不同 AI 助理對它的 %s 個回答，分別標為回答 A、回答 B 等。\n\n"
    "1. 指出各回答的相同之處與不同之處。\n"
    "2. 指出哪個回答最準確，並說明理由。\n"
    "3. 寫出綜合各回答的最佳答案。\n\n"
    "請用繁體中文回答。",
    "以下是一个问题，以及不同 AI 助手对它的 %s 个回答，分别标为回答 A、回答 B 等。\n\n"
    "1. 指出各回答的相同之处与不同之处。\n"
    "2. 指出哪个回答最准确，并说明理由。\n"
    "3. 写出综合各回答的最佳答案。\n\n"
    "请用简体中文回答。"};
constexpr LocalizedText questionLabel{"Question", "問題", "问题"};
constexpr LocalizedText answerLabel{"Answer %s", "回答 %s", "回答 %s"};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

// The first `count` characters of UTF-8 `text`.
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size() && seen < count; ++seen) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return text.substr(0, at);
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string firstLine(const std::string& prompt) {
    for (const auto& line : lines(prompt))
        if (!trimmed(line).empty()) return trimmed(line);
    return "";
}

std::string duration(Milliseconds took, AppLanguage language) {
    const auto seconds = (took.count() + 500) / 1000;
    if (seconds < 60) return secondsText.in(language, std::to_string(seconds));
    return minutesText.in(language, std::to_string(seconds / 60)) + " " +
           secondsText.in(language, std::to_string(seconds % 60));
}

// An answer's own headings one level under its service's: `#` becomes `###`, never past
// `######`; lines in fenced code blocks stay as they are.
std::string underServiceHeading(const std::string& answer) {
    std::string out;
    std::string fence;
    for (const auto& line : lines(answer)) {
        const auto text = trimmed(line);
        if (fence.empty() && (text.starts_with("```") || text.starts_with("~~~"))) {
            fence = text.substr(0, 3);
        } else if (!fence.empty() && text.starts_with(fence)) {
            fence.clear();
        } else if (fence.empty() && line.starts_with("#")) {
            const auto level = line.find_first_not_of('#');
            if (level != std::string::npos && level <= 6 && line[level] == ' ') {
                out += std::string(std::min<std::size_t>(level + 2, 6), '#') + line.substr(level) + "\n";
                continue;
            }
        }
        out += line + "\n";
    }
    return out;
}

std::string letter(std::size_t index) { return std::string(1, static_cast<char>('A' + index % 26)); }

}  // namespace

std::string escapedMarkdown(const std::string& text) {
    static const std::string special = "\\`*_{}[]()<>#+-.!|~&";
    std::string out;
    for (char c : text) {
        if (special.find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out;
}

std::string roundMarkdown(const AskRound& round, const ServiceNames& names, AppLanguage language) {
    std::string heading = firstLine(round.prompt);
    if (const auto cut = firstCharacters(heading, headingLength); cut.size() < heading.size()) heading = cut + "…";
    std::string out = "# " + escapedMarkdown(heading) + "\n\n";
    for (const auto& line : lines(round.prompt)) out += trimmed(line).empty() ? ">\n" : "> " + escapedMarkdown(line) + "\n";
    for (const auto& entry : round.services) {
        out += "\n## " + escapedMarkdown(names(entry.serviceID)) + "\n\n";
        std::vector<std::string> facts;
        if (const auto took = entry.took(); took && entry.finished()) facts.push_back(tookText.in(language, duration(*took, language)));
        if (!entry.address.empty()) facts.push_back("<" + entry.address + ">");
        if (!facts.empty()) {
            out += "*" + facts[0] + "*";
            for (std::size_t i = 1; i < facts.size(); ++i) out += " · " + facts[i];
            out += "\n\n";
        }
        if (entry.answer) {
            out += underServiceHeading(trimmed(*entry.answer));
            if (entry.answerCut) out += "\n*" + std::string(cutNote.in(language)) + "*\n";
        } else {
            out += "*" + answerStatusText(entry.status).in(language) + "*\n";
        }
    }
    return out;
}

std::string comparePrompt(const AskRound& round, const ServiceNames& names, AppLanguage language, bool nameServices) {
    std::size_t answers = 0;
    for (const auto& entry : round.services) answers += entry.answer ? 1 : 0;
    std::string out = compareIntro.in(language, std::to_string(answers)) + "\n\n## " + questionLabel.in(language) +
                      "\n\n" + trimmed(round.prompt) + "\n";
    std::size_t index = 0;
    for (const auto& entry : round.services) {
        if (!entry.answer) continue;
        out += "\n## " + answerLabel.in(language, letter(index++));
        if (nameServices) out += " (" + names(entry.serviceID) + ")";
        out += "\n\n" + trimmed(*entry.answer) + "\n";
    }
    return out;
}

std::string answersFileName(const std::string& prompt, std::chrono::year_month_day day) {
    constexpr std::size_t words = 6, characters = 40;
    static const std::string unsafe = "/\\:*?\"<>|";
    std::vector<std::string> kept;
    std::istringstream in(firstLine(prompt));
    for (std::string word; kept.size() < words && in >> word;) {
        std::string safe;
        for (char c : word)
            if (unsafe.find(c) == std::string::npos && static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) safe += c;
        if (!safe.empty()) kept.push_back(safe);
    }
    const auto joined = [&] {
        std::string all;
        for (const auto& word : kept) all += (all.empty() ? "" : " ") + word;
        return all;
    };
    // Whole words while they fit; one long word (or text without spaces) is cut.
    while (kept.size() > 1 && firstCharacters(joined(), characters).size() < joined().size()) kept.pop_back();
    std::string name = firstCharacters(joined(), characters);
    while (!name.empty() && (name.front() == '.' || name.front() == '-')) name.erase(0, 1);
    name = trimmed(name);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                  static_cast<unsigned>(day.day()));
    return (name.empty() ? std::string("Answers") : name) + " " + date + ".md";
}

}  // namespace corvina
