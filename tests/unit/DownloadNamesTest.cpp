#include <gtest/gtest.h>

#include <glib.h>

#include "support/Fakes.hpp"
#include "web/DownloadNames.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace fs = std::filesystem;

namespace {

class DownloadNamesTest : public ::testing::Test {
protected:
    fs::path choose(const std::string& suggested) { return chooseDestination(dir.path(), suggested, reservations); }
    void touch(const std::string& name) { writeFile(dir / name, "x"); }

    TempDir dir;
    DownloadNameReservations reservations;
};

TEST_F(DownloadNamesTest, CollisionsCountFromOneBeforeTheLastExtension) {
    EXPECT_EQ(choose("报告 2024.pdf"), dir / "报告 2024.pdf");
    touch("report.pdf");
    touch("report (1).pdf");
    EXPECT_EQ(choose("report.pdf"), dir / "report (2).pdf");

    touch("README");
    EXPECT_EQ(choose("README"), dir / "README (1)");

    touch("archive.tar.gz");
    EXPECT_EQ(choose("archive.tar.gz"), dir / "archive.tar (1).gz");

    EXPECT_EQ(choose(""), dir / "download");
    touch("download");
    EXPECT_EQ(choose(""), dir / "download (1)");

    // Dot files and trailing dots have no extension.
    touch(".bashrc");
    EXPECT_EQ(choose(".bashrc"), dir / ".bashrc (1)");
    touch("notes.");
    EXPECT_EQ(choose("notes."), dir / "notes. (1)");
}

TEST_F(DownloadNamesTest, FoldersAndDanglingLinksCountAsTaken) {
    fs::create_directory(dir / "photo.png");
    EXPECT_EQ(choose("photo.png"), dir / "photo (1).png");

    // Writing through a dangling link would create a file wherever it points.
    fs::create_symlink(dir / "elsewhere" / "target", dir / "data.csv");
    EXPECT_EQ(choose("data.csv"), dir / "data (1).csv");
}

TEST_F(DownloadNamesTest, HostileNamesStayDirectlyInsideTheFolder) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"../../etc/passwd", "passwd"},
        {"/etc/passwd", "passwd"},
        {"a/b\\c.txt", "c.txt"},
        {"..\\..\\run.exe", "run.exe"},
        {"..", "download"},
        {".", "download"},
        {"", "download"},
        {"folder/", "download"},
        {"folder/..", "download"},
        {std::string("safe.txt\0/../../x", 17), "safe.txt"},
    };
    for (const auto& [suggested, expected] : cases) {
        const fs::path chosen = choose(suggested);
        EXPECT_EQ(chosen, dir / expected) << suggested;
        EXPECT_EQ(chosen.parent_path(), dir.path()) << suggested;
    }
}

TEST_F(DownloadNamesTest, AMissingFolderIsCreatedAgain) {
    const fs::path folder = dir / "gone" / "deeper";
    EXPECT_EQ(chooseDestination(folder, "a.txt", reservations), folder / "a.txt");
    EXPECT_TRUE(fs::is_directory(folder));

    // A file where the folder should be is left alone.
    touch("blocked");
    EXPECT_EQ(chooseDestination(dir / "blocked", "a.txt", reservations), dir / "blocked" / "a.txt");
    EXPECT_TRUE(fs::is_regular_file(dir / "blocked"));
}

TEST_F(DownloadNamesTest, AReservedNameIsTakenUntilItsDownloadEnds) {
    const fs::path first = choose("image.png");
    reservations.reserve(first);
    const fs::path second = choose("image.png");
    EXPECT_EQ(first, dir / "image.png");
    EXPECT_EQ(second, dir / "image (1).png");
    reservations.reserve(second);
    EXPECT_EQ(choose("image.png"), dir / "image (2).png");
    EXPECT_EQ(choose("other.png"), dir / "other.png");

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

TEST_F(DownloadNamesTest, OverlongNamesAreShortenedToWholeCharactersKeepingTheExtension) {
    std::string stem;
    for (int i = 0; i < 100; ++i) stem += "图";  // 300 bytes
    const fs::path chosen = choose(stem + ".pdf");
    const std::string name = chosen.filename().string();
    EXPECT_LE(name.size(), maxFileNameBytes);
    EXPECT_TRUE(name.ends_with("图.pdf"));
    EXPECT_TRUE(g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr));

    touch(name);  // the file system accepts it
    const std::string numbered = choose(stem + ".pdf").filename().string();
    EXPECT_LE(numbered.size(), maxFileNameBytes);
    EXPECT_TRUE(numbered.ends_with(" (1).pdf"));
    EXPECT_TRUE(g_utf8_validate(numbered.data(), static_cast<gssize>(numbered.size()), nullptr));
    touch(numbered);
    EXPECT_TRUE(choose(stem + ".pdf").filename().string().ends_with(" (2).pdf"));
}

TEST_F(DownloadNamesTest, AnAbsurdExtensionCannotSwallowTheCounter) {
    const std::string name = "x." + std::string(300, 'e');
    const std::string first = choose(name).filename().string();
    EXPECT_LE(first.size(), maxFileNameBytes);
    touch(first);
    const std::string second = choose(name).filename().string();
    EXPECT_LE(second.size(), maxFileNameBytes);
    EXPECT_NE(first, second);
    EXPECT_TRUE(second.ends_with(" (1)"));
}

TEST(DownloadMessages, FollowTheInterfaceLanguage) {
    EXPECT_EQ(downloadFinishedMessage(AppLanguage::en), "File Download Complete");
    EXPECT_EQ(downloadFinishedMessage(AppLanguage::zhTW), "檔案下載已完成");
    EXPECT_EQ(downloadFinishedMessage(AppLanguage::zhCN), "文件下载已完成");
    EXPECT_EQ(downloadFailedMessage(AppLanguage::en, "The network connection was lost."),
              "Download Failed: The network connection was lost.");
    EXPECT_EQ(downloadFailedMessage(AppLanguage::zhTW, "Connection refused"), "下載失敗: Connection refused");
    EXPECT_EQ(downloadFailedMessage(AppLanguage::zhCN, "网络错误"), "下载失败: 网络错误");
}

}  // namespace
