#include <gtest/gtest.h>

#include <memory>

#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"
#include "web/DownloadSettings.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace fs = std::filesystem;

namespace {

class DownloadSettingsTest : public ::testing::Test {
protected:
    DownloadSettingsTest() { fs::create_directories(downloads); }

    // A new process: the preference file is read again.
    std::unique_ptr<DownloadSettings> launch() {
        preferences = std::make_unique<PreferenceStore>(file);
        return std::make_unique<DownloadSettings>(*preferences, queue, downloads);
    }
    fs::path launchedPath() { return launch()->customDownloadPath().get(); }
    fs::path folder(const std::string& name) {
        fs::create_directories(dir / name);
        return dir / name;
    }
    std::optional<nlohmann::json> onDisk(const char* key) { return PreferenceStore(file).rawValue(key); }
    std::optional<FolderBookmark> storedBookmark() {
        auto data = PreferenceStore(file).dataValue(DownloadSettings::bookmarkKey);
        return data ? FolderBookmark::decode(*data) : std::nullopt;
    }

    TempDir dir;
    fs::path file = dir / "config" / "preferences.json";
    fs::path downloads = dir / "Downloads";
    std::unique_ptr<PreferenceStore> preferences;
    ManualMainQueue queue;
};

TEST_F(DownloadSettingsTest, TheDefaultIsTheDownloadsFolderElseTheTemporaryDirectory) {
    auto settings = launch();
    EXPECT_EQ(settings->customDownloadPath().get(), downloads);
    EXPECT_FALSE(settings->hasFolderAccess());
    settings->startFolderAccess();
    EXPECT_TRUE(settings->hasFolderAccess());
    EXPECT_FALSE(fs::exists(file)) << "nothing is written";

    DownloadSettings without(*preferences, queue, fs::path());
    EXPECT_EQ(without.customDownloadPath().get(), fs::temp_directory_path());
    without.setDownloadPath(folder("chosen"));
    without.resetToDefault();
    queue.drain();
    EXPECT_EQ(without.customDownloadPath().get(), fs::temp_directory_path());
    EXPECT_TRUE(without.hasFolderAccess()) << "a reset does not touch the access flag";
}

TEST_F(DownloadSettingsTest, AChosenFolderIsStoredAtOnceAndPublishedOnTheMainQueue) {
    auto settings = launch();
    int changes = 0;
    ScopedConnection observer = settings->customDownloadPath().observe([&] { ++changes; });
    const fs::path chosen = folder("chosen");

    settings->setDownloadPath(chosen);
    EXPECT_EQ(settings->customDownloadPath().get(), downloads);  // not yet
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(settings->hasFolderAccess());
    ASSERT_TRUE(storedBookmark());
    EXPECT_EQ(storedBookmark()->path, chosen);
    EXPECT_FALSE(onDisk(DownloadSettings::fallbackKey));
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), chosen);
    EXPECT_EQ(changes, 1);

    auto next = launch();
    EXPECT_EQ(next->customDownloadPath().get(), chosen);
    EXPECT_FALSE(next->hasFolderAccess());  // until the window asks for it

    // Chosen again after its bookmark went missing: written anew, access restarted.
    next->setDownloadPath(chosen);
    preferences->remove(DownloadSettings::bookmarkKey);
    next->setDownloadPath(chosen);
    EXPECT_TRUE(onDisk(DownloadSettings::bookmarkKey));
    EXPECT_TRUE(next->hasFolderAccess());
}

TEST_F(DownloadSettingsTest, AFolderReplacedAtItsPathRefreshesTheStaleBookmark) {
    const fs::path chosen = folder("chosen");
    launch()->setDownloadPath(chosen);
    const auto before = storedBookmark();
    ASSERT_TRUE(before);

    fs::rename(chosen, dir / "old");
    fs::create_directory(chosen);
    EXPECT_EQ(launchedPath(), chosen);
    const auto after = storedBookmark();
    ASSERT_TRUE(after);
    EXPECT_NE(after->inode, before->inode);
    EXPECT_EQ(after->inode, FolderBookmark::make(chosen)->inode);
    ASSERT_TRUE(after->resolve());
    EXPECT_FALSE(after->resolve()->stale);
}

// A moved folder falls back to the plain path, then to Downloads; so do unreadable values.
TEST_F(DownloadSettingsTest, BrokenOrUnreadableStoredValuesFallBack) {
    const fs::path chosen = folder("chosen");
    launch()->setDownloadPath(chosen);
    const auto bookmark = PreferenceStore(file).dataValue(DownloadSettings::bookmarkKey);
    fs::rename(chosen, dir / "moved");
    EXPECT_EQ(launchedPath(), downloads);
    // The broken bookmark stays until something replaces it.
    EXPECT_EQ(PreferenceStore(file).dataValue(DownloadSettings::bookmarkKey), bookmark);
    PreferenceStore(file).setString(DownloadSettings::fallbackKey, (dir / "not-there").string());
    EXPECT_EQ(launchedPath(), dir / "not-there");  // taken without a check

    {
        PreferenceStore store(file);
        store.setData(DownloadSettings::bookmarkKey, Bytes{'C', 'V', 'F', 'B', 1, 0, 0});
        store.setString(DownloadSettings::fallbackKey, "");
    }
    EXPECT_EQ(launchedPath(), downloads);
    PreferenceStore(file).setString(DownloadSettings::bookmarkKey, dir.path().string());  // a string, not data
    EXPECT_EQ(launchedPath(), downloads);
    EXPECT_FALSE(FolderBookmark::decode(FolderBookmark{"relative/path", 1, 2}.encode()));
}

// What cannot be bookmarked is kept as a plain path; the latest choice wins either way.
TEST_F(DownloadSettingsTest, TheLatestChoiceWinsWhicheverKeyHoldsIt) {
    auto settings = launch();
    settings->setDownloadPath(folder("first"));
    writeFile(dir / "a-file", "x");
    settings->setDownloadPath(dir / "a-file");
    EXPECT_FALSE(settings->hasFolderAccess());
    EXPECT_FALSE(onDisk(DownloadSettings::bookmarkKey));
    EXPECT_EQ(onDisk(DownloadSettings::fallbackKey), (dir / "a-file").string());
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), dir / "a-file");
    EXPECT_EQ(launchedPath(), dir / "a-file");

    launch()->setDownloadPath(folder("third"));
    EXPECT_FALSE(onDisk(DownloadSettings::fallbackKey));
    fs::remove(dir / "third");
    EXPECT_EQ(launchedPath(), downloads);  // not the older plain path
}

TEST_F(DownloadSettingsTest, ResetForgetsBothKeysAndPublishesTheDefaultLater) {
    auto settings = launch();
    settings->setDownloadPath(folder("chosen"));
    PreferenceStore(file).setString(DownloadSettings::fallbackKey, "/somewhere");
    settings = launch();
    queue.drain();

    settings->resetToDefault();
    EXPECT_FALSE(onDisk(DownloadSettings::bookmarkKey));
    EXPECT_FALSE(onDisk(DownloadSettings::fallbackKey));
    EXPECT_EQ(settings->customDownloadPath().get(), dir / "chosen");
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), downloads);
    EXPECT_EQ(launchedPath(), downloads);
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
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), downloads);
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
    EXPECT_FALSE(onDisk(DownloadSettings::bookmarkKey));
}

}  // namespace
