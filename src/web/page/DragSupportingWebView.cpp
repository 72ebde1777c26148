#include "web/page/DragSupportingWebView.hpp"

#include "web/page/ContextMenuTitles.hpp"

namespace corvina {

DragSupportingWebView::DragSupportingWebView(WebKitNetworkSession* session, const char* userAgent,
                                             std::function<void()> onFileDrop, std::function<AppLanguage()> language)
    : view_(WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "network-session", session, nullptr))),
      fileDrop_(gtk_drop_target_new(GDK_TYPE_FILE_LIST, GDK_ACTION_COPY)),
      onFileDrop_(std::move(onFileDrop)),
      language_(std::move(language)) {
    // Its page keeps the view alive while panes come and go.
    g_object_ref_sink(view_);
    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    webkit_settings_set_user_agent(settings, userAgent);
    webkit_settings_set_enable_javascript(settings, TRUE);

    // Capture phase: the drop is ours before the page's own drop handling sees it.
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(fileDrop_), GTK_PHASE_CAPTURE);
    drop_ = SignalConnection(fileDrop_, "drop", onDrop, this);
    gtk_widget_add_controller(GTK_WIDGET(view_), GTK_EVENT_CONTROLLER(fileDrop_));

    menu_ = SignalConnection(view_, "context-menu", onContextMenu, this);
}

DragSupportingWebView::~DragSupportingWebView() {
    drop_.disconnect();
    menu_.disconnect();
    if (gtk_widget_get_parent(GTK_WIDGET(view_))) gtk_widget_unparent(GTK_WIDGET(view_));
    g_object_unref(view_);
}

// The user dropped files on the page: take them so the page never gets them, and say how
// to upload instead.
gboolean DragSupportingWebView::onDrop(GtkDropTarget*, const GValue*, double, double, gpointer self) {
    auto* webView = static_cast<DragSupportingWebView*>(self);
    if (webView->onFileDrop_) webView->onFileDrop_();
    return TRUE;
}

gboolean DragSupportingWebView::onContextMenu(WebKitWebView*, WebKitContextMenu* menu, WebKitHitTestResult*,
                                              gpointer self) {
    const auto language = static_cast<DragSupportingWebView*>(self)->language_();
    if (language != AppLanguage::en) localizeMenu(menu, language);
    return FALSE;
}

void DragSupportingWebView::localizeMenu(WebKitContextMenu* menu, AppLanguage language) {
    const guint count = webkit_context_menu_get_n_items(menu);
    for (guint i = 0; i < count; ++i) {
        WebKitContextMenuItem* item = webkit_context_menu_get_item_at_position(menu, i);
        if (WebKitContextMenu* submenu = webkit_context_menu_item_get_submenu(item)) {
            localizeMenu(submenu, language);
            continue;
        }
        const auto action = webkit_context_menu_item_get_stock_action(item);
        const auto title = translatedMenuTitle(static_cast<MenuAction>(action), "", language);
        if (!title || action == WEBKIT_CONTEXT_MENU_ACTION_NO_ACTION || action == WEBKIT_CONTEXT_MENU_ACTION_CUSTOM)
            continue;
        // Items cannot be renamed: put a new one with the same stock action in its place.
        WebKitContextMenuItem* renamed = webkit_context_menu_item_new_from_stock_action_with_label(action, title->c_str());
        webkit_context_menu_remove(menu, item);
        webkit_context_menu_insert(menu, renamed, static_cast<gint>(i));
    }
}

}  // namespace corvina
