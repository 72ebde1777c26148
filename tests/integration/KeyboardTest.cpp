#include <giomm/menu.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <sstream>

#include "ui/MenuCommands.hpp"
#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"
#include "integration/X11Window.hpp"
#include "ui/MainWindow.hpp"
#include "ui/ShortcutsWindow.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// A typing area that swallows every key it gets, and counts them (a modifier's own press
// reaches pages in every browser).
constexpr const char* typingPage =
    "<title>typing</title><p>apple Apple apple</p><textarea id=area></textarea>"
    "<script>window.keys = 0; area.addEventListener('keydown', e => { if (!['Control', 'Shift', 'Alt'].includes(e.key)) keys++; e.preventDefault(); });</script>";

// The whole main window over the real state and engine, with the commands installed as
// the application installs them, and real key presses from the X server.
class KeyboardTest : public StateFixture {
protected:
    KeyboardTest() {
        server.server.Get("/typing", [this](const httplib::Request&, httplib::Response& res) {
            ++hits["typing"];
            res.set_content(typingPage, "text/html");
        });
        hits["typing"] = 0;
        customTabs.add(CustomTab{tagID("typing"), "typing", server.url("/typing"), {}, 0});
        presentWithCommands(window, {[] {}, [this] { ++shortcutsOpened; }, [this] { window.findInPage(); }, [] {}}, 1400,
                            860);
    }
    WebKitWebView* page(const std::string& name) { return existingView(tagID(name)); }
    // The typing page shown in the active pane with its area holding the keyboard focus.
    void typeInPage() {
        state.selectTab(tagID("typing"));
        ASSERT_TRUE(loaded(tagID("typing")));
        auto* view = page("typing");
        gtk_widget_grab_focus(GTK_WIDGET(view));
        ASSERT_EQ(evaluateScript(view, "area.focus(); document.activeElement.id"), "area");
    }
    // Returns once the window has dealt with the keys; what a shortcut does, it does then.
    void press(const std::string& keys) {
        EXPECT_TRUE(pressKeysAndWait(GTK_WINDOW(window.gobj()), keys)) << keys << " never reached the window";
    }
    int keysSeenByPage() { return std::stoi(evaluateScript(page("typing"), "keys")); }

    MainWindow window{context, Gio::Menu::create()};
    int shortcutsOpened = 0;
};

// One window walked through every shortcut, the find bar and the panes.
TEST_F(KeyboardTest, ShortcutsActBeforeAPageThatSwallowsKeysZoomIsKeptPerServiceAndTheFindBarCountsPerPane) {
    localization.setCurrentLanguage(AppLanguage::en);
    settings.pageZoom().zoomIn(tagID("two"));
    settings.pageZoom().zoomIn(tagID("two"));
    // Rows: one, two, three, typing.
    const std::pair<const char*, const char*> selections[] = {
        {"ctrl+1", "one"},   {"ctrl+2", "two"},      {"ctrl+9", "typing"},          {"ctrl+5", "typing"},
        {"ctrl+Tab", "one"}, {"ctrl+Next", "one"},   {"ctrl+shift+Tab", "three"}, {"ctrl+Prior", "three"},
    };
    for (const auto& [keys, expected] : selections) {
        typeInPage();
        press(keys);
        EXPECT_EQ(state.currentTabID(), tagID(expected)) << keys << " from the typing page";
    }

    // A stored zoom is applied when the view is created, and is no change to show.
    state.selectTab(tagID("two"));
    ASSERT_TRUE(loaded(tagID("two")));
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(page("two")), 1.25);
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(page("one")), 1.0);
    EXPECT_FALSE(shows(paneOf(window, 0), "zoom-level"));

    typeInPage();
    const int loads = hits["typing"];
    press("ctrl+r");
    EXPECT_TRUE(eventually([&] { return hits["typing"] == loads + 1; })) << "reloaded once";
    ASSERT_TRUE(loaded(tagID("typing")));

    typeInPage();
    press("ctrl+plus");
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(page("typing")), 1.1);
    EXPECT_TRUE(shows(paneOf(window, 0), "zoom-level"));
    EXPECT_EQ(textOf(paneOf(window, 0), "zoom-level"), "110 %");
    press("ctrl+minus");
    press("ctrl+minus");
    EXPECT_DOUBLE_EQ(settings.pageZoom().level(tagID("typing")), 0.9);
    press("ctrl+0");
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(page("typing")), 1.0);

    press("ctrl+shift+c");
    EXPECT_TRUE(state.showDetailPanel());
    EXPECT_EQ(state.detailPanelType().get(), DetailPanelType::clipboard);
    press("ctrl+shift+t");
    EXPECT_EQ(state.detailPanelType().get(), DetailPanelType::customTags);
    press("ctrl+shift+t");
    EXPECT_FALSE(state.showDetailPanel());

    typeInPage();
    press("ctrl+question");
    EXPECT_EQ(shortcutsOpened, 1);
    typeInPage();
    press("ctrl+f");
    auto& bar = widgetWithClass(paneOf(window, 0), "find-bar");
    auto& entry = widgetOfType<Gtk::SearchEntry>(bar);
    const auto count = [&] { return textOf(bar, "find-count"); };
    ASSERT_TRUE(shownOnScreen(bar));
    entry.set_text("apple");
    EXPECT_TRUE(eventually([&] { return count() == "1 of 3"; })) << count();
    press("Return");
    EXPECT_EQ(count(), "2 of 3");
    press("shift+Return");
    press("shift+Return");
    EXPECT_EQ(count(), "3 of 3") << "back past the first wraps to the last";
    widgetOfType<Gtk::ToggleButton>(bar).set_active(true);
    EXPECT_TRUE(eventually([&] { return count() == "1 of 2"; })) << count();
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(count(), "第 1 项，共 2 项");
    localization.setCurrentLanguage(AppLanguage::en);

    state.selectTab(tagID("one"));
    EXPECT_TRUE(eventually([&] { return count() == "No matches"; })) << count();
    state.selectTab(tagID("typing"));
    EXPECT_TRUE(eventually([&] { return count() == "1 of 2"; })) << count();
    EXPECT_EQ(std::string(entry.get_text()), "apple");

    entry.grab_focus();
    press("Escape");
    EXPECT_FALSE(shownOnScreen(bar));
    EXPECT_TRUE(gtk_widget_has_focus(GTK_WIDGET(page("typing")))) << "the page has the keyboard again";
    // The engine hands a page its keys in order: once a letter typed now has arrived, any
    // shortcut that got through since the reload would have arrived before it.
    typeInPage();
    press("x");
    ASSERT_TRUE(eventually([&] { return keysSeenByPage() > 0; }));
    EXPECT_EQ(keysSeenByPage(), 1) << "the page never saw a shortcut";
    press("ctrl+f");
    EXPECT_EQ(std::string(entry.get_text()), "apple") << "the text waits for the next search";
    EXPECT_TRUE(eventually([&] { return count() == "1 of 2"; })) << count();
    press("Escape");
    ASSERT_FALSE(shownOnScreen(bar));

    // Back and forward, from a page the typing page led to.
    evaluateScript(page("typing"), "location.href = '/next'; 1");
    ASSERT_TRUE(eventually([&] { return evaluateScript(page("typing"), "document.title") == "next"; }));
    press("alt+Left");
    EXPECT_TRUE(eventually([&] { return evaluateScript(page("typing"), "document.title") == "typing"; }));
    press("alt+Right");
    EXPECT_TRUE(eventually([&] { return evaluateScript(page("typing"), "document.title") == "next"; }));
    // Back where it started: the typing page is the one the second pane shows below.
    press("alt+Left");
    ASSERT_TRUE(eventually([&] { return evaluateScript(page("typing"), "document.title") == "typing"; }));

    // F6 and ctrl+alt+arrows switch the active pane.
    state.selectTab(tagID("one"));
    state.toggleSplit();
    ASSERT_EQ(state.currentPane(), 1u);
    typeInPage();
    press("ctrl+1");
    EXPECT_EQ(state.panes().serviceIn(1), tagID("one"));
    EXPECT_EQ(state.panes().serviceIn(0), tagID("one")) << "the first pane kept its tab";
    press("F6");
    EXPECT_EQ(state.currentPane(), 0u);
    press("ctrl+3");
    EXPECT_EQ(state.panes().serviceIn(0), tagID("three"));
    EXPECT_EQ(state.panes().serviceIn(1), tagID("one"));
    press("ctrl+alt+Right");
    EXPECT_EQ(state.currentPane(), 1u);
    press("ctrl+f");
    EXPECT_TRUE(shows(paneOf(window, 1), "find-bar"));
    EXPECT_FALSE(shows(paneOf(window, 0), "find-bar"));
}

// Every key the menu and the shortcuts window show is one the toolkit reads, in each language.
TEST(MenuCommands, AreTitledInTheInterfaceLanguageWithKeysTheToolkitReads) {
    auto menu = Gio::Menu::create();
    const auto title = [&](int section, int item) {
        auto label = menu->get_item_link(section, Gio::MenuModel::Link::SECTION)
                         ->get_item_attribute(item, Gio::MenuModel::Attribute::LABEL, Glib::VARIANT_TYPE_STRING);
        return Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(label).get();
    };
    MenuCommands::fill(menu, AppLanguage::zhTW);
    EXPECT_EQ(title(0, 0), "下一個服務");
    MenuCommands::fill(menu, AppLanguage::en);
    EXPECT_EQ(menu->get_n_items(), 5) << "filled anew, not appended";
    EXPECT_EQ(title(2, 0), "Find in Page");
    EXPECT_EQ(title(1, 1), "Enlarge Pane");
    MenuCommands::fill(menu, AppLanguage::en, true);
    EXPECT_EQ(title(1, 1), "Restore Pane") << "while a pane is enlarged";

    for (AppLanguage language : allLanguages)
        for (const auto& group : MenuCommands::shortcutGroups(language)) {
            EXPECT_FALSE(group.title.empty());
            for (const auto& shortcut : group.shortcuts) {
                std::string keys = shortcut.accelerators;
                for (auto range = keys.find("..."); range != std::string::npos; range = keys.find("..."))
                    keys.replace(range, 3, " ");
                std::istringstream words(keys);
                for (std::string key; words >> key;) {
                    guint keyval = 0;
                    EXPECT_TRUE(gtk_accelerator_parse(key.c_str(), &keyval, nullptr) && keyval) << key;
                }
            }
        }

    Gtk::Window parent;
    ShortcutsWindow shortcuts;
    shortcuts.present(parent, AppLanguage::zhCN);
    ASSERT_NE(shortcuts.window(), nullptr);
    EXPECT_STREQ(gtk_window_get_title(shortcuts.window()), "键盘快捷键");
    shortcuts.present(parent, AppLanguage::en);
    EXPECT_STREQ(gtk_window_get_title(shortcuts.window()), "Keyboard Shortcuts") << "made anew in the new language";
    parent.destroy();
}

}  // namespace
