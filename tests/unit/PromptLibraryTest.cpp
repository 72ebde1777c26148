#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include <glib.h>

#include "app/PromptBlanks.hpp"
#include "app/PromptLibrary.hpp"
#include "app/PromptStarters.hpp"
#include "support/Fakes.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

namespace fs = std::filesystem;

// Runs the main loop until `done` says so or five seconds pass; whether it did.
bool waitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        // Nothing pending yet: a short pause between looks, not a busy spin, while the
        // folder's change is on its way.
        if (!g_main_context_iteration(nullptr, FALSE)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class PromptLibraryTest : public ::testing::Test {
protected:
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& entry : library.entries().get()) out.push_back(entry.prompt.title);
        return out;
    }

    TempDir dir;
    fs::path folder = dir / "corvina" / "prompts";
    PromptLibrary library{folder};
};

TEST(PromptFile, RoundTripsTitlesServicesAndTextAsWritten) {
    const Prompt prompts[] = {
        {"Summarise", "Sum up:\n\n{{clipboard}}\n", {"chatgpt", "claude"}},
        {"引號 \"與\" 冒號: #不是註解", "---\nnot a header\n---", {}},
        {"  spaced  ", "", {}},
        {"Multi\nline title", "  indented\r\nwindows line", {"x"}},
    };
    for (const auto& prompt : prompts) {
        const auto file = formatPromptFile(prompt);
        const auto parsed = parsePromptFile(file);
        ASSERT_TRUE(std::holds_alternative<Prompt>(parsed)) << file;
        EXPECT_EQ(std::get<Prompt>(parsed), prompt) << file;
    }
    // A file written by hand, with Windows line ends and a header of its own style.
    const auto byHand = parsePromptFile("---\r\ntitle: Hand made\r\nservices:\r\n  - gemini\r\nnote: kept aside\r\n---\r\nBody\r\n");
    ASSERT_TRUE(std::holds_alternative<Prompt>(byHand));
    EXPECT_EQ(std::get<Prompt>(byHand), (Prompt{"Hand made", "Body", {"gemini"}}));
}

TEST(PromptFile, RefusesFilesItCannotUnderstand) {
    const std::pair<std::string, PromptProblem> cases[] = {
        {"no header at all", PromptProblem::badHeader},
        {"---\ntitle: never closed\n", PromptProblem::badHeader},
        {"---\ntitle: [unbalanced\n---\ntext", PromptProblem::badHeader},
        {"---\nservices: [a]\n---\nno title", PromptProblem::badHeader},
        {"---\ntitle: ''\n---\nempty title", PromptProblem::badHeader},
        {"---\ntitle: t\nservices: one\n---\nnot a list", PromptProblem::badHeader},
        {"---\ntitle: {a: b}\n---\ntitle is a map", PromptProblem::badHeader},
        {"---\ntitle: bad \xC3\x28 bytes\n---\n", PromptProblem::notUtf8},
        {std::string(maxPromptFileBytes + 1, 'a'), PromptProblem::tooLarge},
    };
    for (const auto& [bytes, problem] : cases) {
        const auto parsed = parsePromptFile(bytes);
        ASSERT_TRUE(std::holds_alternative<PromptProblem>(parsed)) << bytes.substr(0, 60);
        EXPECT_EQ(std::get<PromptProblem>(parsed), problem) << bytes.substr(0, 60);
    }
}

TEST(PromptFile, NamesFilesSafelyFromTitles) {
    std::set<std::string> taken = {"Notes.md", "Notes 2.md"};
    const auto isTaken = [&](const std::string& name) { return taken.contains(name); };
    const std::pair<std::string, std::string> cases[] = {
        {"Daily plan", "Daily plan.md"},
        {"../../etc/passwd", "-..-etc-passwd.md"},
        {".hidden", "hidden.md"},
        {"..", "prompt.md"},
        {"   ", "prompt.md"},
        {"a/b\\c\td", "a-b-c-d.md"},
        {"方案/比较: ../A 与 B?", "方案-比较- ..-A 与 B-.md"},
        {"<draft> \"quoted\" *|*", "-draft- -quoted- ---.md"},
        {"翻譯成英文", "翻譯成英文.md"},
        {"Notes", "Notes 3.md"},
        {"trailing dots...", "trailing dots.md"},
    };
    for (const auto& [title, name] : cases) EXPECT_EQ(promptFileName(title, isTaken), name) << title;
    // Long titles are cut at a character boundary.
    const auto longName = promptFileName(std::string(80, 'x') + "漢字漢字漢字漢字漢字", isTaken);
    EXPECT_LE(longName.size(), 103u);
    EXPECT_TRUE(g_utf8_validate(longName.c_str(), -1, nullptr)) << longName;
}

TEST_F(PromptLibraryTest, StartsANewFolderWithStartersOnlyOnce) {
    library.open(AppLanguage::zhTW);
    std::set<std::string> expected;
    for (const auto& starter : starterPrompts(AppLanguage::zhTW)) expected.insert(starter.title);
    const auto starters = titles();
    EXPECT_EQ(std::set<std::string>(starters.begin(), starters.end()), expected);
    for (const auto& entry : library.entries().get()) {
        EXPECT_FALSE(entry.problem) << entry.fileName;
        EXPECT_FALSE(blanksOf(entry.prompt.text).empty()) << entry.prompt.title;
    }

    // Once started, an emptied folder stays empty.
    const auto entries = library.entries().get();
    for (const auto& entry : entries) ASSERT_TRUE(library.remove(entry.fileName));
    PromptLibrary again(folder);
    again.open(AppLanguage::en);
    EXPECT_TRUE(again.entries().get().empty());
}

TEST_F(PromptLibraryTest, AddsUpdatesSearchesAndRemoves) {
    ASSERT_TRUE(makeFolder(folder));
    library.open(AppLanguage::en);
    const auto first = library.add({"Review code", "Review this diff for bugs", {"a"}});
    const auto second = library.add({"Review code", "Another one", {}});
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, "Review code.md");
    EXPECT_EQ(*second, "Review code 2.md");
    ASSERT_TRUE(library.update(*second, {"Write a poem", "Écrire sur la MER", {}}));
    EXPECT_EQ(titles(), (std::vector<std::string>{"Review code", "Write a poem"}));
    EXPECT_TRUE(fs::exists(folder / *second)) << "an edit keeps the file's name";

    const auto found = [&](const std::string& query) {
        std::vector<std::string> out;
        for (const auto* entry : library.matching(query)) out.push_back(entry->prompt.title);
        return out;
    };
    EXPECT_EQ(found("BUGS"), std::vector<std::string>{"Review code"});
    EXPECT_EQ(found("ÉCRIRE"), std::vector<std::string>{"Write a poem"});
    EXPECT_EQ(found("mer"), std::vector<std::string>{"Write a poem"});
    EXPECT_EQ(found("").size(), 2u);

    ASSERT_TRUE(library.remove(*first));
    EXPECT_FALSE(fs::exists(folder / *first));
    EXPECT_EQ(titles(), std::vector<std::string>{"Write a poem"});
}

TEST_F(PromptLibraryTest, PicksUpChangesMadeOutsideWhileRunning) {
    ASSERT_TRUE(makeFolder(folder));
    library.open(AppLanguage::en);
    int changes = 0;
    ScopedConnection watch = library.entries().observe([&] { ++changes; });

    writeFile(folder / "outside.md", "---\ntitle: From outside\n---\nhello");
    ASSERT_TRUE(waitFor([&] { return titles() == std::vector<std::string>{"From outside"}; }));
    writeFile(folder / "outside.md", "---\ntitle: Edited outside\n---\nhello again");
    ASSERT_TRUE(waitFor([&] { return titles() == std::vector<std::string>{"Edited outside"}; }));
    EXPECT_EQ(library.find("outside.md")->prompt.text, "hello again");
    fs::remove(folder / "outside.md");
    ASSERT_TRUE(waitFor([&] { return library.entries().get().empty(); }));
    EXPECT_GE(changes, 3);

    // Renamed, saved the way editors save (a hidden file renamed over the old one), moved in
    // and moved out: each in its place in title order, and nothing left of the old names.
    library.add({"Beta", "b", {}});
    library.add({"Delta", "d", {}});
    fs::rename(folder / "Beta.md", folder / "renamed.md");
    ASSERT_TRUE(waitFor([&] { return !library.find("Beta.md") && library.find("renamed.md"); }));
    EXPECT_EQ(titles(), (std::vector<std::string>{"Beta", "Delta"}));
    writeFile(folder / ".renamed.md.swp", "---\ntitle: Echo\n---\nsaved");
    fs::rename(folder / ".renamed.md.swp", folder / "renamed.md");
    ASSERT_TRUE(waitFor([&] { return titles() == std::vector<std::string>{"Delta", "Echo"}; }));
    writeFile(dir / "elsewhere.md", "---\ntitle: Alpha\n---\nfrom elsewhere");
    fs::rename(dir / "elsewhere.md", folder / "elsewhere.md");
    ASSERT_TRUE(waitFor([&] { return titles() == std::vector<std::string>{"Alpha", "Delta", "Echo"}; }));
    fs::rename(folder / "Delta.md", dir / "Delta.md");
    ASSERT_TRUE(waitFor([&] { return titles() == std::vector<std::string>{"Alpha", "Echo"}; }));
    EXPECT_EQ(library.entries().get().size(), 2u);
}

TEST_F(PromptLibraryTest, ListsFilesItCannotUseAndLeavesThemByteForByte) {
    ASSERT_TRUE(makeFolder(folder));
    const std::map<std::string, std::string> files = {
        {"bad header.md", "title: no dashes\n"},
        {"latin1.md", "---\ntitle: caf\xE9\n---\n"},
        {"huge.md", "---\ntitle: huge\n---\n" + std::string(maxPromptFileBytes, 'x')},
    };
    for (const auto& [name, bytes] : files) writeFile(folder / name, bytes);
    fs::create_symlink(dir / "nowhere.md", folder / "dangling.md");
    library.open(AppLanguage::en);

    std::map<std::string, PromptProblem> problems;
    for (const auto& entry : library.entries().get())
        if (entry.problem) problems[entry.fileName] = *entry.problem;
    EXPECT_EQ(problems["bad header.md"], PromptProblem::badHeader);
    EXPECT_EQ(problems["latin1.md"], PromptProblem::notUtf8);
    EXPECT_EQ(problems["huge.md"], PromptProblem::tooLarge);
    EXPECT_EQ(problems["dangling.md"], PromptProblem::unreadable);
    EXPECT_EQ(problems.size(), 4u);
    EXPECT_TRUE(library.matching("").empty());

    for (const auto& name : {"bad header.md", "latin1.md", "huge.md", "dangling.md"}) {
        EXPECT_FALSE(library.update(name, {"Overwritten", "", {}})) << name;
        EXPECT_FALSE(library.remove(name)) << name;
    }
    for (const auto& [name, bytes] : files) EXPECT_EQ(readFile(folder / name), bytes) << name;
    EXPECT_EQ(fs::read_symlink(folder / "dangling.md"), dir / "nowhere.md");
}

TEST_F(PromptLibraryTest, ImportsFilesAndFoldersAndExportsChosenPrompts) {
    ASSERT_TRUE(makeFolder(folder));
    library.open(AppLanguage::en);
    writeFile(dir / "in" / "one.md", formatPromptFile({"One", "first {{x}}", {"a"}}));
    writeFile(dir / "in" / "plain notes.md", "Just a Markdown note\n");
    writeFile(dir / "in" / "broken.md", "---\ntitle: [\n---\n");
    writeFile(dir / "in" / "skip.txt", "not Markdown");
    writeFile(dir / "single.md", formatPromptFile({"One", "a second One", {}}));

    EXPECT_EQ(library.importFrom({dir / "in", dir / "single.md"}), 3u);
    EXPECT_EQ(titles(), (std::vector<std::string>{"One", "One", "plain notes"}));
    EXPECT_EQ(library.find("plain notes.md")->prompt.text, "Just a Markdown note");

    EXPECT_EQ(library.exportTo({"One.md", "One 2.md", "missing.md"}, dir / "out"), 2u);
    PromptLibrary exported(dir / "out");
    exported.open(AppLanguage::en);
    ASSERT_EQ(exported.entries().get().size(), 2u);
    EXPECT_EQ(exported.find("One.md")->prompt, library.find("One.md")->prompt);
    EXPECT_EQ(exported.find("One 2.md")->prompt, library.find("One 2.md")->prompt);
}

}  // namespace
