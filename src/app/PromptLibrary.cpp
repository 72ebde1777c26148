#include "app/PromptLibrary.hpp"

#include <algorithm>
#include <set>
#include <tuple>

#include <glib.h>

#include "app/PromptStarters.hpp"
#include "platform/AtomicFile.hpp"

namespace corvina {

namespace fs = std::filesystem;

namespace {

constexpr const char* suffix = ".md";

std::string folded(const std::string& text) {
    char* out = g_utf8_casefold(text.data(), static_cast<gssize>(text.size()));
    std::string result(out);
    g_free(out);
    return result;
}

PromptEntry entryFrom(const FolderFile& file) {
    PromptEntry entry{file.name, {}, std::nullopt, {}, {}};
    if (file.read == FolderFile::Read::unreadable) entry.problem = PromptProblem::unreadable;
    else if (file.read == FolderFile::Read::tooLarge) entry.problem = PromptProblem::tooLarge;
    else {
        auto parsed = parsePromptFile(file.bytes);
        if (auto* prompt = std::get_if<Prompt>(&parsed)) entry.prompt = std::move(*prompt);
        else entry.problem = std::get<PromptProblem>(parsed);
    }
    entry.folded = folded(entry.prompt.title) + "\n" + folded(entry.prompt.text);
    const auto& shownAs = entry.problem ? entry.fileName : entry.prompt.title;
    char* key = g_utf8_collate_key(shownAs.c_str(), static_cast<gssize>(shownAs.size()));
    entry.sortKey = key;
    g_free(key);
    return entry;
}

bool inOrder(const PromptEntry& a, const PromptEntry& b) {
    return std::tie(a.sortKey, a.fileName) < std::tie(b.sortKey, b.fileName);
}

// A Markdown file without a header comes in whole, titled by its name.
std::optional<Prompt> importable(const FolderFile& file) {
    if (file.read != FolderFile::Read::ok) return std::nullopt;
    auto parsed = parsePromptFile(file.bytes);
    if (auto* prompt = std::get_if<Prompt>(&parsed)) return *prompt;
    if (std::get<PromptProblem>(parsed) != PromptProblem::badHeader || file.bytes.starts_with("---")) return std::nullopt;
    std::string text = file.bytes;
    while (text.ends_with('\n')) text.pop_back();
    return Prompt{fs::path(file.name).stem().string(), text, {}};
}

bool writePrompt(const fs::path& file, const Prompt& prompt) {
    return writeFileAtomically(file, formatPromptFile(prompt), 0644);
}

}  // namespace

PromptLibrary::PromptLibrary(fs::path folder) : folder_(std::move(folder)) {}

void PromptLibrary::open(AppLanguage language) {
    std::error_code error;
    if (!fs::exists(folder_, error) && makeFolder(folder_))
        for (const auto& prompt : starterPrompts(language)) write(prompt);
    monitor_ = std::make_unique<FolderMonitor>(folder_, [this](const FolderChanges& changes) {
        changes.all ? reload() : refresh(changes.names);
    });
    reload();
}

void PromptLibrary::reload() {
    std::vector<PromptEntry> entries;
    for (const auto& file : readFolder(folder_, suffix, maxPromptFileBytes)) entries.push_back(entryFrom(file));
    std::sort(entries.begin(), entries.end(), inOrder);
    entries_.set(std::move(entries));
}

void PromptLibrary::refresh(const std::set<std::string>& fileNames) {
    auto entries = entries_.get();
    std::erase_if(entries, [&](const PromptEntry& entry) { return fileNames.contains(entry.fileName); });
    for (const auto& name : fileNames) {
        const auto file = readFolderFile(folder_, name, suffix, maxPromptFileBytes);
        if (!file) continue;
        auto entry = entryFrom(*file);
        const auto at = std::upper_bound(entries.begin(), entries.end(), entry, inOrder);
        entries.insert(at, std::move(entry));
    }
    entries_.set(std::move(entries));
}

const PromptEntry* PromptLibrary::find(const std::string& fileName) const {
    for (const auto& entry : entries_.get())
        if (entry.fileName == fileName) return &entry;
    return nullptr;
}

std::vector<const PromptEntry*> PromptLibrary::matching(const std::string& query) const {
    const std::string wanted = folded(query);
    std::vector<const PromptEntry*> found;
    for (const auto& entry : entries_.get())
        if (!entry.problem && entry.folded.find(wanted) != std::string::npos) found.push_back(&entry);
    return found;
}

bool PromptLibrary::usable(const std::string& fileName) const {
    const auto* entry = find(fileName);
    return entry && !entry->problem;
}

std::optional<std::string> PromptLibrary::write(const Prompt& prompt) {
    if (!makeFolder(folder_)) return std::nullopt;
    const auto name = promptFileName(prompt.title, [this](const std::string& candidate) {
        std::error_code error;
        return fs::exists(folder_ / candidate, error);
    });
    if (!writePrompt(folder_ / name, prompt)) return std::nullopt;
    return name;
}

std::optional<std::string> PromptLibrary::add(const Prompt& prompt) {
    const auto name = write(prompt);
    if (name) refresh({*name});
    return name;
}

bool PromptLibrary::update(const std::string& fileName, const Prompt& prompt) {
    if (!usable(fileName) || !writePrompt(folder_ / fileName, prompt)) return false;
    refresh({fileName});
    return true;
}

bool PromptLibrary::remove(const std::string& fileName) {
    if (!usable(fileName) || !removeFile(folder_ / fileName)) return false;
    refresh({fileName});
    return true;
}

// Every file is written first and the list refreshed once: a folder of a thousand prompts
// is not a thousand refreshes.
std::size_t PromptLibrary::importFrom(const std::vector<fs::path>& paths) {
    std::vector<FolderFile> files;
    for (const auto& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            auto inFolder = readFolder(path, suffix, maxPromptFileBytes);
            files.insert(files.end(), inFolder.begin(), inFolder.end());
        } else {
            files.push_back(readTextFile(path, maxPromptFileBytes));
        }
    }
    std::set<std::string> added;
    for (const auto& file : files)
        if (const auto prompt = importable(file))
            if (const auto name = write(*prompt)) added.insert(*name);
    if (!added.empty()) refresh(added);
    return added.size();
}

std::size_t PromptLibrary::exportTo(const std::vector<std::string>& fileNames, const fs::path& folder) const {
    if (!makeFolder(folder)) return 0;
    std::set<std::string> written;
    std::size_t count = 0;
    for (const auto& fileName : fileNames) {
        const auto* entry = find(fileName);
        if (!entry || entry->problem) continue;
        const auto name = promptFileName(entry->prompt.title, [&](const std::string& candidate) {
            std::error_code error;
            return written.contains(candidate) || fs::exists(folder / candidate, error);
        });
        if (writePrompt(folder / name, entry->prompt)) {
            written.insert(name);
            ++count;
        }
    }
    return count;
}

}  // namespace corvina
