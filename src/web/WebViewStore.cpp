#include "web/WebViewStore.hpp"

#include <sys/stat.h>

#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "platform/NetworkWatch.hpp"
#include "web/DelegateProxies.hpp"
#include "web/downloads/DownloadObserver.hpp"
#include "web/downloads/DownloadSettings.hpp"
#include "web/page/DragSupportingWebView.hpp"
#include "web/page/LeaveQuestion.hpp"
#include "web/page/ResponsePolicy.hpp"
#include "web/page/WebKeys.hpp"

namespace corvina {

namespace {

std::string privateFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    ::chmod(folder.c_str(), 0700);
    return folder.string();
}

}  // namespace

WebViewStore::WebViewStore(MainQueue& queue, LocalizationManager& localization, DownloadSettings& downloads,
                           const Published<std::vector<CustomTab>>& customTabs, const AppSettings& settings, Folders folders,
                           DrawingMode drawing, Desktop desktop)
    : queue_(queue), localization_(localization), downloads_(downloads), customTabs_(customTabs),
      zoom_(settings.pageZoom()), network_(desktop.network), drawing_(drawing), permissionFile_(folders.data / "site-permissions.json"),
      sitePermissions_(permissionFile_), permissions_(sitePermissions_), notifications_(desktop.notifier),
      newWindows_(queue, settings.newWindowTarget(), desktop.launcher, std::move(desktop.makePopup)) {
    session_ = webkit_network_session_new(privateFolder(folders.data).c_str(), privateFolder(folders.cache).c_str());
    webkit_cookie_manager_set_persistent_storage(webkit_network_session_get_cookie_manager(session_),
                                                 (folders.data / "cookies.sqlite").c_str(),
                                                 WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    // Every download of every page reaches the store, also those the engine starts itself.
    downloadStartedHandler_ = g_signal_connect(
        session_, "download-started", G_CALLBACK(+[](WebKitNetworkSession*, WebKitDownload* download, gpointer self) {
            static_cast<WebViewStore*>(self)->downloadStarted(download);
        }),
        this);
    // New web processes start with the user's notification answers, so pages that only
    // look at the permission see it too.
    notificationPermissionsHandler_ = g_signal_connect(
        webkit_web_context_get_default(), "initialize-notification-permissions",
        G_CALLBACK(+[](WebKitWebContext* context, gpointer self) {
            static_cast<WebViewStore*>(self)->permissions_.initializeNotificationPermissions(context);
        }),
        this);
    zoomWatch_ = zoom_.levels().observe([this] {
        for (const auto& [key, view] : webViews_)
            webkit_web_view_set_zoom_level(view->view(), zoom_.level(placeOfKey(key).first));
    });
}

WebViewStore::~WebViewStore() {
    // Whatever the teardown sets off in the engine (downloads it drops, pages it closes)
    // finds the store gone.
    alive_.reset();
    for (auto& [key, view] : webViews_) webkit_web_view_stop_loading(view->view());
    navDelegateProxies_.clear();
    uiDelegateProxies_.clear();
    webViews_.clear();
    g_signal_handler_disconnect(session_, downloadStartedHandler_);
    g_signal_handler_disconnect(webkit_web_context_get_default(), notificationPermissionsHandler_);
    g_object_unref(session_);
}

WebKitWebView* WebViewStore::webView(const AITab& tab, Pane pane) {
    const auto key = storageKey(tab.id, pane);
    if (auto it = webViews_.find(key); it != webViews_.end()) return it->second->view();

    std::weak_ptr<WebViewStore*> weak = alive_;
    auto webView = std::make_unique<DragSupportingWebView>(
        session_, defaultUserAgent,
        [weak] {
            if (auto alive = weak.lock()) (*alive)->flashFileDropTip();
        },
        [this] { return localization_.language(); });
    WebKitWebView* view = webView->view();
    if (drawing_ == DrawingMode::cpu)
        webkit_settings_set_hardware_acceleration_policy(webkit_web_view_get_settings(view),
                                                         WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    webkit_web_view_set_zoom_level(view, zoom_.level(tab.id));
    LeaveQuestion::watchUse(view);
    // Voice input: the page may ask for the microphone (and is asked about it in its pane).
    webkit_settings_set_enable_media_stream(webkit_web_view_get_settings(view), TRUE);
    navDelegateProxies_[key] = std::make_unique<WeakNavigationDelegateProxy>(view, weak);
    uiDelegateProxies_[key] = std::make_unique<WeakUIDelegateProxy>(view, weak);
    webViews_[key] = std::move(webView);
    bool started = true;
    if (auto asleep = sleeping_.extract(key)) {
        startLoad(key, asleep.mapped());
        republishSleeping();
    } else {
        started = startAtStartAddress(key, tab.url);
    }

    auto loading = isLoading_.get();
    loading[key] = started;
    isLoading_.set(std::move(loading));
    return view;
}

WebKitWebView* WebViewStore::existingWebView(const std::string& tabID, Pane pane) const {
    auto it = webViews_.find(storageKey(tabID, pane));
    return it == webViews_.end() ? nullptr : it->second->view();
}

// The engine has no per-request time limit: stop a start load that has not committed in time.
void WebViewStore::startLoad(const std::string& key, const std::string& url) {
    WebKitWebView* view = webViews_.at(key)->view();
    webkit_web_view_load_uri(view, url.c_str());
    std::weak_ptr<WebViewStore*> weak = alive_;
    startingLoads_[key] = StartingLoad{url, queue_.after(startLoadTimeout, [weak, key] {
        auto alive = weak.lock();
        if (!alive) return;
        auto* store = *alive;
        if (auto it = store->webViews_.find(key); it != store->webViews_.end()) {
            const std::string address = store->addressOf(key, it->second->view());
            webkit_web_view_stop_loading(it->second->view());
            store->setUnreachable(key, TroubleReason::timedOut, address);
        }
        store->startingLoads_.erase(key);
    })};
}

// A stored tag may hold any address; only web addresses are opened.
bool WebViewStore::startAtStartAddress(const std::string& key, const std::string& url) {
    if (!isOpenableTagAddress(url)) {
        setTrouble(key, PageTrouble{TroubleReason::addressNotAllowed, url});
        return false;
    }
    startLoad(key, url);
    return true;
}

void WebViewStore::didCommitLoad(WebKitWebView* view) {
    const auto* key = keyOf(view);
    if (!key) return;
    const auto start = startingLoads_.extract(*key);
    // An address the engine will not load (a blocked port) commits as a blank page, with no failure.
    const char* committed = webkit_web_view_get_uri(view);
    if (start && committed && std::string_view(committed) == "about:blank" && start.mapped().address != committed) {
        const std::string& address = start.mapped().address;
        setTrouble(*key, PageTrouble{refusedAddressReason(address), address});
        return;
    }
    retriedUnreachable_.erase(*key);
    setTrouble(*key, std::nullopt);
}

bool WebViewStore::isTabLoading(const std::string& tabID, Pane pane) const {
    const auto& loading = isLoading_.get();
    auto it = loading.find(storageKey(tabID, pane));
    return it != loading.end() && it->second;
}

void WebViewStore::removeWebView(const std::string& tabID, Pane pane) {
    const auto key = storageKey(tabID, pane);
    const bool wasAsleep = sleeping_.erase(key) > 0;
    dropWebView(key);
    if (wasAsleep) republishSleeping();
}

void WebViewStore::dropWebView(const std::string& key) {
    closing_.erase(key);
    permissions_.forget(key);
    notifications_.forget(key);
    newWindows_.closeAll(key);
    retriedUnreachable_.erase(key);
    setTrouble(key, std::nullopt);
    if (auto it = webViews_.find(key); it != webViews_.end()) {
        WebKitWebView* view = it->second->view();
        webkit_web_view_stop_loading(view);
        navDelegateProxies_.at(key)->detach();
        uiDelegateProxies_.at(key)->detach();
        // End the page's web process now: the engine would keep it for reuse, memory and all.
        webkit_web_view_terminate_web_process(view);
        webViews_.erase(it);
    }
    navDelegateProxies_.erase(key);
    uiDelegateProxies_.erase(key);
    startingLoads_.erase(key);
    auto loading = isLoading_.get();
    loading.erase(key);
    isLoading_.set(std::move(loading));
}

// The page is asked first, unhurried. One that objects stays and is asked again next time;
// the others close through the engine, which runs their leave handlers.
void WebViewStore::putToSleep(const std::string& tabID, Pane pane) {
    const auto key = storageKey(tabID, pane);
    auto it = webViews_.find(key);
    if (it == webViews_.end() || !closing_.insert(key).second) return;
    WebKitWebView* view = it->second->view();
    std::weak_ptr<WebViewStore*> weak = alive_;
    LeaveQuestion::ask(view, [weak, key, view](bool objects) {
        auto alive = weak.lock();
        if (!alive) return;
        auto* store = *alive;
        if (!store->stillClosing(key, view)) return;
        if (objects)
            store->closing_.erase(key);
        else
            webkit_web_view_try_close(view);
    });
}

// Woken or dropped meanwhile, the page is no longer the one on its way to sleep.
bool WebViewStore::stillClosing(const std::string& key, WebKitWebView* view) const {
    auto it = webViews_.find(key);
    return closing_.contains(key) && it != webViews_.end() && it->second->view() == view;
}

// Not inside the engine's signal: the view goes once it has returned.
bool WebViewStore::isAsleep(const std::string& tabID, Pane pane) const {
    return sleeping_.contains(storageKey(tabID, pane));
}

void WebViewStore::pageClosed(WebKitWebView* view) {
    const auto* found = keyOf(view);
    if (!found || !closing_.contains(*found)) return;  // a page's own window.close() keeps its service
    std::weak_ptr<WebViewStore*> weak = alive_;
    queue_.post([weak, key = *found, view] {
        auto alive = weak.lock();
        if (!alive) return;
        auto* store = *alive;
        if (!store->stillClosing(key, view)) return;
        store->sleeping_[key] = store->addressOf(key, view);
        store->dropWebView(key);
        store->republishSleeping();
    });
}

bool WebViewStore::runScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog) {
    const auto* key = keyOf(view);
    if (!key || !closing_.contains(*key) ||
        webkit_script_dialog_get_dialog_type(dialog) != WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        return false;
    // It objected after all, between our question and the engine's: the page stays.
    webkit_script_dialog_confirm_set_confirmed(dialog, FALSE);
    closing_.erase(*key);
    return true;
}

std::vector<std::pair<std::string, Pane>> WebViewStore::webViewPlaces() const {
    std::vector<std::pair<std::string, Pane>> places;
    for (const auto& [key, view] : webViews_) places.push_back(placeOfKey(key));
    return places;
}

void WebViewStore::republishSleeping() {
    std::set<std::string> awake, asleep;
    for (const auto& [key, view] : webViews_) awake.insert(placeOfKey(key).first);
    for (const auto& [key, address] : sleeping_)
        if (const auto tabID = placeOfKey(key).first; !awake.contains(tabID)) asleep.insert(tabID);
    sleepingTabIDs_.set(std::move(asleep));
}

void WebViewStore::goBack(const std::string& tabID, Pane pane) {
    if (auto* view = existingWebView(tabID, pane)) webkit_web_view_go_back(view);
}

void WebViewStore::goForward(const std::string& tabID, Pane pane) {
    if (auto* view = existingWebView(tabID, pane)) webkit_web_view_go_forward(view);
}

void WebViewStore::reload(const std::string& tabID, Pane pane) {
    if (auto* view = existingWebView(tabID, pane)) webkit_web_view_reload(view);
}

void WebViewStore::reloadStartPage(const std::string& tabID, Pane pane) {
    if (existingWebView(tabID, pane)) startAtStartAddress(storageKey(tabID, pane), startURL(tabID));
}

std::string WebViewStore::startURL(const std::string& tabID) const {
    return corvina::startURL(tabID, customTabs_.get());
}

void WebViewStore::clearCache(std::function<void()> done) {
    auto* manager = webkit_network_session_get_website_data_manager(session_);
    auto types = static_cast<WebKitWebsiteDataTypes>(WEBKIT_WEBSITE_DATA_DISK_CACHE | WEBKIT_WEBSITE_DATA_MEMORY_CACHE |
                                                     WEBKIT_WEBSITE_DATA_DOM_CACHE);
    auto* callback = new std::function<void()>(std::move(done));
    webkit_website_data_manager_clear(
        manager, types, 0, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void()>> done(static_cast<std::function<void()>*>(data));
            webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr);
            if (*done) (*done)();
        },
        callback);
}

const std::string* WebViewStore::keyOf(WebKitWebView* view) const {
    for (const auto& [key, webView] : webViews_)
        if (webView->view() == view) return &key;
    return nullptr;
}

std::optional<PageTrouble> WebViewStore::trouble(const std::string& tabID, Pane pane) const {
    const auto& troubles = troubles_.get();
    auto it = troubles.find(storageKey(tabID, pane));
    return it == troubles.end() ? std::nullopt : std::optional(it->second);
}

std::string WebViewStore::addressOf(const std::string& key, WebKitWebView* view) const {
    const char* uri = webkit_web_view_get_uri(view);
    return uri && *uri ? uri : startURL(placeOfKey(key).first);
}

void WebViewStore::setTrouble(const std::string& key, std::optional<PageTrouble> trouble) {
    if (!trouble && !troubles_.get().contains(key)) return;
    auto troubles = troubles_.get();
    if (trouble)
        troubles[key] = std::move(*trouble);
    else
        troubles.erase(key);
    troubles_.set(std::move(troubles));
}

void WebViewStore::setUnreachable(const std::string& key, TroubleReason reason, std::string address) {
    setTrouble(key, PageTrouble{unreachableReason(reason, network_.available()), std::move(address)});
}

void WebViewStore::recover(const std::string& tabID, Pane pane) {
    const auto key = storageKey(tabID, pane);
    const auto found = troubles_.get().find(key);
    if (found == troubles_.get().end() || !webViews_.contains(key) ||
        found->second.reason == TroubleReason::addressNotAllowed)
        return;
    const std::string address = found->second.address;
    setTrouble(key, std::nullopt);
    startLoad(key, address);
}

void WebViewStore::retryUnreachablePages() {
    for (const auto& [key, trouble] : troubles_.get()) {
        if (trouble.isCrash() || trouble.reason == TroubleReason::addressNotAllowed ||
            !retriedUnreachable_.insert(key).second)
            continue;
        // The trouble stays until the page commits: a second failure keeps the error page.
        startLoad(key, trouble.address);
    }
}

std::string WebViewStore::serviceName(const std::string& tabID) const {
    if (const auto* tab = findBuiltInTab(tabID)) return tab->displayName(localization_.language());
    for (const auto& tag : customTabs_.get())
        if (tag.id == tabID) return tag.name;
    return tabID;
}

// Our own ending of a page (sleep, removal) is no crash. A page ended for its memory use
// comes back once by itself; after that, and after a crash, the user decides.
void WebViewStore::webProcessTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason) {
    const auto* found = keyOf(view);
    if (!found || reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) return;
    const std::string key = *found;
    const std::string address = addressOf(key, view);
    startingLoads_.erase(key);
    permissions_.forget(key);
    notifications_.forget(key);
    auto loading = isLoading_.get();
    loading[key] = false;
    isLoading_.set(std::move(loading));
    const bool memory = reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT;
    if (memory && reloadedAfterMemoryLimit_.insert(key).second) {
        startLoad(key, address);
        return;
    }
    setTrouble(key, PageTrouble{memory ? TroubleReason::outOfMemory : TroubleReason::crashed, address});
}

bool WebViewStore::loadFailed(WebKitWebView* view, const char* failingURI, GError* error) {
    const auto* key = keyOf(view);
    if (!key || !error) return false;
    const auto reason = loadFailureReason(g_quark_to_string(error->domain), error->code);
    if (!reason) return false;
    startingLoads_.erase(*key);
    setUnreachable(*key, *reason, failingURI ? failingURI : startURL(placeOfKey(*key).first));
    return true;  // our error page instead of the engine's
}

bool WebViewStore::permissionRequested(WebKitWebView* view, WebKitPermissionRequest* request) {
    const auto* key = keyOf(view);
    return key && permissions_.request(*key, view, request);
}

bool WebViewStore::showNotification(WebKitWebView* view, WebKitNotification* notification) {
    const auto* key = keyOf(view);
    if (!key) return false;
    const auto [tabID, pane] = placeOfKey(*key);
    notifications_.show(*key, serviceName(tabID), notification, pageInView_(tabID, pane));
    return true;
}

std::optional<std::pair<std::string, Pane>> WebViewStore::activateNotification(const std::string& id) {
    const auto key = notifications_.activate(id);
    if (!key || !webViews_.contains(*key)) return std::nullopt;
    return placeOfKey(*key);
}

GtkWidget* WebViewStore::createPage(WebKitWebView* view, WebKitNavigationAction* action) {
    const auto* key = keyOf(view);
    if (!key) return nullptr;
    WebKitWebView* page = newWindows_.request(*key, view, action);
    return page ? GTK_WIDGET(page) : nullptr;
}

void WebViewStore::setLoading(WebKitWebView* view, bool loading) {
    const auto* key = keyOf(view);
    if (!key) return;
    std::weak_ptr<WebViewStore*> weak = alive_;
    queue_.post([weak, key = *key, loading] {
        auto alive = weak.lock();
        if (!alive) return;
        auto flags = (*alive)->isLoading_.get();
        flags[key] = loading;
        (*alive)->isLoading_.set(std::move(flags));
    });
}

bool WebViewStore::decideResponsePolicy(WebKitResponsePolicyDecision* decision) {
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
    std::optional<std::string> disposition;
    if (SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response)) {
        const char* value = soup_message_headers_get_one(headers, "Content-Disposition");
        disposition = value ? value : "";
    }
    const char* mime = webkit_uri_response_get_mime_type(response);
    const bool mainFrame = webkit_response_policy_decision_is_main_frame_main_resource(decision);
    if (decideResponse(disposition, mime ? mime : "", mainFrame) == ResponseDecision::download)
        webkit_policy_decision_download(WEBKIT_POLICY_DECISION(decision));
    else
        webkit_policy_decision_use(WEBKIT_POLICY_DECISION(decision));
    return true;
}

// The page's upload button: a native chooser, modal to our window, with multiple
// selection exactly when the page asks for it. The page's accept list is not applied.
bool WebViewStore::runFileChooser(WebKitWebView* view, WebKitFileChooserRequest* request) {
    auto* root = gtk_widget_get_root(GTK_WIDGET(view));
    GtkFileChooserNative* chooser = gtk_file_chooser_native_new(
        nullptr, GTK_IS_WINDOW(root) ? GTK_WINDOW(root) : nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr);
    gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(chooser), webkit_file_chooser_request_get_select_multiple(request));
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
    g_object_ref(request);
    g_signal_connect(chooser, "response", G_CALLBACK(+[](GtkNativeDialog* dialog, int response, gpointer data) {
                         auto* request = static_cast<WebKitFileChooserRequest*>(data);
                         GListModel* files = gtk_file_chooser_get_files(GTK_FILE_CHOOSER(dialog));
                         std::vector<std::string> paths;
                         for (guint i = 0; response == GTK_RESPONSE_ACCEPT && i < g_list_model_get_n_items(files); ++i) {
                             GFile* file = G_FILE(g_list_model_get_item(files, i));
                             if (char* path = g_file_get_path(file)) {
                                 paths.emplace_back(path);
                                 g_free(path);
                             }
                             g_object_unref(file);
                         }
                         g_object_unref(files);
                         if (paths.empty()) {
                             webkit_file_chooser_request_cancel(request);
                         } else {
                             std::vector<const char*> list;
                             for (const auto& p : paths) list.push_back(p.c_str());
                             list.push_back(nullptr);
                             webkit_file_chooser_request_select_files(request, list.data());
                         }
                         g_object_unref(request);
                         gtk_native_dialog_destroy(dialog);
                         g_object_unref(dialog);
                     }),
                     request);
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
    return true;
}

void WebViewStore::downloadStarted(WebKitDownload* download) {
    DownloadObserver::attach(download, alive_);
}

// The language is the one of the moment the download ended.
void WebViewStore::reportDownloadFinished() {
    std::weak_ptr<WebViewStore*> weak = alive_;
    queue_.post([weak, language = localization_.language()] {
        if (auto alive = weak.lock()) (*alive)->downloadReports_.finished(language);
    });
}

void WebViewStore::reportDownloadFailed(const std::optional<std::string>& reason) {
    std::weak_ptr<WebViewStore*> weak = alive_;
    const auto language = localization_.language();
    queue_.post([weak, language, reason = reason.value_or(downloadInterruptedText.in(language))] {
        if (auto alive = weak.lock()) (*alive)->downloadReports_.failed(language, reason);
    });
}

void WebViewStore::dismissDownloadToast() { downloadReports_.dismiss(); }

void WebViewStore::flashFileDropTip() {
    std::weak_ptr<WebViewStore*> weak = alive_;
    queue_.post([weak] {
        if (auto alive = weak.lock()) (*alive)->showOverlay((*alive)->showFileDropTip_, (*alive)->fileDropTipHideTask_);
    });
}

// A newer request replaces the pending hide, so it always stays a full three seconds.
void WebViewStore::showOverlay(Published<bool>& shown, TimerHandle& hideTask) {
    shown.set(true);
    hideTask = queue_.after(overlayHideDelay, [this, &shown] { hideOverlay(shown); });
}

void WebViewStore::hideOverlay(Published<bool>& shown) { shown.set(false); }

}  // namespace corvina
