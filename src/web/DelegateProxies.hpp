#pragma once
#include <memory>

#include <webkit/webkit.h>

namespace corvina {

class WebViewStore;

// Forwards one web view's navigation events, failed loads, the end of its web process and
// its response decisions to the store, which
// it holds weakly: a late callback after the store is gone is dropped.
class WeakNavigationDelegateProxy {
public:
    WeakNavigationDelegateProxy(WebKitWebView* view, std::weak_ptr<WebViewStore*> store);
    ~WeakNavigationDelegateProxy();
    WeakNavigationDelegateProxy(const WeakNavigationDelegateProxy&) = delete;
    WeakNavigationDelegateProxy& operator=(const WeakNavigationDelegateProxy&) = delete;

    // Stops forwarding (the view's delegate is cleared).
    void detach();

private:
    static void onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
    static gboolean onDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static gboolean onLoadFailed(WebKitWebView* view, WebKitLoadEvent event, char* failingURI, GError* error,
                                 gpointer self);
    static void onTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason, gpointer self);
    WebViewStore* store() const;

    WebKitWebView* view_;
    std::weak_ptr<WebViewStore*> store_;
    gulong loadHandler_ = 0;
    gulong policyHandler_ = 0;
    gulong failedHandler_ = 0;
    gulong terminatedHandler_ = 0;
};

// Forwards the page's upload file chooser, its closing, its leave prompt, its permission
// requests, notifications and new windows to the store, held weakly. Other script dialogs
// and authentication keep the engine's own behaviour.
class WeakUIDelegateProxy {
public:
    WeakUIDelegateProxy(WebKitWebView* view, std::weak_ptr<WebViewStore*> store);
    ~WeakUIDelegateProxy();
    WeakUIDelegateProxy(const WeakUIDelegateProxy&) = delete;
    WeakUIDelegateProxy& operator=(const WeakUIDelegateProxy&) = delete;

    void detach();

private:
    static gboolean onRunFileChooser(WebKitWebView* view, WebKitFileChooserRequest* request, gpointer self);
    static GtkWidget* onCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer self);
    static void onClose(WebKitWebView* view, gpointer self);
    static gboolean onScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, gpointer self);
    static gboolean onPermission(WebKitWebView* view, WebKitPermissionRequest* request, gpointer self);
    static gboolean onNotification(WebKitWebView* view, WebKitNotification* notification, gpointer self);
    WebViewStore* store() const;

    WebKitWebView* view_;
    std::weak_ptr<WebViewStore*> store_;
    gulong chooserHandler_ = 0;
    gulong createHandler_ = 0;
    gulong closeHandler_ = 0;
    gulong dialogHandler_ = 0;
    gulong permissionHandler_ = 0;
    gulong notificationHandler_ = 0;
};

}  // namespace corvina
