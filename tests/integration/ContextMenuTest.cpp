#include <algorithm>

#include "integration/WebFixture.hpp"
#include "integration/WidgetChecks.hpp"

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
    // Right-clicks a link on a fresh page as a user would, and reads the menu that opens: a
    // page's second menu would be found behind its first, closed one.
    std::vector<std::string> menuOnLink(AppLanguage language) {
        localization.setCurrentLanguage(language);
        server.serve("/links", "<body style='margin:0'><a href='/elsewhere' style='font-size:60px'>a link</a>",
                     "text/html");
        auto* view = store.page(tab("svc", "/links")).view();
        GtkWindow* window = show(view);
        EXPECT_TRUE(loaded("svc"));
        // The page, laid out at the view's size, has its link where the pointer goes.
        EXPECT_TRUE(eventually([&] {
            return gtk_widget_get_mapped(GTK_WIDGET(view)) && evaluate(view, "document.elementFromPoint(40, 30)?.tagName") == "A";
        }));
        clickWithPointer(*Glib::wrap(GTK_WIDGET(view)), 40, 30, 3);
        GtkWidget* popover = nullptr;
        eventually([&] { return (popover = findPopoverMenu(GTK_WIDGET(window))) && gtk_widget_get_visible(popover); });
        std::vector<std::string> labels;
        if (popover) {
            collectLabels(gtk_popover_menu_get_menu_model(GTK_POPOVER_MENU(popover)), labels);
            // An open menu holds the pointer: let it go for the tests that follow.
            gtk_popover_popdown(GTK_POPOVER(popover));
            eventually([&] { return !gtk_widget_get_visible(popover); });
        }
        EXPECT_FALSE(labels.empty()) << "no context menu opened";
        return labels;
    }
};

TEST_F(ContextMenuTest, LinkItemsAreTitledInSimplifiedChinese) {
    const auto labels = menuOnLink(AppLanguage::zhCN);
    for (const char* title : {"打开链接", "在新窗口中打开链接", "下载链接文件"})
        EXPECT_NE(std::ranges::find(labels, title), labels.end())
            << title << " missing from " << ::testing::PrintToString(labels);
}

TEST_F(ContextMenuTest, EnglishKeepsTheEngineTitles) {
    const auto labels = menuOnLink(AppLanguage::en);
    EXPECT_EQ(std::ranges::find_first_of(labels, std::vector<std::string>{"打开链接", "打開連結"}), labels.end());
}

}  // namespace
