#include <gtest/gtest.h>

#include <memory>

#include <glib.h>

#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"
#include "web/downloads/DownloadNames.hpp"
#include "web/downloads/DownloadReports.hpp"
#include "web/downloads/DownloadSettings.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace fs = std::filesystem;

namespace {

class DownloadNamesTest : public ::testing::Test {
protected:
    fs::path choose(const std::string& suggested) { return chooseDestination(dir.path(), suggested, reservations); }
    void touch(const std::string& name) { writeFile(dir / name, "x"); }
    // The name chosen, checked to be whole characters and to fit the file system together
    // with the engine's temporary suffix.
    std::string fittingName(const std::string& suggested) {
        const std::string name = choose(suggested).filename().string();
        EXPECT_LE(name.size() + std::string_view(".wkdownload").size(), 255u) << name;
        EXPECT_TRUE(g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) << name;
        return name;
    }

    TempDir dir;
    DownloadNameReservations reservations;
};

// Collisions count from one before the last extension, or before a compressed tar archive's
// two; dot files and trailing dots have no extension. Folders and dangling links count as
// taken: writing through a dangling link would create a file wherever it points.
TEST_F(DownloadNamesTest, CollisionsCountFromOneBeforeTheExtension) {
    fs::create_directory(dir / "photo.png");
    fs::create_symlink(dir / "elsewhere" / "target", dir / "data.csv");
    // files already there, suggested, chosen
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
        {{}, "报告 2024.pdf", "报告 2024.pdf"}, {{"report.pdf", "report (1).pdf"}, "report.pdf", "report (2).pdf"},
        {{"README"}, "README", "README (1)"}, {{"archive.tar.gz"}, "archive.tar.gz", "archive (1).tar.gz"},
        {{"src.tar.xz", "src (1).tar.xz"}, "src.tar.xz", "src (2).tar.xz"}, {{"old.TAR.Z"}, "old.TAR.Z", "old (1).TAR.Z"},
        {{"a.tar.zst", "b.tar.bz2", "c.tar.lz"}, "b.tar.bz2", "b (1).tar.bz2"}, {{"d.tgz"}, "d.tgz", "d (1).tgz"},
        {{"photo.2024.png"}, "photo.2024.png", "photo.2024 (1).png"}, {{"x.zip.gz"}, "x.zip.gz", "x.zip (1).gz"},
        {{"e.tar"}, "e.tar", "e (1).tar"}, {{"tar.gz"}, "tar.gz", "tar (1).gz"}, {{".tar.gz"}, ".tar.gz", ".tar (1).gz"},
        {{"download"}, "", "download (1)"}, {{".bashrc"}, ".bashrc", ".bashrc (1)"}, {{"notes."}, "notes.", "notes. (1)"},
        {{}, "photo.png", "photo (1).png"}, {{}, "data.csv", "data (1).csv"},
    };
    for (const auto& [existing, suggested, expected] : cases) {
        for (const auto& name : existing) touch(name);
        EXPECT_EQ(choose(suggested), dir / expected) << suggested;
    }
}

// Whatever the page suggests, the file lands directly inside the folder, which is made again
// if it went missing (a file where the folder should be is left alone).
TEST_F(DownloadNamesTest, HostileNamesStayDirectlyInsideTheFolderMadeAgainIfMissing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"../../etc/passwd", "passwd"}, {"/etc/passwd", "passwd"}, {"a/b\\c.txt", "c.txt"},
        {"..\\..\\run.exe", "run.exe"}, {"..", "download"},        {".", "download"},
        {"", "download"},               {"folder/", "download"},   {"folder/..", "download"},
        {std::string("safe.txt\0/../../x", 17), "safe.txt"},
    };
    for (const auto& [suggested, expected] : cases) {
        const fs::path chosen = choose(suggested);
        EXPECT_EQ(chosen, dir / expected) << suggested;
        EXPECT_EQ(chosen.parent_path(), dir.path()) << suggested;
    }
    const fs::path folder = dir / "gone" / "deeper";
    EXPECT_EQ(chooseDestination(folder, "a.txt", reservations), folder / "a.txt");
    EXPECT_TRUE(fs::is_directory(folder));
    touch("blocked");
    EXPECT_EQ(chooseDestination(dir / "blocked", "a.txt", reservations), dir / "blocked" / "a.txt");
    EXPECT_TRUE(fs::is_regular_file(dir / "blocked"));
}

TEST_F(DownloadNamesTest, AReservedNameIsTakenUntilItsDownloadEnds) {
    const fs::path first = choose("image.png");
    reservations.reserve(first);
    const fs::path second = choose("image.png");
    reservations.reserve(second);
    EXPECT_EQ(std::pair(first, second), std::pair(dir / "image.png", dir / "image (1).png"));
    EXPECT_EQ(choose("image.png"), dir / "image (2).png");

    // The first download failed and left nothing: its name is free again.
    reservations.release(first);
    reservations.release(first);
    EXPECT_EQ(choose("image.png"), dir / "image.png");
    EXPECT_EQ(reservations.size(), 1u);

    // The second one finished: its file now keeps the name.
    touch("image (1).png");
    reservations.release(second);
    reservations.reserve(first);
    EXPECT_EQ(choose("image.png"), dir / "image (2).png");
}

// Shortened to whole characters keeping the extension; an absurd extension cannot swallow
// the counter.
TEST_F(DownloadNamesTest, OverlongNamesAreShortenedToFitWithTheirCounter) {
    std::string stem;
    for (int i = 0; i < 82; ++i) stem += "图";  // 246 bytes, and more with any extension
    for (const std::string extension : {".pdf", ".tar.gz"}) {
        const std::string name = fittingName(stem + extension);
        EXPECT_TRUE(name.ends_with("图" + extension)) << name;
        touch(name + ".wkdownload");
        EXPECT_TRUE(fs::exists(dir / (name + ".wkdownload"))) << "the file system takes the engine's temporary file";
        touch(name);
        const std::string numbered = fittingName(stem + extension);
        EXPECT_TRUE(numbered.ends_with("图 (1)" + extension)) << numbered;
    }
    EXPECT_EQ(fittingName(std::string(240, 'a') + ".pdf"), std::string(240, 'a') + ".pdf") << "fits as it is";

    const std::string absurd = "x." + std::string(300, 'e');
    touch(fittingName(absurd));
    EXPECT_TRUE(fittingName(absurd).ends_with(" (1)"));
}

TEST(DownloadMessages, AFailureSaysWhyInTheInterfaceLanguage) {
    EXPECT_EQ(downloadFailedMessage(AppLanguage::en, "The network connection was lost."),
              "Download Failed: The network connection was lost.");
    EXPECT_EQ(downloadFailedMessage(AppLanguage::zhCN, "网络错误"), "下载失败: 网络错误");
}

class DownloadReportsTest : public ::testing::Test {
protected:
    // What the toast shows now, or nothing when it is hidden.
    std::optional<std::string> shown() const {
        return reports.shown().get() ? std::optional(reports.message().get()) : std::nullopt;
    }

    ManualMainQueue queue;
    DownloadReports reports{queue};
};

// Each report shows three seconds from its own arrival; the timer of an older one never
// hides a newer one, and closing the toast leaves no timer behind.
TEST_F(DownloadReportsTest, EachReportShowsThreeSecondsFromItsArrival) {
    EXPECT_EQ(shown(), std::nullopt);
    reports.finished(AppLanguage::zhTW);
    queue.advance(Milliseconds(2000));
    reports.finished(AppLanguage::en);
    queue.advance(Milliseconds(2999));
    EXPECT_EQ(shown(), "File Download Complete");
    queue.advance(Milliseconds(1));
    EXPECT_EQ(shown(), std::nullopt);

    reports.failed(AppLanguage::en, "Disk full");
    reports.dismiss();
    EXPECT_EQ(shown(), std::nullopt);
    EXPECT_EQ(queue.pendingTimers(), 0u);
    EXPECT_EQ(reports.message().get(), "Download Failed: Disk full") << "the text stays as it was";
}

// In a burst, a failure stays readable for its full three seconds: successes meanwhile do
// not cover it, further failures are counted. Once it is gone, or closed, any report shows.
TEST_F(DownloadReportsTest, AFailureIsNotCoveredBySuccessesAndFailuresInARowAreCounted) {
    reports.finished(AppLanguage::en);
    queue.advance(Milliseconds(100));
    reports.failed(AppLanguage::en, "Disk full");
    for (int i = 0; i < 3; ++i) {
        queue.advance(Milliseconds(900));
        reports.finished(AppLanguage::en);
    }
    EXPECT_EQ(shown(), "Download Failed: Disk full");
    reports.failed(AppLanguage::zhTW, "檔案名稱過長");
    EXPECT_EQ(shown(), "下載失敗 (2): 檔案名稱過長");
    queue.advance(Milliseconds(2999));
    reports.finished(AppLanguage::zhTW);
    EXPECT_EQ(shown(), "下載失敗 (2): 檔案名稱過長") << "still within the second failure's time";
    queue.advance(Milliseconds(1));
    EXPECT_EQ(shown(), std::nullopt);

    reports.finished(AppLanguage::zhCN);
    EXPECT_EQ(shown(), "文件下载已完成");
    reports.failed(AppLanguage::zhCN, "磁盘已满");
    EXPECT_EQ(shown(), "下载失败: 磁盘已满") << "counted from one again";
    reports.failed(AppLanguage::zhCN, "网络错误");
    reports.failed(AppLanguage::en, "Disk full");
    EXPECT_EQ(shown(), "Download Failed (3): Disk full");
    reports.dismiss();
    reports.finished(AppLanguage::en);
    EXPECT_EQ(shown(), "File Download Complete") << "a closed failure was read";
}

constexpr auto bookmarkKey = DownloadSettings::bookmarkKey;
constexpr auto fallbackKey = DownloadSettings::fallbackKey;
// The published folder, the stored bookmark's folder, the stored plain path.
using Seen = std::tuple<fs::path, std::optional<fs::path>, std::optional<std::string>>;

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
        return {settings.customDownloadPath().get(), bookmark ? std::optional(bookmark->path) : std::nullopt,
                PreferenceStore(file).stringValue(fallbackKey)};
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
// and publishes the default later.
TEST_F(DownloadSettingsTest, TheDefaultIsTheDownloadsFolderElseTheTemporaryDirectoryAndResetReturnsToIt) {
    auto settings = launch();
    EXPECT_EQ(seen(*settings), (Seen{downloads, std::nullopt, std::nullopt}));
    EXPECT_FALSE(fs::exists(file)) << "nothing is written";

    DownloadSettings without(*preferences, queue, fs::path());
    const auto temporary = fs::temp_directory_path();
    EXPECT_EQ(without.customDownloadPath().get(), temporary);
    without.setDownloadPath(folder("chosen"));
    preferences->setString(fallbackKey, "/somewhere");
    without.resetToDefault();
    queue.drain();
    EXPECT_EQ(seen(without), (Seen{temporary, std::nullopt, std::nullopt}));
    EXPECT_EQ(launchedPath(), downloads);
}

// A folder is kept as a bookmark, anything else as a plain path, published on the main
// queue; the key not written goes, so the latest choice wins at the next launch.
TEST_F(DownloadSettingsTest, AChoiceIsStoredAtOncePublishedLaterAndTheLatestWinsWhicheverKeyHoldsIt) {
    auto settings = launch();
    const fs::path chosen = folder("chosen");
    settings->setDownloadPath(chosen);
    EXPECT_EQ(seen(*settings), (Seen{downloads, chosen, std::nullopt}));
    queue.drain();
    EXPECT_EQ(settings->customDownloadPath().get(), chosen);

    auto next = launch();
    EXPECT_EQ(seen(*next), (Seen{chosen, chosen, std::nullopt}));
    // Chosen again after its bookmark went missing: written anew.
    next->setDownloadPath(chosen);
    preferences->remove(bookmarkKey);
    next->setDownloadPath(chosen);
    EXPECT_EQ(seen(*next), (Seen{chosen, chosen, std::nullopt}));

    writeFile(dir / "a-file", "x");
    next->setDownloadPath(dir / "a-file");
    queue.drain();
    EXPECT_EQ(seen(*next), (Seen{dir / "a-file", std::nullopt, (dir / "a-file").string()}));
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
