#include <giomm/menu.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <webkit/webkit.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "ui/MainWindow.hpp"
#include "ui/SettingsWindow.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

bool actionable(GtkWidget* widget) {
    static const std::set<GtkAccessibleRole> roles{
        GTK_ACCESSIBLE_ROLE_BUTTON,   GTK_ACCESSIBLE_ROLE_CHECKBOX,   GTK_ACCESSIBLE_ROLE_RADIO,
        GTK_ACCESSIBLE_ROLE_SWITCH,   GTK_ACCESSIBLE_ROLE_TEXT_BOX,   GTK_ACCESSIBLE_ROLE_SEARCH_BOX,
        GTK_ACCESSIBLE_ROLE_COMBO_BOX, GTK_ACCESSIBLE_ROLE_SPIN_BUTTON, GTK_ACCESSIBLE_ROLE_SLIDER,
        GTK_ACCESSIBLE_ROLE_LINK,     GTK_ACCESSIBLE_ROLE_TAB};
    return roles.contains(gtk_accessible_get_accessible_role(GTK_ACCESSIBLE(widget)));
}

bool named(GtkWidget* widget) {
    auto* accessible = GTK_ACCESSIBLE(widget);
    return gtk_test_accessible_has_relation(accessible, GTK_ACCESSIBLE_RELATION_LABELLED_BY) ||
           (gtk_test_accessible_has_property(accessible, GTK_ACCESSIBLE_PROPERTY_LABEL) &&
            !passes(gtk_test_accessible_check_property(accessible, GTK_ACCESSIBLE_PROPERTY_LABEL, "")));
}

bool hiddenFromScreenReaders(GtkWidget* widget) {
    return passes(gtk_test_accessible_check_state(GTK_ACCESSIBLE(widget), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE));
}

std::string describe(GtkWidget* widget) {
    std::string text = G_OBJECT_TYPE_NAME(widget);
    if (text.starts_with("gtkmm__")) text.erase(0, 7);
    char** classes = gtk_widget_get_css_classes(widget);
    for (char** name = classes; name && *name; ++name) text += std::string(".") + *name;
    g_strfreev(classes);
    return text;
}

bool reachable(GtkWidget* widget) {
    if (!gtk_widget_is_sensitive(widget)) return false;
    if (gtk_widget_get_focusable(widget)) return true;
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
        if (gtk_widget_get_mapped(child) && reachable(child)) return true;
    return false;
}

// Every control on screen under `widget`, each with the chain of its containers. A
// control's own parts (an entry's text, a drop-down's button) are announced through the
// control, and a page is its own tree of names: neither is walked. For the keyboard, a
// part closed to it (the list behind an open form) holds no control.
void collectControls(GtkWidget* widget, bool forKeyboard, const std::string& place,
                     std::vector<std::pair<GtkWidget*, std::string>>& found) {
    if (!gtk_widget_get_mapped(widget) || hiddenFromScreenReaders(widget) || WEBKIT_IS_WEB_VIEW(widget) ||
        (forKeyboard && !gtk_widget_get_can_focus(widget)))
        return;
    const std::string here = place.empty() ? describe(widget) : place + " > " + describe(widget);
    if (actionable(widget)) {
        if (!forKeyboard || reachable(widget)) found.emplace_back(widget, here);
        return;
    }
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
        collectControls(child, forKeyboard, here, found);
}

// The controls under `root` a screen reader could not name, listed.
std::string unnamedControls(Gtk::Widget& root) {
    std::vector<std::pair<GtkWidget*, std::string>> found;
    collectControls(root.gobj(), false, "", found);
    std::string listed;
    for (const auto& [widget, place] : found)
        if (!named(widget)) listed += "\n  " + place;
    return listed;
}

// Whether something under `root` is still on its way: a stack sliding from one child to
// another, a revealer, or a card of the tags panel fading out (its controls stay on screen
// until it has gone).
bool stillMoving(Gtk::Widget& root) {
    for (GtkWidget* stack : widgetsOfType(root, GTK_TYPE_STACK))
        if (gtk_stack_get_transition_running(GTK_STACK(stack))) return true;
    for (GtkWidget* revealer : widgetsOfType(root, GTK_TYPE_REVEALER))
        if (gtk_widget_get_mapped(revealer) &&
            gtk_revealer_get_child_revealed(GTK_REVEALER(revealer)) != gtk_revealer_get_reveal_child(GTK_REVEALER(revealer)))
            return true;
    for (GtkWidget* layer : widgetsWithClass(root, "tags-card-layer"))
        if (gtk_widget_get_visible(layer) && gtk_widget_get_opacity(layer) < 1) return true;
    return false;
}

// The controls of `area` in the order Tab moves through them.
std::vector<GtkWidget*> tabOrder(GtkWidget* area) {
    GtkRoot* root = gtk_widget_get_root(area);
    gtk_root_set_focus(root, nullptr);
    std::vector<GtkWidget*> order;
    while (order.size() < 300 && gtk_widget_child_focus(area, GTK_DIR_TAB_FORWARD)) {
        // The outermost control around the focus stands for it (a drop-down for its button).
        GtkWidget* focus = nullptr;
        for (GtkWidget* widget = gtk_root_get_focus(root); widget && widget != area; widget = gtk_widget_get_parent(widget))
            if (actionable(widget)) focus = widget;
        if (focus && (order.empty() || order.back() != focus)) order.push_back(focus);
    }
    return order;
}

// Tab reaches every control of `area`, each once, top to bottom and, within a line, from
// the left; what is wrong, listed.
std::string tabOrderFaults(Gtk::Widget& area) {
    const auto order = tabOrder(area.gobj());
    std::vector<std::pair<GtkWidget*, std::string>> expected;
    collectControls(area.gobj(), true, "", expected);
    std::string faults;
    for (const auto& [widget, place] : expected)
        if (std::find(order.begin(), order.end(), widget) == order.end()) faults += "\n  not reached: " + place;
    // A panel's collapse handle stands beside the whole panel at its edge: it may come
    // first or last.
    const auto besideAll = [](GtkWidget* widget) {
        return gtk_widget_has_css_class(widget, "collapse-handle") || gtk_widget_has_css_class(widget, "side-panel-handle");
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (besideAll(order[i - 1]) || besideAll(order[i])) continue;
        graphene_rect_t before, after;
        if (!gtk_widget_compute_bounds(order[i - 1], area.gobj(), &before) ||
            !gtk_widget_compute_bounds(order[i], area.gobj(), &after))
            continue;
        const bool below = after.origin.y >= before.origin.y + before.size.height - 1;
        const bool sameLine = after.origin.y < before.origin.y + before.size.height &&
                              before.origin.y < after.origin.y + after.size.height;
        if (!below && !(sameLine && after.origin.x > before.origin.x))
            faults += "\n  out of order: " + describe(order[i]) + " after " + describe(order[i - 1]);
    }
    return faults;
}

// The whole main window over the real state, as the application builds it.
class AccessibilityTest : public StateFixture {
protected:
    AccessibilityTest() {
        window.set_default_size(1400, 860);
        window.present();
        waitUntilStill();
    }
    // Lets animations end and the new views take their place before they are walked: the
    // column widths jump to their ends, the rest run out, and a frame is laid out after that.
    void waitUntilStill(Gtk::Widget& shown) {
        window.contentView().finishAnimations();
        EXPECT_TRUE(eventually([&] { return !stillMoving(shown); })) << "an animation never ended";
        EXPECT_TRUE(framePainted(shown));
    }
    void waitUntilStill() { waitUntilStill(window); }
    // In each state a user can reach, Tab goes through the detail column and the tab bar in
    // reading order, and nothing on screen is nameless in either language.
    void expectAccessible(const std::string& state, bool checkTabOrder = true) {
        waitUntilStill();
        if (checkTabOrder) {
            EXPECT_EQ(tabOrderFaults(window.contentView().detailColumn()), "") << state << ", detail column";
            EXPECT_EQ(tabOrderFaults(window.contentView().tabBar()), "") << state << ", tab bar";
        }
        for (AppLanguage language : {AppLanguage::en, AppLanguage::zhCN}) {
            localization.setCurrentLanguage(language);
            EXPECT_EQ(unnamedControls(window), "") << state << " in " << chooserName(language);
        }
    }
    void pressEscape() {
        EXPECT_TRUE(pressKeysAndWait(GTK_WINDOW(window.gobj()), "Escape"));
        waitUntilStill();
    }
    void openPanel(DetailPanelType type) {
        state.setDetailPanelType(type);
        state.setShowDetailPanel(true);
    }

    MainWindow window{context, Gio::Menu::create()};
};

// One walk through every state a user can reach, in one child process with the test backend.
TEST_F(AccessibilityTest, TabReachesEveryControlInReadingOrderEscapeClosesAndEveryControlIsNamed) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    expectAccessible("detail panel closed");
    pasteboard.copy("copied text");
    clipboard.checkPasteboard();
    for (auto type : {DetailPanelType::settings, DetailPanelType::clipboard, DetailPanelType::customTags}) {
        openPanel(type);
        expectAccessible("panel " + std::to_string(static_cast<int>(type)));
        gtk_widget_child_focus(window.contentView().detailColumn().gobj(), GTK_DIR_TAB_FORWARD);
        pressEscape();
        EXPECT_FALSE(state.showDetailPanel()) << "Escape closes panel " << static_cast<int>(type);
    }

    openPanel(DetailPanelType::customTags);
    auto& tags = window.customTagsPanel();
    click(tags.addButton());
    expectAccessible("add form");
    tags.addForm().focusFirstField();
    pressEscape();
    EXPECT_FALSE(tags.isAddFormOpen());
    EXPECT_TRUE(state.showDetailPanel()) << "the form closes first, the panel stays";
    click(tags.row(0).editButton());
    expectAccessible("edit card");
    tags.editCard().focusFirstField();
    pressEscape();
    EXPECT_FALSE(tags.isEditCardOpen());
    click(tags.row(0).deleteButton());
    expectAccessible("delete card");
    tags.deleteCard().cancelButton().grab_focus();
    pressEscape();
    EXPECT_FALSE(tags.isDeleteCardOpen());

    state.setShowDetailPanel(false);
    window.findInPage();
    expectAccessible("find bar");
    state.toggleSplit();
    expectAccessible("split mode");
    state.toggleSplit();
    state.setShowSidebar(false);
    expectAccessible("tab bar collapsed");

    SettingsWindow settingsWindow(context);
    settingsWindow.present();
    // Each page as its switcher shows it.
    auto* stack = ADW_VIEW_STACK(widgetsOfType(settingsWindow, ADW_TYPE_VIEW_STACK).at(0));
    GListModel* pages = G_LIST_MODEL(adw_view_stack_get_pages(stack));
    for (AppLanguage language : {AppLanguage::en, AppLanguage::zhCN}) {
        localization.setCurrentLanguage(language);
        for (guint page = 0; page < g_list_model_get_n_items(pages); ++page) {
            auto* stackPage = ADW_VIEW_STACK_PAGE(g_list_model_get_item(pages, page));
            adw_view_stack_set_visible_child(stack, adw_view_stack_page_get_child(stackPage));
            g_object_unref(stackPage);
            waitUntilStill(settingsWindow);
            EXPECT_EQ(unnamedControls(settingsWindow), "") << "settings window page " << page << " in " << chooserName(language);
        }
    }
    g_object_unref(pages);

    // The walk itself finds a button without a name.
    openPanel(DetailPanelType::settings);
    waitUntilStill();
    gtk_accessible_reset_property(GTK_ACCESSIBLE(widgetWithClass(widgetWithClass(window, "detail-panel"), "collapse-handle").gobj()),
                                  GTK_ACCESSIBLE_PROPERTY_LABEL);
    EXPECT_NE(unnamedControls(window).find("GtkButton"), std::string::npos);
}

}  // namespace
