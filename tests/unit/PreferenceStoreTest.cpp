#include <gtest/gtest.h>

#include "platform/PreferenceStore.hpp"
#include "support/Fakes.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class PreferenceStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "corvina" / "preferences.json";
};

TEST_F(PreferenceStoreTest, ValuesSurviveARestartWithTheirTypes) {
    {
        PreferenceStore store(file);
        store.setBool("flag", true);
        store.setString("name", "豆包");
        store.setData("blob", Bytes{0, 1, 2, 255});
    }
    PreferenceStore again(file);
    EXPECT_EQ(again.boolValue("flag"), true);
    EXPECT_EQ(again.stringValue("name"), "豆包");
    EXPECT_EQ(again.dataValue("blob"), (Bytes{0, 1, 2, 255}));
    EXPECT_EQ(nlohmann::json::parse(readFile(file))["blob"], (nlohmann::json{{"base64", "AAEC/w=="}}));
}

TEST_F(PreferenceStoreTest, AValueOfAnotherTypeReadsAsAbsent) {
    writeFile(file, R"({"flag": "true", "name": 3, "blob": "AAEC", "odd": {"base64": 1}})");
    PreferenceStore store(file);
    EXPECT_FALSE(store.boolValue("flag"));
    EXPECT_FALSE(store.stringValue("name"));
    EXPECT_FALSE(store.dataValue("blob"));
    EXPECT_FALSE(store.dataValue("odd"));
    EXPECT_FALSE(store.boolValue("missing"));
}

TEST_F(PreferenceStoreTest, EveryChangeIsOnDiskAtOnceWithoutLeftovers) {
    PreferenceStore store(file);
    store.setBool("a", false);
    EXPECT_EQ(nlohmann::json::parse(readFile(file)), (nlohmann::json{{"a", false}}));
    store.remove("a");
    EXPECT_EQ(nlohmann::json::parse(readFile(file)), nlohmann::json::object());
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        EXPECT_EQ(entry.path().filename(), "preferences.json");
}

TEST_F(PreferenceStoreTest, AnUnreadableFileIsMovedAsideAndNeverLost) {
    writeFile(file, "{\"showSidebar\": fal");
    {
        PreferenceStore store(file);
        EXPECT_FALSE(store.boolValue("showSidebar"));
        store.setBool("showSidebar", true);
    }
    EXPECT_EQ(readFile(file.string() + ".corrupt"), "{\"showSidebar\": fal");

    // A second bad file does not replace the first one kept aside.
    writeFile(file, "[1, 2]");
    PreferenceStore again(file);
    EXPECT_EQ(readFile(file.string() + ".corrupt"), "{\"showSidebar\": fal");
    EXPECT_EQ(readFile(file.string() + ".corrupt-2"), "[1, 2]");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(PreferenceStoreTest, AFailedWriteKeepsTheValueForThisRun) {
    // The parent "folder" is a file: nothing can be written, nothing crashes.
    writeFile(dir / "blocker", "x");
    PreferenceStore store(dir / "blocker" / "preferences.json");
    store.setString("k", "v");
    EXPECT_EQ(store.stringValue("k"), "v");
}

}  // namespace
