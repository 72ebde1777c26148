#include <gtest/gtest.h>

#include "platform/DrawingMode.hpp"
#include "platform/LoginItem.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/PreferenceStore.hpp"
#include "support/Fakes.hpp"
#include "support/ManualMainQueue.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

TEST(NotificationCenter, DeliversByNameOnTheMainQueueUntilRemoved) {
    ManualMainQueue queue;
    NotificationCenter center(queue);
    int dock = 0, other = 0;
    auto token = center.addObserver("windowDidExitDockMode", [&] { ++dock; });
    auto otherToken = center.addObserver("somethingElse", [&] { ++other; });
    center.post("windowDidExitDockMode");
    EXPECT_EQ(dock, 0);
    queue.drain();
    EXPECT_EQ(dock, 1);
    EXPECT_EQ(other, 0);

    center.post("windowDidExitDockMode");
    token.reset();  // removed between posting and delivery
    queue.drain();
    EXPECT_EQ(dock, 1);
}

TEST(AutostartLoginItem, WritesAnEntryForTheRunningBinaryAndRemovesIt) {
    TempDir dir;
    AutostartLoginItem item(dir / "autostart", "app.corvina.Corvina", "/opt/my apps/corvina");
    EXPECT_TRUE(item.unregisterItem()) << "nothing to remove is fine";
    ASSERT_TRUE(item.registerItem());
    const auto entry = readFile(dir / "autostart" / "app.corvina.Corvina.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]"), std::string::npos);
    EXPECT_NE(entry.find("Exec='/opt/my apps/corvina'\n"), std::string::npos) << entry;
    EXPECT_TRUE(item.unregisterItem());
    EXPECT_FALSE(std::filesystem::exists(item.entryFile()));
    EXPECT_EQ(runningExecutable().filename(), "unit_tests");

    // A folder it cannot write is reported.
    writeFile(dir / "blocked", "a file where the folder should be");
    EXPECT_FALSE(AutostartLoginItem(dir / "blocked", "app.corvina.Corvina", "/usr/bin/corvina").registerItem());
}

class PreferenceStoreTest : public ::testing::Test {
protected:
    nlohmann::json onDisk() { return nlohmann::json::parse(readFile(file)); }

    TempDir dir;
    std::filesystem::path file = dir / "corvina" / "preferences.json";
};

// Every change is on disk at once, without leftover files, and read back with its type; a
// value of another type reads as absent.
TEST_F(PreferenceStoreTest, ValuesSurviveARestartWithTheirTypes) {
    {
        PreferenceStore store(file);
        store.setBool("flag", true);
        store.setString("gone", "x");
        store.remove("gone");
        EXPECT_EQ(onDisk(), (nlohmann::json{{"flag", true}}));
        store.setString("name", "豆包");
        store.setData("blob", Bytes{0, 1, 2, 255});
        store.setRaw("odd", {{"base64", 1}});
        store.setString("text", "AAEC");
    }
    PreferenceStore again(file);
    EXPECT_EQ(again.boolValue("flag"), true);
    EXPECT_EQ(again.stringValue("name"), "豆包");
    EXPECT_EQ(again.dataValue("blob"), (Bytes{0, 1, 2, 255}));
    EXPECT_EQ(onDisk()["blob"], (nlohmann::json{{"base64", "AAEC/w=="}}));
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        EXPECT_EQ(entry.path().filename(), "preferences.json");
    EXPECT_FALSE(again.stringValue("flag") || again.boolValue("name") || again.stringValue("blob"));
    EXPECT_FALSE(again.dataValue("text") || again.dataValue("odd"));
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

    // Where nothing can be written (the parent is a file), the value is kept for this run.
    PreferenceStore blocked(std::filesystem::path(file.string() + ".corrupt") / "preferences.json");
    blocked.setString("k", "v");
    EXPECT_EQ(blocked.stringValue("k"), "v");
}

}  // namespace

TEST(DrawingMode, TellsSoftwareRasterizersFromGpus) {
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                                 "SwiftShader Device (Subzero)", "Mesa X11 swrast"})
        EXPECT_TRUE(isSoftwareRasterizer(software)) << software;
    for (const char* gpu : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)",
                            "NVIDIA GeForce RTX 3060/PCIe/SSE2", "virgl (Intel(R) Iris(R) Xe Graphics)", ""})
        EXPECT_FALSE(isSoftwareRasterizer(gpu)) << gpu;
}
