#include <gtest/gtest.h>

#include <regex>

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
    std::string storedTabsJSON(const char* key = CustomTabManager::key) {
        auto data = store().dataValue(key);
        return data ? std::string(data->begin(), data->end()) : "<none>";
    }

    TempDir dir;
    std::filesystem::path file = dir / "preferences.json";
    std::unique_ptr<PreferenceStore> store_;
};

// Kept in order as a compact array with sorted members; readers accept any order, escapes
// and unknown members.
TEST_F(CustomTabManagerTest, TagsSurviveARestartInOrderAsACompactArray) {
    CustomTab a{"custom_X", "Ａ/b", "https://x.org/chat?x=1", {TabAttributes::webAI}, 786000000.25};
    CustomTab b{newCustomTabID(), "", "http://localhost:8080/", {6}, 1.5};
    {
        CustomTabManager manager(store());
        manager.add(a);
        manager.add(b);
    }
    restart();
    EXPECT_EQ(CustomTabManager(store()).customTabs().get(), (std::vector<CustomTab>{a, b}));
    EXPECT_TRUE(storedTabsJSON().starts_with(
        R"([{"attributes":1,"createdAt":786000000.25,"id":"custom_X","name":"Ａ/b","url":"https://x.org/chat?x=1"},)"))
        << storedTabsJSON();

    storeTabsJSON(R"([ {"url":"https:\/\/x.org\/","extra":[1],"createdAt":3,"attributes":0,"name":"N","id":"custom_1"} ])");
    EXPECT_EQ(CustomTabManager(store()).customTabs().get(),
              (std::vector<CustomTab>{{"custom_1", "N", "https://x.org/", {}, 3}}));
}

// One bad element empties the list; the stored value is kept aside, not overwritten.
TEST_F(CustomTabManagerTest, UndecodableValuesGiveAnEmptyListAndAreKept) {
    const std::string badDate =
        R"([{"id":"custom_1","name":"ok","url":"https://ok.org/","attributes":0,"createdAt":1},)"
        R"({"id":"custom_2","name":"no date","url":"https://x.org/","attributes":0}])";
    for (const std::string& json : {std::string(R"([{"id":"a","name":"n","url":"not a url","attributes":0,"createdAt":1}])"),
                                    std::string(R"([{"id":"a","name":null,"url":"https://x/","attributes":0,"createdAt":1}])"),
                                    std::string(R"([{"id":"a","name":"n","url":"https://x/","attributes":"1","createdAt":1}])"),
                                    std::string(R"({"id":"a"})"), std::string("[1]"), std::string("nonsense"), badDate}) {
        storeTabsJSON(json);
        CustomTabManager manager(store());
        EXPECT_TRUE(manager.customTabs().get().empty()) << json;
        restart();
    }
    {
        CustomTabManager manager(store());
        manager.add(CustomTab{newCustomTabID(), "new", "https://new.org/", {}, 2});
    }
    restart();
    EXPECT_EQ(storedTabsJSON(CustomTabManager::unreadableKey), badDate);
}

TEST_F(CustomTabManagerTest, EditsActOnIdentifiersAndKeepUnknownAttributeBits) {
    storeTabsJSON(R"([{"id":"custom_1","name":"a","url":"https://a/","attributes":8,"createdAt":1},
                      {"id":"custom_2","name":"b","url":"https://b/","attributes":0,"createdAt":1},
                      {"id":"custom_1","name":"c","url":"https://c/","attributes":0,"createdAt":1}])");
    CustomTabManager manager(store());
    auto tab = *manager.find("custom_1");
    EXPECT_EQ(tab.name, "a");
    EXPECT_FALSE(tab.attributes.contains(TabAttributes::webAI));
    tab.name = "A";
    tab.attributes.insert(TabAttributes::webAI);
    manager.replace(tab);
    EXPECT_EQ(manager.customTabs().get()[0].name, "A");
    EXPECT_EQ(manager.customTabs().get()[2].name, "c");
    EXPECT_NE(storedTabsJSON().find(R"("attributes":9)"), std::string::npos) << storedTabsJSON();

    manager.replace(CustomTab{"custom_9", "ghost", "https://g/", {}, 1});
    EXPECT_EQ(manager.customTabs().get().size(), 3u);
    manager.deleteTab("custom_1");
    ASSERT_EQ(manager.customTabs().get().size(), 1u);
    manager.deleteTab("custom_2");
    EXPECT_EQ(storedTabsJSON(), "[]");
}

// A stored tag may hold any absolute address; only web addresses open. Such a tag is kept as
// it is stored, through edits of others.
TEST_F(CustomTabManagerTest, TagsThatCannotOpenAreKeptAsStored) {
    for (const char* web : {"https://a.org/", "HTTP://A.org/x", "http://localhost:8080/chat?x=1"})
        EXPECT_TRUE(isOpenableTagAddress(web)) << web;
    for (const char* other : {"file:///etc/passwd", "javascript:alert(1)", "data:text/html,x", "ftp://a.org/",
                              "about:blank", "https//a.org", "not a url", ""})
        EXPECT_FALSE(isOpenableTagAddress(other)) << other;

    storeTabsJSON(R"([{"id":"custom_1","name":"f","url":"file:///etc/passwd","attributes":1,"createdAt":1},)"
                  R"json({"id":"custom_2","name":"j","url":"javascript:alert(1)","attributes":1,"createdAt":1}])json");
    {
        CustomTabManager manager(store());
        ASSERT_EQ(manager.customTabs().get().size(), 2u);
        manager.add(CustomTab{"custom_3", "w", "https://w.org/", {}, 1});
    }
    restart();
    CustomTabManager manager(store());
    EXPECT_EQ(manager.find("custom_1")->url, "file:///etc/passwd");
    EXPECT_EQ(manager.find("custom_2")->url, "javascript:alert(1)");
}

TEST(CustomTabs, IconsFollowTheFirstCharacterAndTagsAreDistinctFromBuiltIns) {
    for (const auto& [name, icon] : std::vector<std::pair<std::string, std::string>>{
             {"豆包", "d.circle.fill"}, {"Kimi", "k.circle.fill"}, {"Ölfass", "o.circle.fill"},
             {"Привет", "p.circle.fill"}, {"ø", "number.circle.fill"}, {"42", "number.circle.fill"},
             {"!bang", "number.circle.fill"}, {"", "number.circle.fill"}, {" x", "number.circle.fill"}})
        EXPECT_EQ(iconName(CustomTab{"id", name, "https://x/", {}, 0}), icon) << name;
    EXPECT_EQ(initialLetter("e\u0301x"), "E") << "a combining accent belongs to the first character";

    // A tag with a built-in's name and address is still a tag.
    const auto& doubao = builtInTabs().front();
    const AITab record = tabRecord(CustomTab{newCustomTabID(), doubao.zhCNName, doubao.url, {}, 0});
    EXPECT_EQ(record.zhTWName, doubao.zhCNName);
    EXPECT_EQ(record.enName, doubao.zhCNName);
    EXPECT_TRUE(record.iconIsSymbol());
    EXPECT_FALSE(doubao.iconIsSymbol());
    EXPECT_NE(record, doubao);

    const auto id = newCustomTabID();
    const std::regex uuid("custom_[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
    EXPECT_TRUE(std::regex_match(id, uuid)) << id;
    EXPECT_NE(id, newCustomTabID());
}

}  // namespace
