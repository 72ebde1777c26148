#include <gtest/gtest.h>

#include <memory>

#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"
#include "web/DownloadSettings.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace fs = std::filesystem;

namespace {

constexpr auto bookmarkKey = DownloadSettings::bookmarkKey;
constexpr auto fallbackKey = DownloadSettings::fallbackKey;
// The published folder, whether it is accessible, the stored bookmark's folder, the stored plain path.
using Seen = std::tuple<fs::path, bool, std::optional<fs::path>, std::optional<std::string>>;

class DownloadSettingsTest : public ::testing::Test {
protected:
    DownloadSettingsTest() { fs::create_directories(downloads); }

    // A new process: the preference file is read again.
    std::unique_ptr<DownloadSettings> launch() {
        preferences = std::make_unique<PreferenceStore>(file);
        return std::make_unique<DownloadSettings>(*preferences, queue, downloads);
    }
    fs::path launchedPath() { return launch()->customDownloadPath().get(); }
    Seen seen(const DownloadSettings& settings) {
        const auto bookmark = storedBookmark();
        return {settings.customDownloadPath().get(), settings.hasFolderAccess(),
                bookmark ? std::optional(bookmark->path) : std::nullopt, PreferenceStore(file).stringValue(fallbackKey)};
    }
    fs::path folder(const std::string& name) {
        fs::create_directories(dir / name);
        return dir / name;
    }
    std::optional<FolderBookmark> storedBookmark() {
        auto data = PreferenceStore(file).dataValue(bookmarkKey);
        return data ? FolderBookmark::decode(*data) : std::nullopt;
    }

    TempDir dir;
    fs::path file = dir / "config" / "preferences.json";
    fs::path downloads = dir / "Downloads";
    std::unique_ptr<PreferenceStore> preferences;
    ManualMainQueue queue;
};

// Without a choice, Downloads (else the temporary directory); a reset forgets both keys
// and publishes the default later, leaving the access flag alone.
TEST_F(DownloadSettingsTest, TheDefaultIsTheDownloadsFolderElseTheTemporaryDirectoryAndResetReturnsToIt) {
    auto settings = launch();
    EXPECT_EQ(seen(*settings), (Seen{downloads, false, std::nullopt, std::nullopt}));
    settings->startFolderAccess();
    EXPECT_TRUE(settings->hasFolderAccess());
    EXPECT_FALSE(fs::exists(file)) << "nothing is written";

    DownloadSettings without(*preferences, queue, fs::path());
    const auto temporary = fs::temp_directory_path();
    EXPECT_EQ(without.customDownloadPath().get(), temporary);
    without.setDownloadPath(folder("chosen"));
    preferences->setString(fallbackKey, "/somewhere");
    without.resetToDefault();
    queue.drain();
    EXPECT_EQ(seen(without), (Seen{temporary, true, std::nullopt, std::nullopt}));
    EXPECT_EQ(launchedPath(), downloads);
}

// A folder is kept as a bookmark, anything else as a plain path, published on the main
// queue; the key not written goes, so the latest choice wins at the next launch.
TEST_F(DownloadSettingsTest, AChoiceIsStoredAtOncePublishedLaterAndTheLatestWinsWhicheverKeyHoldsIt) {
    auto settings = launch();
    const fs::path chosen = folder("chosen");
    settings->setDownloadPath(chosen);
    EXPECT_EQ(seen(*settings), (Seen{downloads, true, chosen, std::nullopt}));
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), chosen);

    auto next = launch();
    EXPECT_EQ(seen(*next), (Seen{chosen, false, chosen, std::nullopt})) << "no access until the window asks";
    // Chosen again after its bookmark went missing: written anew, access restarted.
    next->setDownloadPath(chosen);
    preferences->remove(bookmarkKey);
    next->setDownloadPath(chosen);
    EXPECT_EQ(seen(*next), (Seen{chosen, true, chosen, std::nullopt}));

    writeFile(dir / "a-file", "x");
    next->setDownloadPath(dir / "a-file");
    queue.drain();
    EXPECT_EQ(seen(*next), (Seen{dir / "a-file", false, std::nullopt, (dir / "a-file").string()}));
    EXPECT_EQ(launchedPath(), dir / "a-file");
    launch()->setDownloadPath(chosen);
    EXPECT_FALSE(PreferenceStore(file).rawValue(fallbackKey));
}

// A folder replaced at its path gets a fresh bookmark; a moved folder falls back to the
// plain path (taken without a check), then to Downloads; so do unreadable values.
TEST_F(DownloadSettingsTest, AReplacedFolderRefreshesItsBookmarkAndBrokenValuesFallBack) {
    const fs::path chosen = folder("chosen");
    launch()->setDownloadPath(chosen);
    fs::rename(chosen, dir / "old");
    fs::create_directory(chosen);
    EXPECT_EQ(launchedPath(), chosen);
    const auto bookmark = storedBookmark();
    ASSERT_TRUE(bookmark && bookmark->resolve());
    EXPECT_FALSE(bookmark->resolve()->stale);

    fs::rename(chosen, dir / "moved");
    EXPECT_EQ(launchedPath(), downloads);
    EXPECT_EQ(storedBookmark()->inode, bookmark->inode) << "kept until something replaces it";
    PreferenceStore(file).setString(fallbackKey, (dir / "not-there").string());
    EXPECT_EQ(launchedPath(), dir / "not-there");
    {
        PreferenceStore store(file);
        store.setData(bookmarkKey, Bytes{'C', 'V', 'F', 'B', 1, 0, 0});
        store.setString(fallbackKey, "");
    }
    EXPECT_EQ(launchedPath(), downloads);
    PreferenceStore(file).setString(bookmarkKey, dir.path().string());  // a string, not data
    EXPECT_EQ(launchedPath(), downloads);
    EXPECT_FALSE(FolderBookmark::decode(FolderBookmark{"relative/path", 1, 2}.encode()));
}

TEST_F(DownloadSettingsTest, TheChooserAdoptsAConfirmedFolderOnlyAndNotAfterTeardown) {
    auto settings = launch();
    std::optional<bool> result;
    const auto choose = [&] { settings->chooseFolder([&](bool adopted) { result = adopted; }); };
    choose();
    EXPECT_EQ(result, false);  // no chooser yet
    result.reset();

    std::function<void(std::optional<fs::path>)> pending;
    settings->setFolderChooser([&](auto completion) { pending = std::move(completion); });
    choose();
    ASSERT_TRUE(pending);
    EXPECT_FALSE(result);  // the user is still choosing
    pending(std::nullopt);
    EXPECT_EQ(result, false);
    EXPECT_FALSE(fs::exists(file));
    choose();
    pending(folder("picked"));
    EXPECT_EQ(result, true);
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), dir / "picked");

    // A late answer after teardown changes nothing.
    result.reset();
    choose();
    settings->resetToDefault();
    settings.reset();
    pending(folder("too-late"));
    queue.drain();
    EXPECT_EQ(result, false);
    EXPECT_FALSE(storedBookmark());
}

}  // namespace
