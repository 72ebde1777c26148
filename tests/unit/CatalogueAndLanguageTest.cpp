#include <gtest/gtest.h>

#include <unordered_set>

#include "app/AITab.hpp"
#include "app/AppSettings.hpp"
#include "app/PageZoom.hpp"
#include "app/LocalizationManager.hpp"
#include "app/CustomTab.hpp"
#include "support/Fakes.hpp"
#include "web/page/WebKeys.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

TEST(Catalogue, HasEighteenUniqueServicesWithSecureStartAddressesAndNamesPerLanguage) {
    const auto& tabs = builtInTabs();
    ASSERT_EQ(tabs.size(), 18u);
    EXPECT_EQ(tabs.front().id, "doubao");
    std::unordered_set<std::string> ids;
    for (const auto& tab : tabs) {
        EXPECT_TRUE(ids.insert(tab.id).second && !tab.id.starts_with("custom_")) << tab.id;
        EXPECT_TRUE(isAbsoluteURL(tab.url) && tab.url.starts_with("https://")) << tab.url;
    }
    EXPECT_EQ(findBuiltInTab("DeepSeek"), nullptr) << "lookups are case-sensitive";
    EXPECT_EQ(findBuiltInTab("shangliang")->displayName(AppLanguage::en), "SenseChat");
    EXPECT_EQ(findBuiltInTab("xinghuo")->displayName(AppLanguage::zhTW), "訊飛星火");
    EXPECT_EQ(displayName(AppAppearance::light, AppLanguage::zhTW), "淺色");
    EXPECT_EQ(displayName(AppAppearance::light, AppLanguage::zhCN), "浅色");
    EXPECT_EQ(displayName(AppAppearance::dark, AppLanguage::en), "Dark");
}

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
    for (const char* unknown : {"nothing", "Kimi", "kimi_secondary"})
        EXPECT_EQ(startURL(unknown, tags), builtInTabs().front().url) << unknown;
    // Without a catalogue the fixed address is the first service's own.
    EXPECT_EQ(startURL("doubao", {}, {}), fallbackStartURL);
    EXPECT_EQ(startURL("custom_A", {}, tags), "https://a.example/");
}

class SettingsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "preferences.json";
    FakeDesktopDefaults desktop;
};

// Stored values match exactly; anything else, or nothing on a desktop in no language of
// ours and in light colours, means Simplified Chinese, light, pages loaded at launch, no
// memory budget (a time that makes no sense turns it off rather than putting pages to sleep
// at once), new windows opened nowhere and desktop layouts kept in narrow panes.
TEST_F(SettingsTest, AChoiceIsStoredAndSeenAtTheNextLaunchAndNonsenseReadsAsTheDefault) {
    for (const char* stored : {"", R"({"appLanguage": "zh_tw", "appAppearance": "Dark", "openNewWindows": "everywhere"})",
                               R"({"sleepUnusedServicesAfterSeconds": -5, "loadServicesWhenOpened": 1})",
                               R"({"keepDesktopLayoutInNarrowPanes": 0})",
                               R"({"keepDesktopLayoutInNarrowPanes": "false"})",
                               R"({"sleepUnusedServicesAfterSeconds": "900"})",
                               R"({"sleepUnusedServicesAfterSeconds": 2.5})"}) {
        if (*stored) writeFile(file, stored);
        PreferenceStore store(file);
        AppSettings settings(store, desktop);
        EXPECT_EQ(LocalizationManager(store, desktop).language(), AppLanguage::zhCN) << stored;
        EXPECT_EQ(settings.appearance().get(), AppAppearance::light) << stored;
        EXPECT_FALSE(settings.loadServicesWhenOpened().get()) << stored;
        EXPECT_EQ(settings.sleepUnusedServicesAfter().get().count(), 0) << stored;
        EXPECT_EQ(settings.newWindowTarget().get(), NewWindowTarget::nowhere) << stored;
        EXPECT_TRUE(settings.keepDesktopLayoutInNarrowPanes().get()) << stored;
        EXPECT_EQ(std::filesystem::exists(file), *stored != 0) << "nothing is written at creation";
    }
    {
        PreferenceStore store(file);
        LocalizationManager l10n(store, desktop);
        int changes = 0;
        auto c = l10n.currentLanguage().observe([&] { ++changes; });
        l10n.setCurrentLanguage(AppLanguage::zhTW);
        l10n.setCurrentLanguage(AppLanguage::zhTW);
        EXPECT_EQ(changes, 2) << "every write is published, also of the same value";
        AppSettings settings(store, desktop);
        settings.setAppearance(AppAppearance::dark);
        settings.setLoadServicesWhenOpened(true);
        settings.setSleepUnusedServicesAfter(std::chrono::minutes(15));
        settings.setNewWindowTarget(NewWindowTarget::app);
        settings.setKeepDesktopLayoutInNarrowPanes(false);
    }
    PreferenceStore store(file);
    AppSettings settings(store, desktop);
    EXPECT_EQ(LocalizationManager(store, desktop).language(), AppLanguage::zhTW);
    EXPECT_EQ(*store.stringValue("appLanguage"), "zh_TW");
    EXPECT_EQ(settings.appearance().get(), AppAppearance::dark);
    EXPECT_TRUE(settings.loadServicesWhenOpened().get());
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(15));
    EXPECT_EQ(settings.newWindowTarget().get(), NewWindowTarget::app);
    EXPECT_FALSE(settings.keepDesktopLayoutInNarrowPanes().get());
    EXPECT_EQ(store.boolValue("keepDesktopLayoutInNarrowPanes"), false);
    settings.setSleepUnusedServicesAfter(std::chrono::seconds(-1));
    EXPECT_EQ(AppSettings(store, desktop).sleepUnusedServicesAfter().get().count(), 0);
}

// The memory budget offers a few sleep times: a stored one is read as the nearest of them,
// however large, so pages never fall asleep sooner than a choice the settings show.
TEST_F(SettingsTest, AStoredSleepTimeReadsAsTheNearestChoiceOffered) {
    const std::vector<std::pair<std::string, std::chrono::seconds>> cases = {
        {"9223372036854775807", std::chrono::minutes(60)}, {"18446744073709551615", std::chrono::minutes(60)},
        {"100000000", std::chrono::minutes(60)},           {"1", std::chrono::minutes(5)},
        {"1000", std::chrono::minutes(15)},                {"1800", std::chrono::minutes(30)},
        {"3000", std::chrono::minutes(60)},                {"-9223372036854775808", std::chrono::seconds(0)}};
    for (const auto& [stored, expected] : cases) {
        writeFile(file, R"({"sleepUnusedServicesAfterSeconds": )" + stored + "}");
        PreferenceStore store(file);
        EXPECT_EQ(AppSettings(store, desktop).sleepUnusedServicesAfter().get(), expected) << stored;
    }
    PreferenceStore store(file);
    AppSettings settings(store, desktop);
    settings.setSleepUnusedServicesAfter(std::chrono::hours(1000000));
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(60));
}

// The interface language of a first run comes from the locale's first language.
TEST(Language, TheLocaleChoosesTheLanguageOfAFirstRun) {
    for (const char* traditional : {"zh_TW.UTF-8", "zh_HK", "zh_MO.UTF-8@stroke", "ZH_tw", "zh-Hant", "zh_Hant_TW"})
        EXPECT_EQ(languageForLocale(traditional), AppLanguage::zhTW) << traditional;
    for (const char* english : {"en_US.UTF-8", "en", "en_GB@euro", "en-AU"})
        EXPECT_EQ(languageForLocale(english), AppLanguage::en) << english;
    for (const char* other : {"zh_CN.UTF-8", "zh_SG", "zh", "C", "C.UTF-8", "POSIX", "", "fr_FR", "eng", "ja_JP.TW"})
        EXPECT_EQ(languageForLocale(other), AppLanguage::zhCN) << other;
}

// With nothing stored the locale and the desktop's colours decide, and the colours are
// followed while they change; a stored choice, or one made now, always wins. Nothing is
// written until the user chooses.
TEST_F(SettingsTest, WithNothingStoredTheDesktopDecidesUntilTheUserChooses) {
    desktop.language = "zh_HK.UTF-8";
    desktop.dark.set(true);
    {
        PreferenceStore store(file);
        EXPECT_EQ(LocalizationManager(store, desktop).language(), AppLanguage::zhTW);
        AppSettings settings(store, desktop);
        EXPECT_EQ(settings.appearance().get(), AppAppearance::dark);
        int changes = 0;
        auto c = settings.appearance().observe([&] { ++changes; });
        desktop.dark.set(false);
        EXPECT_EQ(settings.appearance().get(), AppAppearance::light);
        EXPECT_EQ(changes, 1);
        settings.setAppearance(AppAppearance::light);
        desktop.dark.set(true);
        EXPECT_EQ(settings.appearance().get(), AppAppearance::light) << "the user's choice stays";
    }
    EXPECT_EQ(PreferenceStore(file).stringValue("appAppearance"), "light");
    std::filesystem::remove(file);

    desktop.language = "en_US.UTF-8";
    for (const char* stored : {R"({"appLanguage": "zh_CN", "appAppearance": "light"})",
                               R"({"appLanguage": "zh_tw", "appAppearance": "Dark"})"}) {
        writeFile(file, stored);
        PreferenceStore store(file);
        EXPECT_EQ(LocalizationManager(store, desktop).language(), AppLanguage::zhCN) << stored;
        AppSettings settings(store, desktop);
        desktop.dark.set(true);
        EXPECT_EQ(settings.appearance().get(), AppAppearance::light) << stored;
    }
    std::filesystem::remove(file);
    PreferenceStore store(file);
    EXPECT_EQ(LocalizationManager(store, desktop).language(), AppLanguage::en);
    AppSettings settings(store, desktop);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Zoom goes in steps between 50 % and 300 %, per service, and survives a restart; a
// hand-edited level outside the range is dropped.
TEST_F(SettingsTest, PageZoomStepsWithinItsRangePerServiceAndIsKept) {
    writeFile(file, R"({"pageZoomLevels": {"kimi": 1.25, "big": 40, "word": "1.5"}})");
    {
        PreferenceStore store(file);
        PageZoom zoom(store);
        EXPECT_EQ(zoom.level("kimi"), 1.25);
        EXPECT_EQ(std::pair(zoom.level("big"), zoom.level("word")), std::pair(1.0, 1.0));
        zoom.zoomIn("kimi");
        EXPECT_EQ(zoom.level("kimi"), 1.5);
        for (int i = 0; i < 20; ++i) {
            zoom.zoomIn("deepseek");
            zoom.zoomOut("doubao");
        }
        EXPECT_EQ(zoom.level("deepseek"), PageZoom::largest);
        EXPECT_EQ(zoom.level("doubao"), PageZoom::smallest);
        zoom.zoomOut("qianwen");
        zoom.reset("doubao");
        EXPECT_EQ(zoomPercentText(zoom.level("qianwen")), "90 %");
    }
    PreferenceStore store(file);
    EXPECT_EQ(PageZoom(store).levels().get(),
              (std::map<std::string, double>{{"deepseek", 3.0}, {"kimi", 1.5}, {"qianwen", 0.9}}))
        << "a service back at 100 % is left out";
}

// A pane narrower than a desktop layout zooms its page out just enough to lay it out that
// wide, but never past the smallest scale; with the setting off, or wide enough, not at all.
TEST(NarrowPaneScale, ZoomsOutJustEnoughForADesktopLayoutDownToItsSmallestScale) {
    for (int width : {640, 641, 1000, 4000}) EXPECT_EQ(narrowPaneScale(width, true), 1.0) << width;
    for (int width : {0, 200, 383, 400, 639, 1000}) EXPECT_EQ(narrowPaneScale(width, false), 1.0) << width;
    EXPECT_DOUBLE_EQ(narrowPaneScale(400, true), 0.625);
    EXPECT_DOUBLE_EQ(narrowPaneScale(639, true), 639 / 640.0);
    for (int width : {384, 383, 200, 1, 0, -5}) EXPECT_DOUBLE_EQ(narrowPaneScale(width, true), 0.6) << width;
    // Between the two ends the page is laid out exactly a desktop layout wide.
    for (int width = 384; width < 640; ++width)
        EXPECT_NEAR(width / narrowPaneScale(width, true), 640.0, 1e-9) << width;
}

}  // namespace
