#pragma once
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <webkit/webkit.h>

#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "app/PageZoom.hpp"
#include "platform/DrawingMode.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "web/DownloadNames.hpp"

namespace corvina {

class CustomTabManager;
class DownloadSettings;
class DragSupportingWebView;
class LocalizationManager;
class WeakNavigationDelegateProxy;
class WeakUIDelegateProxy;

// The one owner of every web view: one per (tab, pane), created on first request and kept
// for the run, so switching tabs never reloads a page. All web views share one persistent
// network session (logins, cookies, storage). Also owns the download toast and the
// file-drop tip that the panes show.
class WebViewStore {
public:
    static constexpr Milliseconds overlayHideDelay{3000};
    static constexpr Milliseconds startLoadTimeout{60000};

    struct Folders {
        std::filesystem::path data;
        std::filesystem::path cache;
    };

    WebViewStore(MainQueue& queue, LocalizationManager& localization, DownloadSettings& downloads,
                 const CustomTabManager& customTabs, const PageZoom& zoom, Folders folders, DrawingMode drawing);
    ~WebViewStore();
    WebViewStore(const WebViewStore&) = delete;
    WebViewStore& operator=(const WebViewStore&) = delete;

    // The web view of this tab in this pane; created and started on first request, at the
    // address it had when it was put to sleep if it sleeps.
    WebKitWebView* webView(const AITab& tab, Pane pane);
    // The web view if it exists, without creating one.
    WebKitWebView* existingWebView(const std::string& tabID, Pane pane) const;
    bool isTabLoading(const std::string& tabID, Pane pane) const;
    void removeWebView(const std::string& tabID, Pane pane);
    // Ends the page and its web process and keeps its address, unless the page asks the
    // user before leaving (an unsent message): then it stays as it is.
    void putToSleep(const std::string& tabID, Pane pane);
    bool isAsleep(const std::string& tabID, Pane pane) const;
    // Services with a page asleep and none awake in either pane.
    const Published<std::set<std::string>>& sleepingTabIDs() const { return sleepingTabIDs_; }
    // Every (tab, pane) that has a web view now.
    std::vector<std::pair<std::string, Pane>> webViewPlaces() const;
    void goBack(const std::string& tabID, Pane pane);
    void goForward(const std::string& tabID, Pane pane);
    // The page as it is now loaded again (the start page is `reloadStartPage`).
    void reload(const std::string& tabID, Pane pane);
    // Loads the tab's start address again: back to the start page, not a reload.
    void reloadStartPage(const std::string& tabID, Pane pane);
    std::string startURL(const std::string& tabID) const;
    // Drops cached resources; cookies and web storage stay, so logins survive.
    void clearCache(std::function<void()> done = {});

    void flashFileDropTip();
    void presentDownloadToast(std::string message);
    void dismissDownloadToast();

    const Published<std::map<std::string, bool>>& isLoading() const { return isLoading_; }
    const Published<bool>& showDownloadToast() const { return showDownloadToast_; }
    const Published<std::string>& downloadToastMessage() const { return downloadToastMessage_; }
    const Published<bool>& showFileDropTip() const { return showFileDropTip_; }

    std::size_t webViewCount() const { return webViews_.size(); }

    // Called by the delegate proxies.
    void setLoading(WebKitWebView* view, bool loading);
    void didCommitLoad(WebKitWebView* view);
    bool decideResponsePolicy(WebKitResponsePolicyDecision* decision);
    bool runFileChooser(WebKitWebView* view, WebKitFileChooserRequest* request);
    void pageClosed(WebKitWebView* view);
    bool runScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog);

private:
    using Alive = std::shared_ptr<WebViewStore*>;

    void startLoad(const std::string& key, const std::string& url);
    void dropWebView(const std::string& key);
    void republishSleeping();
    const std::string* keyOf(WebKitWebView* view) const;
    void showOverlay(Published<bool>& shown, TimerHandle& hideTask);
    void hideOverlay(Published<bool>& shown);
    void downloadStarted(WebKitDownload* download);

    MainQueue& queue_;
    LocalizationManager& localization_;
    DownloadSettings& downloads_;
    const CustomTabManager& customTabs_;
    const PageZoom& zoom_;
    DrawingMode drawing_;
    WebKitNetworkSession* session_ = nullptr;
    gulong downloadStartedHandler_ = 0;

    Published<std::map<std::string, bool>> isLoading_;
    Published<bool> showDownloadToast_{false};
    Published<std::string> downloadToastMessage_;
    Published<bool> showFileDropTip_{false};
    Published<std::set<std::string>> sleepingTabIDs_;

    std::map<std::string, std::unique_ptr<DragSupportingWebView>> webViews_;
    std::map<std::string, std::unique_ptr<WeakNavigationDelegateProxy>> navDelegateProxies_;
    std::map<std::string, std::unique_ptr<WeakUIDelegateProxy>> uiDelegateProxies_;
    // Storage key → the address a sleeping page had.
    std::map<std::string, std::string> sleeping_;
    // Pages asked to close for sleep, whose leave prompt has not answered yet.
    std::set<std::string> closing_;
    // Pages that asked the user before leaving: they stay awake.
    std::set<std::string> asksBeforeLeaving_;
    // A start load that has not committed after a minute is stopped.
    std::map<std::string, TimerHandle> startTimeouts_;
    TimerHandle toastHideTask_;
    TimerHandle fileDropTipHideTask_;
    DownloadNameReservations reservations_;
    ScopedConnection zoomWatch_;

    // Everything engine-side holds this weakly, so no callback outlives the store.
    Alive alive_ = std::make_shared<WebViewStore*>(this);

    friend class DownloadObserver;
};

}  // namespace corvina
