#include "app/PromptFile.hpp"

#include <optional>
#include <string_view>

#include <glib.h>
#include <yaml-cpp/yaml.h>

namespace corvina {

namespace {

constexpr std::size_t maxNameBytes = 100;

// The header's lines and where the text starts, if the file opens with one.
bool splitHeader(const std::string& bytes, std::string& header, std::string& body) {
    std::size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const auto lineEnd = [&](std::size_t from) {
        const auto at = bytes.find('\n', from);
        return at == std::string::npos ? bytes.size() : at;
    };
    const auto firstEnd = lineEnd(start);
    std::string first = bytes.substr(start, firstEnd - start);
    if (!first.empty() && first.back() == '\r') first.pop_back();
    if (first != "---") return false;
    for (std::size_t line = firstEnd + 1; line < bytes.size();) {
        const auto end = lineEnd(line);
        std::string text = bytes.substr(line, end - line);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text == "---" || text == "...") {
            header = bytes.substr(firstEnd + 1, line - firstEnd - 1);
            body = end < bytes.size() ? bytes.substr(end + 1) : "";
            return true;
        }
        line = end + 1;
    }
    return false;
}

std::optional<Prompt> promptFromHeader(const std::string& header) {
    try {
        const YAML::Node node = YAML::Load(header);
        if (!node.IsMap() || !node["title"] || !node["title"].IsScalar()) return std::nullopt;
        Prompt prompt;
        prompt.title = node["title"].as<std::string>();
        if (const auto services = node["services"]) {
            if (!services.IsSequence()) return std::nullopt;
            for (const auto& id : services) {
                if (!id.IsScalar()) return std::nullopt;
                prompt.services.push_back(id.as<std::string>());
            }
        }
        return prompt;
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
}

// Cuts at a character boundary, never inside a UTF-8 sequence.
std::string cutTo(std::string s, std::size_t bytes) {
    if (s.size() <= bytes) return s;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    return s.substr(0, end);
}

}  // namespace

std::variant<Prompt, PromptProblem> parsePromptFile(const std::string& bytes) {
    if (bytes.size() > maxPromptFileBytes) return PromptProblem::tooLarge;
    if (!g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr)) return PromptProblem::notUtf8;
    std::string header, body;
    if (!splitHeader(bytes, header, body)) return PromptProblem::badHeader;
    auto prompt = promptFromHeader(header);
    if (!prompt || prompt->title.empty()) return PromptProblem::badHeader;
    // The blank line that follows the header belongs to the file, not the prompt.
    if (body.starts_with("\r\n")) body.erase(0, 2);
    else if (body.starts_with('\n')) body.erase(0, 1);
    if (body.ends_with("\r\n")) body.erase(body.size() - 2);
    else if (body.ends_with('\n')) body.pop_back();
    prompt->text = std::move(body);
    return *prompt;
}

std::string formatPromptFile(const Prompt& prompt) {
    YAML::Emitter out;
    out << YAML::BeginMap << YAML::Key << "title" << YAML::Value << YAML::DoubleQuoted << prompt.title;
    if (!prompt.services.empty()) {
        out << YAML::Key << "services" << YAML::Value << YAML::Flow << YAML::BeginSeq;
        for (const auto& id : prompt.services) out << id;
        out << YAML::EndSeq;
    }
    out << YAML::EndMap;
    return "---\n" + std::string(out.c_str()) + "\n---\n\n" + prompt.text + "\n";
}

std::string promptFileName(const std::string& title, const std::function<bool(const std::string&)>& taken) {
    // No path separators, nor what other systems' disks refuse (a USB stick, a synced
    // folder): a library copied or exported there keeps every file.
    constexpr std::string_view refused = "/\\:*?\"<>|";
    std::string name;
    for (const char c : title) {
        const auto u = static_cast<unsigned char>(c);
        name += (refused.find(c) != std::string_view::npos || u < 0x20 || u == 0x7F) ? '-' : c;
    }
    // No hidden files, no `.` or `..`, no space at either end.
    const auto first = name.find_first_not_of(". \t");
    name = first == std::string::npos ? "" : name.substr(first);
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) name = "";
    name = cutTo(name, maxNameBytes);
    if (name.empty()) name = "prompt";
    std::string candidate = name + ".md";
    for (int n = 2; taken(candidate); ++n) candidate = name + " " + std::to_string(n) + ".md";
    return candidate;
}

}  // namespace corvina
