#include <giomm/menu.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/menubutton.h>
#include <gtkmm/popover.h>
#include <webkit/webkit.h>

#include "app/AppState.hpp"
#include "integration/StateFixture.hpp"
#include "integration/X11Window.hpp"
#include "ui/MainWindow.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The main window over the real state, with the commands installed as the application
// installs them, driven by real key presses and clicks from the X server.
class LayoutControlsTest : public StateFixture {
protected:
    LayoutControlsTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        presentWithCommands(window, {[] {}, [] {}, [] {}, [] {}}, 1400, 860);
    }

    // Returns once the window has dealt with the keys.
    void press(const std::string& keys) {
        EXPECT_TRUE(pressKeysAndWait(GTK_WINDOW(window.gobj()), keys)) << keys << " never reached the window";
    }
    // Keys for the open popover, which the window itself does not see; the caller waits for
    // what they do.
    void pressInPopover(const std::string& keys) { pressKeys(GTK_WINDOW(window.gobj()), keys); }
    // The keyboard in the page the first pane shows, once it has loaded.
    void focusPage() {
        WebKitWebView* view = nullptr;
        ASSERT_TRUE(eventually([&] {
            for (GtkWidget* widget : widgetsOfType(window, WEBKIT_TYPE_WEB_VIEW))
                if (gtk_widget_get_mapped(widget)) view = WEBKIT_WEB_VIEW(widget);
            return view && !webkit_web_view_is_loading(view);
        }, std::chrono::seconds(15)));
        gtk_widget_grab_focus(GTK_WIDGET(view));
        ASSERT_TRUE(gtk_widget_has_focus(GTK_WIDGET(view)));
    }
    std::size_t framesOnScreen() {
        std::size_t shown = 0;
        for (GtkWidget* frame : widgetsWithClass(window, "pane-frame")) shown += shownOnScreen(*Glib::wrap(frame));
        return shown;
    }

    Gtk::MenuButton& layoutButton() { return widgetWithClass<Gtk::MenuButton>(window.topStrip(), "layout-button"); }
    Gtk::Popover& popover() { return widgetWithClass<Gtk::Popover>(window.topStrip(), "layout-popover"); }
    std::vector<GtkWidget*> choices() { return widgetsWithClass(popover(), "layout-choice"); }
    // A real click in the middle of a widget of the open popover, which is a surface of its own.
    void clickInPopover(GtkWidget* widget) {
        auto& shown = popover();
        graphene_point_t middle = GRAPHENE_POINT_INIT(float(gtk_widget_get_width(widget)) / 2,
                                                      float(gtk_widget_get_height(widget)) / 2),
                         inPopover;
        ASSERT_TRUE(gtk_widget_compute_point(widget, GTK_WIDGET(shown.gobj()), &middle, &inPopover));
        double dx = 0, dy = 0, windowDx = 0, windowDy = 0;
        gtk_native_get_surface_transform(GTK_NATIVE(shown.gobj()), &dx, &dy);
        gtk_native_get_surface_transform(GTK_NATIVE(window.gobj()), &windowDx, &windowDy);
        GdkPopup* popup = GDK_POPUP(gtk_native_get_surface(GTK_NATIVE(shown.gobj())));
        const int x = gdk_popup_get_position_x(popup) + int(inPopover.x + dx);
        const int y = gdk_popup_get_position_y(popup) + int(inPopover.y + dy);
        commandOutput("xdotool mousemove --window " + x11WindowID(GTK_WINDOW(window.gobj())) + " " + std::to_string(x) +
                      " " + std::to_string(y) + " click 1");
    }
    bool popoverOpen() { return popover().get_mapped(); }
    bool marked(GtkWidget* choice) {
        return gtk_widget_has_css_class(choice, "current") &&
               passes(gtk_test_accessible_check_state(GTK_ACCESSIBLE(choice), GTK_ACCESSIBLE_STATE_CHECKED,
                                                      GTK_ACCESSIBLE_TRISTATE_TRUE));
    }

    MainWindow window{context, Gio::Menu::create()};
};

// Every key from a page that has the keyboard, as the window gets it first.
TEST_F(LayoutControlsTest, KeysChooseTheLayoutMoveTheActivePaneWrappingAndEnlargeIt) {
    const auto& panes = state.panes();
    focusPage();
    press("ctrl+alt+5");
    ASSERT_EQ(panes.arrangement(), PaneArrangement::grid3x2);
    EXPECT_EQ(panes.paneCount(), 6u);
    EXPECT_TRUE(eventually([&] { return framesOnScreen() == 6; })) << framesOnScreen();

    // 0 1 2
    // 3 4 5
    state.panes().setActive(0);
    focusPage();
    const std::pair<const char*, Pane> moves[] = {
        {"ctrl+alt+Left", 5}, {"ctrl+alt+Right", 0}, {"ctrl+alt+Right", 1}, {"F6", 2},        {"F6", 3},
        {"shift+F6", 2},      {"ctrl+alt+Down", 5},  {"ctrl+alt+Down", 2},  {"ctrl+alt+Up", 5}, {"F6", 0},
    };
    for (const auto& [keys, expected] : moves) {
        const auto from = panes.activePane();
        press(keys);
        EXPECT_EQ(panes.activePane(), expected) << keys << " from pane " << from;
    }

    press("ctrl+alt+Right");
    press("ctrl+alt+Return");
    EXPECT_EQ(panes.enlargedPane(), std::optional<Pane>(1));
    EXPECT_TRUE(eventually([&] { return framesOnScreen() == 1; })) << "only the enlarged pane shows";
    press("ctrl+alt+Return");
    EXPECT_EQ(panes.enlargedPane(), std::nullopt);
    EXPECT_TRUE(eventually([&] { return framesOnScreen() == 6; }));

    const std::pair<const char*, PaneArrangement> layouts[] = {
        {"ctrl+alt+1", PaneArrangement::single}, {"ctrl+alt+2", PaneArrangement::two},
        {"ctrl+alt+3", PaneArrangement::three},  {"ctrl+alt+4", PaneArrangement::grid2x2},
        {"ctrl+alt+6", PaneArrangement::twoRows},
    };
    for (const auto& [keys, expected] : layouts) {
        press(keys);
        EXPECT_EQ(panes.arrangement(), expected) << keys;
        EXPECT_EQ(panes.paneCount(), shapeOf(expected).panes()) << keys;
        // The app menu marks its layout entries by this state.
        Glib::ustring marked;
        commands->get_action_state("arrange", marked);
        EXPECT_EQ(marked.raw(), arrangementName(expected)) << keys;
        EXPECT_EQ(commands->get_action_enabled("toggle-enlarged-pane"), expected != PaneArrangement::single) << keys;
    }
    // Two rows: up and down wrap within the one column.
    state.panes().setActive(0);
    press("ctrl+alt+Up");
    EXPECT_EQ(panes.activePane(), 1u);
    press("ctrl+alt+Down");
    EXPECT_EQ(panes.activePane(), 0u);
}

// With the screen reader backend throughout, so names and the mark are checked as announced.
TEST_F(LayoutControlsTest, ThePopoverNamesEachLayoutMarksTheShownOneAndChoosesByClickOrKeyboard) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    EXPECT_TRUE(announcedAs(layoutButton(), "Layout"));
    clickWithPointer(layoutButton(), layoutButton().get_width() / 2.0, layoutButton().get_height() / 2.0);
    ASSERT_TRUE(eventually([&] { return popoverOpen() && framePainted(popover()); }));

    const char* names[] = {"One Pane", "Two Side by Side", "Three Columns", "2 × 2", "3 × 2", "Two Rows"};
    const auto shown = choices();
    ASSERT_EQ(shown.size(), 6u);
    for (std::size_t place = 0; place < shown.size(); ++place) {
        EXPECT_TRUE(announcedAs(*Glib::wrap(shown[place]), names[place])) << names[place];
        EXPECT_EQ(marked(shown[place]), place == 0) << names[place];
    }
    EXPECT_TRUE(gtk_widget_has_focus(shown[0])) << "the keyboard starts on the layout shown";

    clickInPopover(shown[3]);
    ASSERT_TRUE(eventually([&] { return state.panes().arrangement() == PaneArrangement::grid2x2; }));
    EXPECT_EQ(state.panes().paneCount(), 4u);
    EXPECT_TRUE(eventually([&] { return !popoverOpen(); })) << "choosing closes the popover";
    EXPECT_TRUE(marked(shown[3]));
    EXPECT_FALSE(marked(shown[0]));

    // By keyboard: open, Tab on from the layout shown, Enter; then Escape leaves it alone.
    layoutButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return popoverOpen(); }));
    EXPECT_TRUE(gtk_widget_has_focus(shown[3]));
    pressInPopover("Tab Return");
    EXPECT_TRUE(eventually([&] { return state.panes().arrangement() == PaneArrangement::grid3x2; }));
    EXPECT_TRUE(eventually([&] { return !popoverOpen(); }));
    layoutButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return popoverOpen(); }));
    pressInPopover("Escape");
    EXPECT_TRUE(eventually([&] { return !popoverOpen(); }));
    EXPECT_EQ(state.panes().arrangement(), PaneArrangement::grid3x2);

    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_TRUE(announcedAs(*Glib::wrap(shown[1]), "左右兩欄"));
    EXPECT_TRUE(announcedAs(layoutButton(), "版面配置"));
}

}  // namespace
