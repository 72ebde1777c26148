#include <gtest/gtest.h>

#include "app/CustomTabManager.hpp"
#include "support/Fakes.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class CustomTabManagerTest : public ::testing::Test {
protected:
    PreferenceStore& store() {
        if (!store_) store_ = std::make_unique<PreferenceStore>(file);
        return *store_;
    }
    void restart() { store_.reset(); }
    void storeTabsJSON(const std::string& json) {
        store().setData(CustomTabManager::key, Bytes(json.begin(), json.end()));
        restart();
    }
    std::string storedTabsJSON() {
        auto data = store().dataValue(CustomTabManager::key);
        return data ? std::string(data->begin(), data->end()) : "<none>";
    }

    TempDir dir;
    std::filesystem::path file = dir / "preferences.json";
    std::unique_ptr<PreferenceStore> store_;
};

TEST_F(CustomTabManagerTest, TagsSurviveARestartInOrder) {
    CustomTab a{newCustomTabID(), "Alpha", "https://a.example/chat?x=1", {TabAttributes::webAI}, 786000000.25};
    CustomTab b{newCustomTabID(), "", "http://localhost:8080/", {6}, 1.5};
    {
        CustomTabManager manager(store());
        manager.add(a);
        manager.add(b);
    }
    restart();
    CustomTabManager again(store());
    EXPECT_EQ(again.customTabs().get(), (std::vector<CustomTab>{a, b}));
}

TEST_F(CustomTabManagerTest, TheStoredFormatIsACompactArrayOfFiveMembers) {
    CustomTabManager manager(store());
    manager.add(CustomTab{"custom_X", "Ａ/b", "https://x.org/", {1}, 0.5});
    EXPECT_EQ(storedTabsJSON(), R"([{"attributes":1,"createdAt":0.5,"id":"custom_X","name":"Ａ/b","url":"https://x.org/"}])");
}

TEST_F(CustomTabManagerTest, ReadersAcceptAnyOrderEscapesAndUnknownMembers) {
    storeTabsJSON(R"([ {"url":"https:\/\/x.org\/","extra":[1],"createdAt":3,"attributes":0,"name":"N","id":"custom_1"} ])");
    CustomTabManager manager(store());
    ASSERT_EQ(manager.customTabs().get().size(), 1u);
    EXPECT_EQ(manager.customTabs().get()[0].url, "https://x.org/");
    EXPECT_EQ(manager.customTabs().get()[0].createdAt, 3.0);
}

TEST_F(CustomTabManagerTest, OneBadElementEmptiesTheListButTheStoredValueIsKept) {
    const std::string bad =
        R"([{"id":"custom_1","name":"ok","url":"https://ok.org/","attributes":0,"createdAt":1},)"
        R"({"id":"custom_2","name":"no date","url":"https://x.org/","attributes":0}])";
    storeTabsJSON(bad);
    {
        CustomTabManager manager(store());
        EXPECT_TRUE(manager.customTabs().get().empty());
        manager.add(CustomTab{newCustomTabID(), "new", "https://new.org/", {}, 2});
    }
    restart();
    auto kept = store().dataValue(CustomTabManager::unreadableKey);
    ASSERT_TRUE(kept);
    EXPECT_EQ(std::string(kept->begin(), kept->end()), bad);
}

TEST_F(CustomTabManagerTest, UndecodableValuesOfEveryKindGiveAnEmptyList) {
    for (const char* json : {R"([{"id":"a","name":"n","url":"not a url","attributes":0,"createdAt":1}])",
                             R"([{"id":"a","name":null,"url":"https://x/","attributes":0,"createdAt":1}])",
                             R"([{"id":"a","name":"n","url":"https://x/","attributes":"1","createdAt":1}])",
                             R"({"id":"a"})", "[1]", "nonsense"}) {
        storeTabsJSON(json);
        CustomTabManager manager(store());
        EXPECT_TRUE(manager.customTabs().get().empty()) << json;
        restart();
    }
}

TEST_F(CustomTabManagerTest, UnknownAttributeBitsSurviveAnEdit) {
    storeTabsJSON(R"([{"id":"custom_1","name":"old","url":"https://x.org/","attributes":8,"createdAt":1}])");
    CustomTabManager manager(store());
    auto tab = manager.customTabs().get().at(0);
    EXPECT_FALSE(tab.attributes.contains(TabAttributes::webAI));
    tab.name = "new";
    tab.attributes.insert(TabAttributes::webAI);
    manager.replace(tab);
    EXPECT_NE(storedTabsJSON().find(R"("attributes":9)"), std::string::npos) << storedTabsJSON();
}

TEST_F(CustomTabManagerTest, DeleteAndReplaceActOnIdentifiers) {
    storeTabsJSON(R"([{"id":"custom_1","name":"a","url":"https://a/","attributes":0,"createdAt":1},
                      {"id":"custom_2","name":"b","url":"https://b/","attributes":0,"createdAt":1},
                      {"id":"custom_1","name":"c","url":"https://c/","attributes":0,"createdAt":1}])");
    CustomTabManager manager(store());
    EXPECT_EQ(manager.find("custom_1")->name, "a");
    manager.replace(CustomTab{"custom_1", "A", "https://a/", {}, 1});
    EXPECT_EQ(manager.customTabs().get()[0].name, "A");
    EXPECT_EQ(manager.customTabs().get()[2].name, "c");

    manager.replace(CustomTab{"custom_9", "ghost", "https://g/", {}, 1});
    EXPECT_EQ(manager.customTabs().get().size(), 3u);

    manager.deleteTab("custom_1");
    ASSERT_EQ(manager.customTabs().get().size(), 1u);
    manager.deleteTab("custom_2");
    EXPECT_EQ(storedTabsJSON(), "[]");
}

TEST(CustomTabIcons, InitialLettersFollowTheFirstCharacter) {
    auto icon = [](const std::string& name) { return iconName(CustomTab{"id", name, "https://x/", {}, 0}); };
    EXPECT_EQ(icon("豆包"), "d.circle.fill");
    EXPECT_EQ(icon("kimi"), "k.circle.fill");
    EXPECT_EQ(icon("Kimi"), "k.circle.fill");
    EXPECT_EQ(icon("Ölfass"), "o.circle.fill");
    EXPECT_EQ(icon("Привет"), "p.circle.fill");
    EXPECT_EQ(icon("ø"), "number.circle.fill") << "a letter outside a to z";
    EXPECT_EQ(icon("42"), "number.circle.fill");
    EXPECT_EQ(icon("!bang"), "number.circle.fill");
    EXPECT_EQ(icon(""), "number.circle.fill");
    EXPECT_EQ(icon(" leading space"), "number.circle.fill");
    EXPECT_EQ(initialLetter("é"), "E");
    EXPECT_EQ(initialLetter("e\u0301x"), "E") << "a combining accent belongs to the first character";
}

TEST(CustomTabIcons, ATagAsATabIsDistinctFromTheBuiltInWithTheSameAddress) {
    const auto& doubao = builtInTabs().front();
    CustomTab tag{newCustomTabID(), doubao.zhCNName, doubao.url, {}, 0};
    const AITab record = tabRecord(tag);
    EXPECT_EQ(record.zhTWName, doubao.zhCNName);
    EXPECT_EQ(record.enName, doubao.zhCNName);
    EXPECT_TRUE(record.iconIsSymbol());
    EXPECT_FALSE(doubao.iconIsSymbol());
    EXPECT_NE(record, doubao);
}

TEST(CustomTabIDs, AreCustomPrefixAndAnUpperCaseUUID) {
    const auto id = newCustomTabID();
    ASSERT_EQ(id.size(), 43u);
    EXPECT_EQ(id.substr(0, 7), "custom_");
    for (char c : id.substr(7)) EXPECT_TRUE(c == '-' || std::isdigit(c) || (c >= 'A' && c <= 'F')) << id;
    EXPECT_NE(id, newCustomTabID());
}

}  // namespace
