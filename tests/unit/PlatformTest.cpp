#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// Every change is one compact line: nothing the app writes can grow out of proportion.
TEST_F(PreferenceStoreTest, WritesCompactly) {
    PreferenceStore store(file);
    store.setRaw("list", {1, {{"a", "b"}}});
    store.setBool("flag", true);
    EXPECT_EQ(readFile(file), "{\"flag\":true,\"list\":[1,{\"a\":\"b\"}]}\n");
}

// A file that is there but cannot be opened stays exactly as it is: the app runs on
// defaults and writes nothing over it, not even through a link.
TEST_F(PreferenceStoreTest, AFileThatCannotBeReadIsNeverReplaced) {
    namespace fs = std::filesystem;
    fs::create_directories(file.parent_path());
    const std::vector<fs::path> targets = {file.filename(), "elsewhere/preferences.json"};
    for (const auto& target : targets) {  // a link to itself, and one whose target is gone
        fs::create_symlink(target, file);
        {
            PreferenceStore store(file);
            store.setBool("flag", true);
            EXPECT_EQ(store.boolValue("flag"), true) << "kept for this run";
        }
        ASSERT_TRUE(fs::is_symlink(file)) << target;
        EXPECT_EQ(fs::read_symlink(file), target);
        EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1)
            << "nothing kept aside, no temporary file left";
        fs::remove(file);
    }
    // Permission bits do not stop the superuser from reading.
    if (::geteuid() == 0) return;
    writeFile(file, R"({"appLanguage":"en"})");
    fs::permissions(file, fs::perms::none);
    {
        PreferenceStore store(file);
        EXPECT_FALSE(store.stringValue("appLanguage"));
        store.setString("appLanguage", "zh_TW");
    }
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readFile(file), R"({"appLanguage":"en"})");
}

// Only a JSON object in a regular file, within the size and nesting limits, is read: the
// rest is refused at once and kept aside like a file that does not parse.
TEST_F(PreferenceStoreTest, WhatIsNotASmallShallowObjectInARegularFileIsKeptAside) {
    namespace fs = std::filesystem;
    auto nested = [](int levels) {
        return "{\"a\":" + std::string(levels - 1, '[') + std::string(levels - 1, ']') + "}";
    };
    const std::string withNul("{\"a\":1}\0{\"b\":2}", 15);
    const std::vector<std::string> contents = {nested(10000), nested(PreferenceStore::maxNesting + 1), withNul,
                                               "{}" + std::string(PreferenceStore::maxFileSize, ' ')};
    int kept = 0;
    auto keptAside = [&] {
        return fs::path(file.string() + (kept++ == 0 ? ".corrupt" : ".corrupt-" + std::to_string(kept)));
    };
    for (const auto& content : contents) {
        writeFile(file, content);
        PreferenceStore store(file);
        store.setBool("flag", true);
        EXPECT_TRUE(readFile(keptAside()) == content) << content.substr(0, 40);
        EXPECT_EQ(readFile(file), "{\"flag\":true}\n");
    }
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    { PreferenceStore store(file); }
    EXPECT_TRUE(fs::is_fifo(keptAside()));
    fs::create_symlink("/dev/zero", file);
    { PreferenceStore store(file); }
    EXPECT_EQ(fs::read_symlink(keptAside()), "/dev/zero");

    // Nesting at the limit, and brackets inside strings, are fine.
    const auto levels = static_cast<std::size_t>(PreferenceStore::maxNesting - 1);
    writeFile(file, R"({"text":"\"[)" + std::string(1000, '[') + R"(", "deep":)" + std::string(levels, '[') +
                        std::string(levels, ']') + "}");
    PreferenceStore store(file);
    EXPECT_EQ(store.stringValue("text"), "\"" + std::string(1001, '['));
    EXPECT_TRUE(store.rawValue("deep"));
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
