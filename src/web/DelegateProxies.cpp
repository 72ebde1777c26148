#include "web/DelegateProxies.hpp"

#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

void disconnect(WebKitWebView* view, gulong& handler) {
    if (handler) g_signal_handler_disconnect(view, handler);
    handler = 0;
}

}  // namespace

WeakNavigationDelegateProxy::WeakNavigationDelegateProxy(WebKitWebView* view, std::weak_ptr<WebViewStore*> store)
    : view_(view), store_(std::move(store)) {
    loadHandler_ = g_signal_connect(view, "load-changed", G_CALLBACK(onLoadChanged), this);
    policyHandler_ = g_signal_connect(view, "decide-policy", G_CALLBACK(onDecidePolicy), this);
    failedHandler_ = g_signal_connect(view, "load-failed", G_CALLBACK(onLoadFailed), this);
    terminatedHandler_ = g_signal_connect(view, "web-process-terminated", G_CALLBACK(onTerminated), this);
}

WeakNavigationDelegateProxy::~WeakNavigationDelegateProxy() { detach(); }

void WeakNavigationDelegateProxy::detach() {
    disconnect(view_, loadHandler_);
    disconnect(view_, policyHandler_);
    disconnect(view_, failedHandler_);
    disconnect(view_, terminatedHandler_);
}

WebViewStore* WeakNavigationDelegateProxy::store() const {
    auto alive = store_.lock();
    return alive ? *alive : nullptr;
}

void WeakNavigationDelegateProxy::onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* store = static_cast<WeakNavigationDelegateProxy*>(self)->store();
    if (!store) return;
    if (event == WEBKIT_LOAD_STARTED) store->setLoading(view, true);
    if (event == WEBKIT_LOAD_COMMITTED) store->didCommitLoad(view);
    if (event == WEBKIT_LOAD_FINISHED) store->setLoading(view, false);
}

// Only responses are ours to decide; every other decision keeps the engine's default.
gboolean WeakNavigationDelegateProxy::onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                                     WebKitPolicyDecisionType type, gpointer self) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
    auto* store = static_cast<WeakNavigationDelegateProxy*>(self)->store();
    return store && store->decideResponsePolicy(WEBKIT_RESPONSE_POLICY_DECISION(decision));
}

gboolean WeakNavigationDelegateProxy::onLoadFailed(WebKitWebView* view, WebKitLoadEvent, char* failingURI,
                                                   GError* error, gpointer self) {
    auto* store = static_cast<WeakNavigationDelegateProxy*>(self)->store();
    return store && store->loadFailed(view, failingURI, error);
}

void WeakNavigationDelegateProxy::onTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                                               gpointer self) {
    if (auto* store = static_cast<WeakNavigationDelegateProxy*>(self)->store()) store->webProcessTerminated(view, reason);
}

WeakUIDelegateProxy::WeakUIDelegateProxy(WebKitWebView* view, std::weak_ptr<WebViewStore*> store)
    : view_(view), store_(std::move(store)) {
    chooserHandler_ = g_signal_connect(view, "run-file-chooser", G_CALLBACK(onRunFileChooser), this);
    createHandler_ = g_signal_connect(view, "create", G_CALLBACK(onCreate), this);
    closeHandler_ = g_signal_connect(view, "close", G_CALLBACK(onClose), this);
    dialogHandler_ = g_signal_connect(view, "script-dialog", G_CALLBACK(onScriptDialog), this);
    permissionHandler_ = g_signal_connect(view, "permission-request", G_CALLBACK(onPermission), this);
    notificationHandler_ = g_signal_connect(view, "show-notification", G_CALLBACK(onNotification), this);
}

WeakUIDelegateProxy::~WeakUIDelegateProxy() { detach(); }

void WeakUIDelegateProxy::detach() {
    disconnect(view_, chooserHandler_);
    disconnect(view_, createHandler_);
    disconnect(view_, closeHandler_);
    disconnect(view_, dialogHandler_);
    disconnect(view_, permissionHandler_);
    disconnect(view_, notificationHandler_);
}

WebViewStore* WeakUIDelegateProxy::store() const {
    auto alive = store_.lock();
    return alive ? *alive : nullptr;
}

gboolean WeakUIDelegateProxy::onRunFileChooser(WebKitWebView* view, WebKitFileChooserRequest* request, gpointer self) {
    auto* store = static_cast<WeakUIDelegateProxy*>(self)->store();
    return store && store->runFileChooser(view, request);
}

void WeakUIDelegateProxy::onClose(WebKitWebView* view, gpointer self) {
    if (auto* store = static_cast<WeakUIDelegateProxy*>(self)->store()) store->pageClosed(view);
}

gboolean WeakUIDelegateProxy::onScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, gpointer self) {
    auto* store = static_cast<WeakUIDelegateProxy*>(self)->store();
    return store && store->runScriptDialog(view, dialog);
}

gboolean WeakUIDelegateProxy::onPermission(WebKitWebView* view, WebKitPermissionRequest* request, gpointer self) {
    auto* store = static_cast<WeakUIDelegateProxy*>(self)->store();
    return store && store->permissionRequested(view, request);
}

gboolean WeakUIDelegateProxy::onNotification(WebKitWebView* view, WebKitNotification* notification, gpointer self) {
    auto* store = static_cast<WeakUIDelegateProxy*>(self)->store();
    return store && store->showNotification(view, notification);
}

GtkWidget* WeakUIDelegateProxy::onCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer self) {
    auto* store = static_cast<WeakUIDelegateProxy*>(self)->store();
    return store ? store->createPage(view, action) : nullptr;
}

}  // namespace corvina
