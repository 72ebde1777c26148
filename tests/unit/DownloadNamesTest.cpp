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
    // The name chosen, checked to fit the file system and to be whole characters.
    std::string fittingName(const std::string& suggested) {
        const std::string name = choose(suggested).filename().string();
        EXPECT_LE(name.size(), maxFileNameBytes) << name;
        EXPECT_TRUE(g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) << name;
        return name;
    }

    TempDir dir;
    DownloadNameReservations reservations;
};

// Collisions count from one before the last extension; dot files and trailing dots have no
// extension. Folders and dangling links count as taken: writing through a dangling link
// would create a file wherever it points.
TEST_F(DownloadNamesTest, CollisionsCountFromOneBeforeTheLastExtension) {
    EXPECT_EQ(choose("报告 2024.pdf"), dir / "报告 2024.pdf");
    EXPECT_EQ(choose(""), dir / "download");
    fs::create_directory(dir / "photo.png");
    fs::create_symlink(dir / "elsewhere" / "target", dir / "data.csv");
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
        {{"report.pdf", "report (1).pdf"}, "report.pdf", "report (2).pdf"},
        {{"README"}, "README", "README (1)"},
        {{"archive.tar.gz"}, "archive.tar.gz", "archive.tar (1).gz"},
        {{"download"}, "", "download (1)"},
        {{".bashrc"}, ".bashrc", ".bashrc (1)"},
        {{"notes."}, "notes.", "notes. (1)"},
        {{}, "photo.png", "photo (1).png"},
        {{}, "data.csv", "data (1).csv"},
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

// Shortened to whole characters keeping the extension; an absurd extension cannot swallow
// the counter.
TEST_F(DownloadNamesTest, OverlongNamesAreShortenedToFitWithTheirCounter) {
    std::string stem;
    for (int i = 0; i < 100; ++i) stem += "图";  // 300 bytes
    const std::string name = fittingName(stem + ".pdf");
    EXPECT_TRUE(name.ends_with("图.pdf"));
    touch(name);  // the file system accepts it
    const std::string numbered = fittingName(stem + ".pdf");
    EXPECT_TRUE(numbered.ends_with(" (1).pdf"));
    touch(numbered);
    EXPECT_TRUE(fittingName(stem + ".pdf").ends_with(" (2).pdf"));

    const std::string absurd = "x." + std::string(300, 'e');
    touch(fittingName(absurd));
    const std::string second = fittingName(absurd);
    EXPECT_TRUE(second.ends_with(" (1)")) << second;
}

TEST(DownloadMessages, AFailureSaysWhyInTheInterfaceLanguage) {
    EXPECT_EQ(downloadFailedMessage(AppLanguage::en, "The network connection was lost."),
              "Download Failed: The network connection was lost.");
    EXPECT_EQ(downloadFailedMessage(AppLanguage::zhCN, "网络错误"), "下载失败: 网络错误");
}

}  // namespace
