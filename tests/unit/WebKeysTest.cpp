#include <gtest/gtest.h>

#include "web/WebKeys.hpp"

using namespace corvina;

namespace {

CustomTab custom(std::string id, std::string url) { return CustomTab{std::move(id), "Mine", std::move(url), {}, 0}; }

// The catalogue wins over a tag of the same id, then the first of equal tag ids; identifiers
// are case-sensitive and a pane's storage key is not one, so those fall back to the first service.
TEST(WebKeys, StartAddressesComeFromTheCatalogueThenTheTagsElseTheFirstService) {
    const std::vector<CustomTab> tags = {custom("custom_A", "https://a.example/"),
                                         custom("custom_A", "https://second.example/"),
                                         custom("kimi", "https://shadow.example/"), custom("", "https://empty.example/")};
    EXPECT_EQ(startURL("kimi", tags), findBuiltInTab("kimi")->url);
    EXPECT_EQ(startURL("custom_A", tags), "https://a.example/");
    EXPECT_EQ(startURL("", tags), "https://empty.example/");
    EXPECT_EQ(storageKey("kimi", Pane::primary), "kimi");
    EXPECT_EQ(storageKey("kimi", Pane::secondary), "kimi_secondary");
    for (const char* unknown : {"nothing", "Kimi", "kimi_secondary"})
        EXPECT_EQ(startURL(unknown, tags), builtInTabs().front().url) << unknown;
    // Without a catalogue the fixed address is the first service's own.
    EXPECT_EQ(startURL("doubao", {}, {}), fallbackStartURL);
    EXPECT_EQ(startURL("custom_A", {}, tags), "https://a.example/");
}

}  // namespace
