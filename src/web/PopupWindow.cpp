#include "web/PopupWindow.hpp"

namespace corvina {

PopupWindow::PopupWindow(WebKitWebView* opener, std::function<void(PopupWindow*)> closed)
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
    g_signal_connect(view_, "ready-to-show", G_CALLBACK(+[](WebKitWebView*, gpointer self) {
                         static_cast<PopupWindow*>(self)->readyToShow();
                     }),
                     this);
    g_signal_connect(view_, "close", G_CALLBACK(+[](WebKitWebView*, gpointer self) {
                         auto* popup = static_cast<PopupWindow*>(self);
                         popup->closed_(popup);
                     }),
                     this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(+[](GObject* view, GParamSpec*, gpointer self) {
                         const char* title = webkit_web_view_get_title(WEBKIT_WEB_VIEW(view));
                         static_cast<PopupWindow*>(self)->set_title(title ? title : "");
                     }),
                     this);
    // Pop-ups of pop-ups get no window.
    g_signal_connect(view_, "create", G_CALLBACK(+[](WebKitWebView*, WebKitNavigationAction*, gpointer) -> GtkWidget* {
                         return nullptr;
                     }),
                     nullptr);
    signal_close_request().connect(
        [this] {
            closed_(this);
            return true;
        },
        false);
}

PopupWindow::~PopupWindow() {
    g_signal_handlers_disconnect_by_data(view_, this);
    gtk_window_set_child(gobj(), nullptr);
    g_object_unref(view_);
}

// The page's own size when it asked for one.
void PopupWindow::readyToShow() {
    GdkRectangle geometry{};
    webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view_), &geometry);
    if (geometry.width > 0 && geometry.height > 0) set_default_size(geometry.width, geometry.height);
    present();
}

}  // namespace corvina
