#include "integration/StateFixture.hpp"

namespace corvina::testing {

StateFixture::StateFixture() {
    hideBuiltInServices();
    for (const char* name : {"one", "two", "three"}) {
        server.server.Get(std::string("/") + name, [this, name](const httplib::Request&, httplib::Response& res) {
            ++hits[name];
            res.set_content(std::string("<title>") + name + "</title><a id=next href='/next'>next</a>", "text/html");
        });
        customTabs.add(CustomTab{tagID(name), name, server.url(std::string("/") + name), {}, 0});
    }
    server.serve("/next", "<title>next</title>", "text/html");
    state.selectFirstVisibleTab();
}

// The pages of a pane lie over each other beside its placeholder; the last is drawn on top.
WebKitWebView* StateFixture::shownView(Gtk::Widget& pane) {
    GtkWidget* top = gtk_widget_get_last_child(gtk_widget_get_parent(widgetWithClass(pane, "pane-placeholder").gobj()));
    return WEBKIT_IS_WEB_VIEW(top) && gtk_widget_get_child_visible(top) ? WEBKIT_WEB_VIEW(top) : nullptr;
}

bool StateFixture::spins(Gtk::Widget& pane) {
    return shownOnScreen(*Glib::wrap(widgetsOfType(pane, GTK_TYPE_SPINNER).at(0)));
}

void StateFixture::presentWithCommands(Gtk::Window& window, MenuCommands::WindowHooks hooks, int width, int height) {
    MenuCommands::install(*commands, state, store(), settings.pageZoom(), std::move(hooks));
    window.insert_action_group("app", commands);
    window.set_default_size(width, height);
    window.present();
    EXPECT_TRUE(eventually([&] { return window.get_width() > 0; }));
}

}  // namespace corvina::testing
