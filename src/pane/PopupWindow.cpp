#include "pane/PopupWindow.hpp"

namespace corvina {

PopupWindow::PopupWindow(WebKitWebView* opener, std::function<void(PopupHost*)> closed)
    : view_(WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", opener, "settings",
                                         webkit_web_view_get_settings(opener), nullptr))),
      closed_(std::move(closed)) {
    g_object_ref_sink(view_);
    add_css_class("popup-window");
    set_default_size(defaultWidth, defaultHeight);
    if (auto* root = gtk_widget_get_root(GTK_WIDGET(opener)); root && GTK_IS_WINDOW(root)) {
        gtk_window_set_transient_for(gobj(), GTK_WINDOW(root));
        gtk_window_set_destroy_with_parent(gobj(), TRUE);
    }
    gtk_window_set_child(gobj(), GTK_WIDGET(view_));
    readyToShow_ = SignalConnection(view_, "ready-to-show", +[](WebKitWebView*, gpointer self) {
        static_cast<PopupWindow*>(self)->readyToShow();
    }, this);
    pageClosed_ = SignalConnection(view_, "close", +[](WebKitWebView*, gpointer self) {
        auto* popup = static_cast<PopupWindow*>(self);
        popup->closed_(popup);
    }, this);
    titleChanged_ = SignalConnection(view_, "notify::title", +[](GObject* view, GParamSpec*, gpointer self) {
        const char* title = webkit_web_view_get_title(WEBKIT_WEB_VIEW(view));
        static_cast<PopupWindow*>(self)->set_title(title ? title : "");
    }, this);
    // Pop-ups of pop-ups get no window.
    create_ = SignalConnection(view_, "create", +[](WebKitWebView*, WebKitNavigationAction*, gpointer) -> GtkWidget* {
        return nullptr;
    }, nullptr);
    signal_close_request().connect(
        [this] {
            closed_(this);
            return true;
        },
        false);
}

PopupWindow::~PopupWindow() {
    readyToShow_.disconnect();
    pageClosed_.disconnect();
    titleChanged_.disconnect();
    create_.disconnect();
    gtk_window_set_child(gobj(), nullptr);
    g_object_unref(view_);
}

PopupMaker PopupWindow::maker() {
    return [](WebKitWebView* opener, std::function<void(PopupHost*)> closed) -> std::unique_ptr<PopupHost> {
        return std::make_unique<PopupWindow>(opener, std::move(closed));
    };
}

// The page's own size when it asked for one.
void PopupWindow::readyToShow() {
    GdkRectangle geometry{};
    webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view_), &geometry);
    if (geometry.width > 0 && geometry.height > 0) set_default_size(geometry.width, geometry.height);
    present();
}

}  // namespace corvina
