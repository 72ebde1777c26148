#include <gtest/gtest.h>

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>

#include "integration/StateFixture.hpp"
#include "platform/GnomeShortcuts.hpp"
#include "ui/SettingsWindow.hpp"
#include "web/GlobalKey.hpp"

// Last: the X11 headers define names the others use.
#include <gdk/x11/gdkx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace corvina;
using namespace corvina::testing;

namespace {

constexpr const char* toggleCommand = "corvina --toggle";
constexpr const char* entryPath = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";

// GNOME's media keys schema, compiled into a folder of the test's own, over a key file there
// that GNOME's own gsettings tool reads and writes too.
class GnomeSettings {
public:
    GnomeSettings() {
        const std::filesystem::path installed = "/usr/share/glib-2.0/schemas";
        for (const char* file : {"org.gnome.settings-daemon.plugins.media-keys.gschema.xml",
                                 "org.gnome.settings-daemon.enums.xml"})
            if (std::filesystem::exists(installed / file)) std::filesystem::copy(installed / file, schemas() / file);
        commandOutput("glib-compile-schemas " + schemas().string());
    }
    bool ready() const { return std::filesystem::exists(schemas() / "gschemas.compiled"); }
    std::filesystem::path keyfile() const { return dir / "config" / "glib-2.0" / "settings" / "keyfile"; }
    std::string gsettings(const std::string& arguments) const {
        return commandOutput("GSETTINGS_SCHEMA_DIR=" + schemas().string() + " GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME=" +
                             (dir / "config").string() + " gsettings " + arguments + " 2>&1");
    }
    std::string entry(const std::string& name, const char* key) const {
        return gsettings("get org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:" + std::string(entryPath) +
                         name + "/ " + key);
    }
    std::unique_ptr<GnomeShortcuts> shortcuts() const {
        GSettingsSchemaSource* source =
            g_settings_schema_source_new_from_directory(schemas().c_str(), nullptr, TRUE, nullptr);
        GSettingsBackend* backend = g_keyfile_settings_backend_new(keyfile().c_str(), "/", nullptr);
        auto shortcuts = GnomeShortcuts::open(source, backend);
        g_settings_schema_source_unref(source);
        g_object_unref(backend);
        return shortcuts;
    }

private:
    std::filesystem::path schemas() const {
        std::filesystem::create_directories(dir / "schemas");
        return dir / "schemas";
    }
    TempDir dir;
};

// Another X client of the test display, as a program that holds keys of its own.
class OtherClient {
public:
    OtherClient() : display_(XOpenDisplay(nullptr)) {}
    ~OtherClient() {
        if (display_) XCloseDisplay(display_);
    }
    // False when the X server refused it: someone else holds the key.
    bool grab(KeySym symbol, unsigned modifiers) {
        failed = false;
        auto* previous = XSetErrorHandler([](Display*, XErrorEvent* error) {
            if (error->error_code == BadAccess) failed = true;
            return 0;
        });
        XGrabKey(display_, XKeysymToKeycode(display_, symbol), modifiers, DefaultRootWindow(display_), False,
                 GrabModeAsync, GrabModeAsync);
        XSync(display_, False);
        XSetErrorHandler(previous);
        if (!failed) XUngrabKey(display_, XKeysymToKeycode(display_, symbol), modifiers, DefaultRootWindow(display_));
        XSync(display_, False);
        return !failed;
    }
    void hold(KeySym symbol, unsigned modifiers) {
        XGrabKey(display_, XKeysymToKeycode(display_, symbol), modifiers, DefaultRootWindow(display_), False,
                 GrabModeAsync, GrabModeAsync);
        XSync(display_, False);
    }
    bool open() const { return display_ != nullptr; }

private:
    static inline bool failed = false;
    Display* display_;
};

class GlobalKeySettingsTest : public StateFixture {
protected:
    void SetUp() override {
        // The grab is for X11 sessions only.
        g_unsetenv("WAYLAND_DISPLAY");
        g_setenv("XDG_SESSION_TYPE", "x11", true);
        localization.setCurrentLanguage(AppLanguage::en);
    }
    // The key over `desktop`, counting its presses, and the settings window showing it.
    GlobalKey& start(GlobalKeyDesktop desktop) {
        globalKey = std::make_unique<GlobalKey>(settings, localization, std::move(desktop),
                                                [this](std::uint32_t time, const std::string&) {
                                                    ++presses;
                                                    lastTime = time;
                                                });
        settingsWindow = std::make_unique<SettingsWindow>(context, globalKey.get());
        settingsWindow->present();
        return *globalKey;
    }
    GlobalKeySettings& row() { return *settingsWindow->globalKeySettings(); }
    std::string windowId() {
        return std::to_string(gdk_x11_surface_get_xid(gtk_native_get_surface(GTK_NATIVE(settingsWindow->gobj()))));
    }

    int presses = 0;
    std::uint32_t lastTime = 0;
    std::unique_ptr<GlobalKey> globalKey;
    std::unique_ptr<SettingsWindow> settingsWindow;
};

TEST_F(GlobalKeySettingsTest, OnGnomeWithoutThePortalItsShortcutIsAddedAndRemovedOnlyAtTheUsersPress) {
    GnomeSettings gnome;
    ASSERT_TRUE(gnome.ready()) << "GNOME's media keys schema is not installed";
    // A shortcut of the user's own, made with GNOME's tool, which must stay as it is.
    gnome.gsettings("set org.gnome.settings-daemon.plugins.media-keys custom-keybindings \"['" + std::string(entryPath) +
                    "custom0/']\"");
    gnome.gsettings("set org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:" + std::string(entryPath) +
                    "custom0/ command 'gnome-terminal'");
    const std::string before = readFile(gnome.keyfile());
    ASSERT_NE(before.find("gnome-terminal"), std::string::npos);

    auto& key = start({.gnome = gnome.shortcuts(), .command = toggleCommand});
    EXPECT_EQ(key.status().get(), (GlobalKeyStatus{GlobalKeyWay::gnome, GlobalKeyStatus::State::notAdded, ""}));
    EXPECT_EQ(row().statusText(), "GNOME lets no app take a key: add it to GNOME's keyboard shortcuts");
    EXPECT_TRUE(eventually([&] { return shownOnScreen(row().addButton()); }));
    EXPECT_FALSE(row().removeButton().get_visible());
    EXPECT_FALSE(row().copyButton().get_mapped()) << "GNOME's own settings are offered, not the command";
    EXPECT_EQ(readFile(gnome.keyfile()), before) << "nothing is written before the press";

    // A button pressed from the keyboard clicks once its pressed look has shown.
    row().addButton().activate();
    ASSERT_TRUE(eventually([&] { return key.status().get().state == GlobalKeyStatus::State::working; }));
    EXPECT_EQ(gnome.gsettings("get org.gnome.settings-daemon.plugins.media-keys custom-keybindings"),
              "['" + std::string(entryPath) + "custom0/', '" + entryPath + "custom1/']\n");
    EXPECT_EQ(gnome.entry("custom1", "command"), "'corvina --toggle'\n");
    EXPECT_EQ(gnome.entry("custom1", "binding"), "'<Control><Alt>space'\n");
    EXPECT_EQ(gnome.entry("custom1", "name"), "'Show and hide Corvina'\n");
    EXPECT_EQ(row().statusText(), "In GNOME's keyboard shortcuts");
    EXPECT_TRUE(row().removeButton().get_visible());
    EXPECT_FALSE(row().addButton().get_visible());
    // A later run finds it.
    const auto found = gnome.shortcuts()->find(toggleCommand);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, std::string(entryPath) + "custom1/");

    // Another key here leaves GNOME's entry alone until the user adds it again.
    settings.setGlobalKey("<Super>k");
    EXPECT_EQ(gnome.entry("custom1", "binding"), "'<Control><Alt>space'\n");
    EXPECT_EQ(row().statusText(), "GNOME's keyboard shortcuts have it as Ctrl+Alt+Space: add it again for Super+K");
    EXPECT_TRUE(row().addButton().get_visible());
    row().addButton().activate();
    ASSERT_TRUE(eventually([&] { return key.status().get().gnomeBinding.empty(); }));
    EXPECT_EQ(gnome.entry("custom1", "binding"), "'<Super>k'\n");
    EXPECT_EQ(gnome.gsettings("get org.gnome.settings-daemon.plugins.media-keys custom-keybindings"),
              "['" + std::string(entryPath) + "custom0/', '" + entryPath + "custom1/']\n")
        << "changed where it was, not added twice";

    row().removeButton().activate();
    ASSERT_TRUE(eventually([&] { return key.status().get().state == GlobalKeyStatus::State::notAdded; }));
    EXPECT_EQ(gnome.gsettings("get org.gnome.settings-daemon.plugins.media-keys custom-keybindings"),
              "['" + std::string(entryPath) + "custom0/']\n");
    EXPECT_EQ(gnome.entry("custom0", "command"), "'gnome-terminal'\n");
    EXPECT_EQ(gnome.entry("custom1", "command"), "''\n");
    EXPECT_EQ(key.status().get().state, GlobalKeyStatus::State::notAdded);
    EXPECT_EQ(presses, 0);
}

TEST_F(GlobalKeySettingsTest, OnGnomeWhatTheUserChangesInGnomesOwnSettingsWhileItRunsIsShownThere) {
    GnomeSettings gnome;
    ASSERT_TRUE(gnome.ready()) << "GNOME's media keys schema is not installed";
    auto& key = start({.gnome = gnome.shortcuts(), .command = toggleCommand});
    row().addButton().activate();
    ASSERT_TRUE(eventually([&] { return key.status().get().state == GlobalKeyStatus::State::working; }));

    // GNOME's own tool, another process, rebinds the shortcut and then deletes it.
    const std::string ours = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:" + std::string(entryPath) + "custom0/";
    gnome.gsettings("set " + ours + " binding '<Super>j'");
    EXPECT_TRUE(eventually([&] {
        return row().statusText() == "GNOME's keyboard shortcuts have it as Super+J: add it again for Ctrl+Alt+Space";
    })) << row().statusText();
    EXPECT_TRUE(row().addButton().get_visible());
    gnome.gsettings("set org.gnome.settings-daemon.plugins.media-keys custom-keybindings \"@as []\"");
    EXPECT_TRUE(eventually([&] { return key.status().get().state == GlobalKeyStatus::State::notAdded; }));
    EXPECT_EQ(row().statusText(), "GNOME lets no app take a key: add it to GNOME's keyboard shortcuts");
    EXPECT_FALSE(row().removeButton().get_visible());

    // Listed again by hand, it is found again, and its binding followed.
    gnome.gsettings("set org.gnome.settings-daemon.plugins.media-keys custom-keybindings \"['" + std::string(entryPath) +
                    "custom0/']\"");
    EXPECT_TRUE(eventually([&] { return key.status().get().state == GlobalKeyStatus::State::working; }));
    gnome.gsettings("set " + ours + " binding '<Control><Alt>space'");
    EXPECT_TRUE(eventually([&] { return row().statusText() == "In GNOME's keyboard shortcuts"; })) << row().statusText();
    EXPECT_TRUE(row().removeButton().get_visible());
    EXPECT_EQ(presses, 0);
}

TEST_F(GlobalKeySettingsTest, AKeyAnotherProgramHoldsIsNamedAndAnotherOnePressedInTheFieldWorksWithAnyLocks) {
    OtherClient other;
    ASSERT_TRUE(other.open());
    other.hold(XK_space, ControlMask | Mod1Mask);
    auto& key = start({.x11 = [](X11KeyGrab::Pressed pressed) {
                           return X11KeyGrab::forSession(gdk_display_get_default(), std::move(pressed));
                       },
                       .command = toggleCommand});
    EXPECT_EQ(key.status().get(), (GlobalKeyStatus{GlobalKeyWay::x11, GlobalKeyStatus::State::taken, ""}));
    EXPECT_EQ(row().statusText(), "Ctrl+Alt+Space is taken by another program: choose another key");
    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(row().statusText(), "Ctrl+Alt+Space 已被其他程式佔用：請選擇其他按鍵");
    localization.setCurrentLanguage(AppLanguage::en);

    // The user clicks the field and presses Ctrl+Alt+K.
    ASSERT_TRUE(eventually([&] { return row().field().widget().get_mapped(); }));
    commandOutput("xdotool windowfocus --sync " + windowId());
    row().field().widget().grab_focus();
    row().field().widget().activate();
    ASSERT_TRUE(eventually([&] { return row().field().choosing(); }));
    commandOutput("xdotool key ctrl+alt+k");
    ASSERT_TRUE(eventually([&] { return settings.globalKey().get() == "<Control><Alt>k"; }))
        << settings.globalKey().get();
    EXPECT_FALSE(row().field().choosing());
    EXPECT_EQ(row().statusText(), "Works everywhere in this X11 session");
    EXPECT_FALSE(other.grab(XK_k, ControlMask | Mod1Mask)) << "the app holds it now";
    EXPECT_FALSE(other.grab(XK_k, ControlMask | Mod1Mask | Mod2Mask | LockMask)) << "with the locks on too";

    // Pressed anywhere, with Num Lock on or off, it reaches the app with the press's time.
    commandOutput("xdotool key ctrl+alt+k");
    ASSERT_TRUE(eventually([&] { return presses == 1; }));
    EXPECT_GT(lastTime, 0u);
    commandOutput("xdotool key Num_Lock ctrl+alt+k Num_Lock");
    ASSERT_TRUE(eventually([&] { return presses == 2; }));

    // Backspace in the field clears the key, and the app lets it go.
    row().field().widget().grab_focus();
    row().field().widget().activate();
    ASSERT_TRUE(eventually([&] { return row().field().choosing(); }));
    commandOutput("xdotool key BackSpace");
    ASSERT_TRUE(eventually([&] { return settings.globalKey().get().empty(); }));
    EXPECT_EQ(row().statusText(), "No key: click the field, then press the keys");
    EXPECT_TRUE(other.grab(XK_k, ControlMask | Mod1Mask));
}

TEST_F(GlobalKeySettingsTest, WhereNoWayIsOfferedTheCommandToBindIsShownAndCopied) {
    auto& key = start({.command = toggleCommand});
    EXPECT_EQ(key.status().get().way, GlobalKeyWay::command);
    EXPECT_EQ(row().statusText(), "This desktop lets no app take a key: bind this command in its keyboard settings");
    ASSERT_TRUE(eventually([&] { return shownOnScreen(row().copyButton()); }));
    EXPECT_FALSE(row().addButton().get_mapped());
    row().copyButton().activate();
    EXPECT_TRUE(eventually([&] { return pasteboard.text() == std::optional<std::string>(toggleCommand); }));
}

}  // namespace
