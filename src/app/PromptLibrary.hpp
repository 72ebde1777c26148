#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/AppLanguage.hpp"
#include "app/PromptFile.hpp"
#include "platform/Observable.hpp"
#include "platform/TextFolder.hpp"

namespace corvina {

// One file of the prompt library: its prompt, or why it cannot be used.
struct PromptEntry {
    std::string fileName;
    Prompt prompt;
    std::optional<PromptProblem> problem;
    // Title and text case-folded, for searching as the user types.
    std::string folded;
    // Where it goes in title order (by its name when it cannot be used).
    std::string sortKey;
};

// The prompts in their folder, one Markdown file each; a file changed, also from outside, is
// read again. A file that cannot be used is listed and never rewritten or removed.
class PromptLibrary {
public:
    explicit PromptLibrary(std::filesystem::path folder);

    // Reads the folder and watches it; a folder that does not exist yet is made with the
    // starter prompts, in `language`.
    void open(AppLanguage language);

    const std::filesystem::path& folder() const { return folder_; }
    // In title order.
    const Published<std::vector<PromptEntry>>& entries() const { return entries_; }
    const PromptEntry* find(const std::string& fileName) const;
    // The usable prompts whose title or text holds `query`, ignoring case.
    std::vector<const PromptEntry*> matching(const std::string& query) const;

    // The new file's name, if it was written.
    std::optional<std::string> add(const Prompt& prompt);
    bool update(const std::string& fileName, const Prompt& prompt);
    bool remove(const std::string& fileName);
    // Markdown files, or the Markdown files of folders; how many prompts were added.
    std::size_t importFrom(const std::vector<std::filesystem::path>& paths);
    // Writes these prompts into `folder` under names of their own; how many were written.
    std::size_t exportTo(const std::vector<std::string>& fileNames, const std::filesystem::path& folder) const;

private:
    void reload();
    // Reads these files again: changed, added or gone.
    void refresh(const std::set<std::string>& fileNames);
    // The new file's name, if it was written; the list is not refreshed.
    std::optional<std::string> write(const Prompt& prompt);
    bool usable(const std::string& fileName) const;

    std::filesystem::path folder_;
    Published<std::vector<PromptEntry>> entries_;
    std::unique_ptr<FolderMonitor> monitor_;
};

}  // namespace corvina
