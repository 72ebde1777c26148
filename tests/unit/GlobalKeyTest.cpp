#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/AppSettings.hpp"
#include "platform/PreferenceStore.hpp"
#include "platform/Shortcut.hpp"
#include "support/Fakes.hpp"
#include "web/GlobalKey.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

TEST(Shortcut, ReadsTheToolkitsAcceleratorsAndWritesThemForThePortalAndForPeople) {
    const auto key = Shortcut::parse("<Control><Alt>space");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->accelerator(), "<Control><Alt>space");
    EXPECT_EQ(key->portalTrigger(), "CTRL+ALT+space");
    EXPECT_EQ(key->label(), "Ctrl+Alt+Space");

    // Other spellings the toolkit reads come out in one form, modifiers in one order.
    const auto other = Shortcut::parse("<Super><shift><Primary>Page_Down");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->accelerator(), "<Control><Shift><Super>Page_Down");
    EXPECT_EQ(other->portalTrigger(), "CTRL+SHIFT+LOGO+Page_Down");
    EXPECT_EQ(other->label(), "Ctrl+Shift+Super+Page Down");
    EXPECT_EQ(Shortcut::parse("<Mod1>F5")->accelerator(), "<Alt>F5");

    for (const char* wrong : {"", "<Control>", "<Control><Alt>", "<Hyper>a", "<Control a", "<Control>a b", "a<Control>",
                              "<Control>ä"})
        EXPECT_FALSE(Shortcut::parse(wrong)) << wrong;
}

TEST(GlobalKeySetting, IsCtrlAltSpaceUntilChangedAndAClearedKeyStaysCleared) {
    TempDir dir;
    FakeDesktopDefaults desktop;
    const auto file = dir / "preferences.json";
    {
        PreferenceStore preferences(file);
        AppSettings settings(preferences, desktop);
        EXPECT_EQ(settings.globalKey().get(), "<Control><Alt>space");
        int changes = 0;
        ScopedConnection counted = settings.globalKey().observe([&] { ++changes; });
        settings.setGlobalKey("<Super>k");
        EXPECT_EQ(changes, 1);
    }
    {
        PreferenceStore preferences(file);
        AppSettings settings(preferences, desktop);
        EXPECT_EQ(settings.globalKey().get(), "<Super>k");
        settings.setGlobalKey("");
    }
    {
        PreferenceStore preferences(file);
        EXPECT_EQ(AppSettings(preferences, desktop).globalKey().get(), "");
        // Hand-edited text that is no key, or another type, reads as the default.
        preferences.setString("globalKey", "<Control>");
        EXPECT_EQ(AppSettings(preferences, desktop).globalKey().get(), "<Control><Alt>space");
        preferences.setRaw("globalKey", 5);
        EXPECT_EQ(AppSettings(preferences, desktop).globalKey().get(), "<Control><Alt>space");
    }
}

TEST(GlobalKeyStatusText, NamesTheKeyWhereItMattersInEveryLanguage) {
    using State = GlobalKeyStatus::State;
    for (AppLanguage language : allLanguages) {
        const auto taken = describe({GlobalKeyWay::x11, State::taken, ""}, "Ctrl+Alt+Space", language);
        EXPECT_NE(taken.find("Ctrl+Alt+Space"), std::string::npos) << taken;
        const auto elsewhere = describe({GlobalKeyWay::gnome, State::working, "<Super>k"}, "Ctrl+Alt+Space", language);
        EXPECT_NE(elsewhere.find("Super+K"), std::string::npos) << elsewhere;
        EXPECT_NE(elsewhere.find("Ctrl+Alt+Space"), std::string::npos) << elsewhere;
        // Each state reads differently from the others.
        std::set<std::string> texts;
        for (const GlobalKeyStatus& status : std::vector<GlobalKeyStatus>{
                 {GlobalKeyWay::x11, State::working, ""}, {GlobalKeyWay::x11, State::taken, ""},
                 {GlobalKeyWay::x11, State::unknownKey, ""}, {GlobalKeyWay::x11, State::notSet, ""},
                 {GlobalKeyWay::portal, State::working, ""}, {GlobalKeyWay::portal, State::waiting, ""},
                 {GlobalKeyWay::portal, State::refused, ""}, {GlobalKeyWay::gnome, State::notAdded, ""},
                 {GlobalKeyWay::gnome, State::working, ""}, {GlobalKeyWay::gnome, State::working, "<Super>k"},
                 {GlobalKeyWay::command, State::working, ""}})
            texts.insert(describe(status, "Ctrl+Alt+Space", language));
        EXPECT_EQ(texts.size(), 11u);
    }
}

}  // namespace
