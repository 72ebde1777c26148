#include <gtest/gtest.h>

#include "platform/DrawingMode.hpp"
#include "platform/LoginItem.hpp"
#include "platform/NotificationCenter.hpp"
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

}  // namespace

TEST(DrawingMode, TellsSoftwareRasterizersFromGpus) {
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                                 "SwiftShader Device (Subzero)", "Mesa X11 swrast"})
        EXPECT_TRUE(isSoftwareRasterizer(software)) << software;
    for (const char* gpu : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)",
                            "NVIDIA GeForce RTX 3060/PCIe/SSE2", "virgl (Intel(R) Iris(R) Xe Graphics)", ""})
        EXPECT_FALSE(isSoftwareRasterizer(gpu)) << gpu;
}
