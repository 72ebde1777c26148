#include <gtest/gtest.h>

#include "web/WebKeys.hpp"

using namespace corvina;

namespace {

CustomTab custom(std::string id, std::string url) {
    CustomTab tab;
    tab.id = std::move(id);
    tab.name = "Mine";
    tab.url = std::move(url);
    return tab;
}

TEST(WebKeys, StorageKeysKeepThePanesApart) {
    EXPECT_EQ(storageKey("deepseek", Pane::primary), "deepseek");
    EXPECT_EQ(storageKey("deepseek", Pane::secondary), "deepseek_secondary");
}

TEST(WebKeys, StartAddressesComeFromTheCatalogueThenTheCustomTagsInOrder) {
    const std::vector<CustomTab> tags = {custom("custom_A", "https://a.example/"),
                                         custom("custom_A", "https://second.example/"),
                                         custom("kimi", "https://shadow.example/")};
    EXPECT_EQ(startURL("kimi", tags), findBuiltInTab("kimi")->url);  // the catalogue wins
    EXPECT_EQ(startURL("custom_A", tags), "https://a.example/");     // the first of equal ids
}

TEST(WebKeys, UnknownIdentifiersFallBackToTheFirstService) {
    const std::string first = builtInTabs().front().url;
    EXPECT_EQ(startURL("nothing", {}), first);
    EXPECT_EQ(startURL("Kimi", {}), first);             // identifiers are case-sensitive
    EXPECT_EQ(startURL("kimi_secondary", {}), first);   // a storage key is not an identifier
    EXPECT_EQ(startURL("", {custom("", "https://empty.example/")}), "https://empty.example/");
}

TEST(WebKeys, WithoutACatalogueTheFixedAddressIsTheFirstServicesOwn) {
    EXPECT_EQ(startURL("doubao", {}, {}), fallbackStartURL);
    EXPECT_EQ(startURL("custom_A", {}, {custom("custom_A", "https://a.example/")}), "https://a.example/");
    EXPECT_TRUE(isAbsoluteURL(fallbackStartURL));
}

}  // namespace
