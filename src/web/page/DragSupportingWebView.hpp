#pragma once
#include <functional>

#include <webkit/webkit.h>

#include "app/AppLanguage.hpp"
#include "platform/SignalConnection.hpp"

namespace corvina {

// A web view that keeps dropped files from the page (pages take uploads through their own
// buttons; the user is told so) and titles the page's context menu in Chinese when the
// interface is in Chinese. Links and text dropped on the page still reach it.
class DragSupportingWebView {
public:
    // `onFileDrop` runs for every swallowed file drop; `language` is asked at menu time.
    DragSupportingWebView(WebKitNetworkSession* session, const char* userAgent, std::function<void()> onFileDrop,
                          std::function<AppLanguage()> language);
    ~DragSupportingWebView();
    DragSupportingWebView(const DragSupportingWebView&) = delete;
    DragSupportingWebView& operator=(const DragSupportingWebView&) = delete;

    WebKitWebView* view() const { return view_; }

    // Retitles every item the table knows, submenus included; keeps actions and order.
    static void localizeMenu(WebKitContextMenu* menu, AppLanguage language);

private:
    static gboolean onDrop(GtkDropTarget* target, const GValue* value, double x, double y, gpointer self);
    static gboolean onContextMenu(WebKitWebView* view, WebKitContextMenu* menu, WebKitHitTestResult* hit,
                                  gpointer self);

    WebKitWebView* view_;
    GtkDropTarget* fileDrop_;
    std::function<void()> onFileDrop_;
    std::function<AppLanguage()> language_;
    SignalConnection drop_;
    SignalConnection menu_;
};

}  // namespace corvina
