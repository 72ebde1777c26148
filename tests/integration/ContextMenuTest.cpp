#include "integration/WebFixture.hpp"
#include "integration/X11Window.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// Every label of a menu model, sections and submenus included.
void collectLabels(GMenuModel* model, std::vector<std::string>& out) {
    for (int i = 0; i < g_menu_model_get_n_items(model); ++i) {
        char* label = nullptr;
        if (g_menu_model_get_item_attribute(model, i, G_MENU_ATTRIBUTE_LABEL, "s", &label)) {
            out.emplace_back(label);
            g_free(label);
        }
        for (const char* link : {G_MENU_LINK_SECTION, G_MENU_LINK_SUBMENU})
            if (GMenuModel* inner = g_menu_model_get_item_link(model, i, link)) {
                collectLabels(inner, out);
                g_object_unref(inner);
            }
    }
}

GtkWidget* findPopoverMenu(GtkWidget* widget) {
    if (GTK_IS_POPOVER_MENU(widget)) return widget;
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
        if (GtkWidget* found = findPopoverMenu(child)) return found;
    return nullptr;
}

class ContextMenuTest : public WebFixture {
protected:
    // Right-clicks the page's link as a user would and reads the menu that opens.
    std::vector<std::string> menuOnLink() {
        server.serve("/links", "<body style='margin:0'><a href='/elsewhere' style='font-size:60px'>a link</a>",
                     "text/html");
        auto* view = store.webView(tab("svc", "/links"), Pane::primary);
        GtkWindow* window = show(view);
        EXPECT_TRUE(loaded("svc"));
        settle();
        commandOutput("xdotool mousemove --window " + x11WindowID(window) + " 40 30 click 3");
        GtkWidget* popover = nullptr;
        eventually([&] { return (popover = findPopoverMenu(GTK_WIDGET(window))) && gtk_widget_get_visible(popover); });
        std::vector<std::string> labels;
        if (popover) {
            collectLabels(gtk_popover_menu_get_menu_model(GTK_POPOVER_MENU(popover)), labels);
            // An open menu holds the pointer: let it go for the tests that follow.
            gtk_popover_popdown(GTK_POPOVER(popover));
            eventually([&] { return !gtk_widget_get_visible(popover); });
        }
        return labels;
    }
    bool contains(const std::vector<std::string>& labels, const std::string& label) {
        return std::find(labels.begin(), labels.end(), label) != labels.end();
    }
};

TEST_F(ContextMenuTest, LinkItemsAreTitledInSimplifiedChinese) {
    localization.setCurrentLanguage(AppLanguage::zhCN);
    const auto labels = menuOnLink();
    ASSERT_FALSE(labels.empty()) << "no context menu opened";
    for (const char* title : {"打开链接", "在新窗口中打开链接", "下载链接文件"})
        EXPECT_TRUE(contains(labels, title)) << title << " missing; menu has " << ::testing::PrintToString(labels);
}

TEST_F(ContextMenuTest, EnglishKeepsTheEngineTitles) {
    localization.setCurrentLanguage(AppLanguage::en);
    const auto labels = menuOnLink();
    ASSERT_FALSE(labels.empty()) << "no context menu opened";
    EXPECT_FALSE(contains(labels, "打开链接"));
    EXPECT_FALSE(contains(labels, "打開連結"));
}

}  // namespace
