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

TEST_F(DownloadSettingsTest, FirstLaunchUsesTheDownloadsFolderAndWritesNothing) {
    auto settings = launch();
    EXPECT_EQ(settings->customDownloadPath().get(), downloads);
    EXPECT_FALSE(settings->hasFolderAccess());
    settings->startFolderAccess();
    EXPECT_TRUE(settings->hasFolderAccess());
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(DownloadSettingsTest, WithoutADownloadsFolderTheTemporaryDirectoryIsUsed) {
    preferences = std::make_unique<PreferenceStore>(file);
    DownloadSettings settings(*preferences, queue, fs::path());
    EXPECT_EQ(settings.customDownloadPath().get(), fs::temp_directory_path());
    settings.setDownloadPath(folder("chosen"));
    settings.resetToDefault();
    queue.drain();
    EXPECT_EQ(settings.customDownloadPath().get(), fs::temp_directory_path());
    EXPECT_TRUE(settings.hasFolderAccess());  // a reset does not touch the access flag
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
}

TEST_F(DownloadSettingsTest, AFolderReplacedAtItsPathRefreshesTheStaleBookmark) {
    const fs::path chosen = folder("chosen");
    launch()->setDownloadPath(chosen);
    const auto before = storedBookmark();
    ASSERT_TRUE(before);

    fs::rename(chosen, dir / "old");
    fs::create_directory(chosen);
    auto settings = launch();
    EXPECT_EQ(settings->customDownloadPath().get(), chosen);
    const auto after = storedBookmark();
    ASSERT_TRUE(after);
    EXPECT_NE(after->inode, before->inode);
    EXPECT_EQ(after->inode, FolderBookmark::make(chosen)->inode);
    ASSERT_TRUE(after->resolve());
    EXPECT_FALSE(after->resolve()->stale);
}

TEST_F(DownloadSettingsTest, AMovedFolderFallsBackToThePlainPathThenDownloads) {
    const fs::path chosen = folder("chosen");
    launch()->setDownloadPath(chosen);
    const auto bookmark = PreferenceStore(file).dataValue(DownloadSettings::bookmarkKey);
    fs::rename(chosen, dir / "moved");

    EXPECT_EQ(launch()->customDownloadPath().get(), downloads);
    // The broken bookmark stays until something replaces it.
    EXPECT_EQ(PreferenceStore(file).dataValue(DownloadSettings::bookmarkKey), bookmark);

    PreferenceStore(file).setString(DownloadSettings::fallbackKey, (dir / "not-there").string());
    EXPECT_EQ(launch()->customDownloadPath().get(), dir / "not-there");  // taken without a check
}

TEST_F(DownloadSettingsTest, UnreadableStoredValuesAreSkipped) {
    {
        PreferenceStore store(file);
        store.setData(DownloadSettings::bookmarkKey, Bytes{'C', 'V', 'F', 'B', 1, 0, 0});
        store.setString(DownloadSettings::fallbackKey, "");
    }
    EXPECT_EQ(launch()->customDownloadPath().get(), downloads);
    PreferenceStore(file).setString(DownloadSettings::bookmarkKey, dir.path().string());  // a string, not data
    EXPECT_EQ(launch()->customDownloadPath().get(), downloads);
    EXPECT_FALSE(FolderBookmark::decode(FolderBookmark{"relative/path", 1, 2}.encode()));
}

TEST_F(DownloadSettingsTest, AFolderThatCannotBeBookmarkedIsKeptAsAPlainPath) {
    auto settings = launch();
    writeFile(dir / "a-file", "x");
    settings->setDownloadPath(dir / "a-file");
    EXPECT_FALSE(settings->hasFolderAccess());
    EXPECT_EQ(onDisk(DownloadSettings::fallbackKey), (dir / "a-file").string());
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), dir / "a-file");
    EXPECT_EQ(launch()->customDownloadPath().get(), dir / "a-file");
}

TEST_F(DownloadSettingsTest, TheLatestChoiceWinsWhicheverKeyHoldsIt) {
    auto settings = launch();
    settings->setDownloadPath(folder("first"));
    settings->setDownloadPath(dir / "later-missing");
    EXPECT_FALSE(onDisk(DownloadSettings::bookmarkKey));
    EXPECT_EQ(launch()->customDownloadPath().get(), dir / "later-missing");

    launch()->setDownloadPath(folder("third"));
    EXPECT_FALSE(onDisk(DownloadSettings::fallbackKey));
    fs::remove(dir / "third");
    EXPECT_EQ(launch()->customDownloadPath().get(), downloads);  // not the older plain path
}

TEST_F(DownloadSettingsTest, ChoosingTheCurrentFolderAgainRewritesAndRestartsAccess) {
    const fs::path chosen = folder("chosen");
    auto settings = launch();
    settings->setDownloadPath(chosen);
    preferences->remove(DownloadSettings::bookmarkKey);
    settings->setDownloadPath(chosen);
    EXPECT_TRUE(onDisk(DownloadSettings::bookmarkKey));
    EXPECT_TRUE(settings->hasFolderAccess());
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
    EXPECT_EQ(launch()->customDownloadPath().get(), downloads);
}

TEST_F(DownloadSettingsTest, TheChooserAdoptsAConfirmedFolderOnly) {
    auto settings = launch();
    std::optional<bool> result;
    settings->chooseFolder([&](bool adopted) { result = adopted; });
    EXPECT_EQ(result, false);  // no chooser yet
    result.reset();

    std::function<void(std::optional<fs::path>)> pending;
    settings->setFolderChooser([&](auto completion) { pending = std::move(completion); });

    settings->chooseFolder([&](bool adopted) { result = adopted; });
    ASSERT_TRUE(pending);
    EXPECT_FALSE(result);  // the user is still choosing
    pending(std::nullopt);
    EXPECT_EQ(result, false);
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), downloads);
    EXPECT_FALSE(fs::exists(file));

    settings->chooseFolder([&](bool adopted) { result = adopted; });
    pending(folder("picked"));
    EXPECT_EQ(result, true);
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), dir / "picked");
    EXPECT_EQ(DownloadSettings::folderChooserText.in(AppLanguage::zhCN), "选择下载目录...");
}

TEST_F(DownloadSettingsTest, LateAnswersAfterTeardownChangeNothing) {
    auto settings = launch();
    std::function<void(std::optional<fs::path>)> pending;
    settings->setFolderChooser([&](auto completion) { pending = std::move(completion); });
    std::optional<bool> result;
    settings->chooseFolder([&](bool adopted) { result = adopted; });
    settings->resetToDefault();
    settings.reset();

    pending(folder("too-late"));
    queue.drain();
    EXPECT_EQ(result, false);
    EXPECT_FALSE(onDisk(DownloadSettings::bookmarkKey));
}

}  // namespace
