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
#include "app/CustomTab.hpp"
#include "app/PageZoom.hpp"
#include "platform/DrawingMode.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"
#include "web/downloads/DownloadNames.hpp"
#include "web/downloads/DownloadReports.hpp"
#include "web/asks/NewWindows.hpp"
#include "web/asks/PageNotifications.hpp"
#include "web/page/PageTrouble.hpp"
#include "web/asks/PermissionRequests.hpp"
#include "web/asks/SitePermissions.hpp"

namespace corvina {

class AppSettings;
class DesktopNotifier;
class NetworkState;
class DownloadSettings;
class UriLauncher;
class DragSupportingWebView;
class LocalizationManager;
class WeakNavigationDelegateProxy;
class WeakUIDelegateProxy;

// The one owner of every web view: one per (tab, pane), created on first request and kept
// for the run, so switching tabs never reloads a page. All web views share one persistent
// network session (logins, cookies, storage). Also owns the download toast and the
// file-drop tip that the panes show, and keeps what goes wrong with a page (its process
// ended, it could not be reached), the pages' permission questions, their notifications
// and their new windows.
class WebViewStore {
public:
    static constexpr Milliseconds overlayHideDelay{3000};
    static constexpr Milliseconds startLoadTimeout{60000};

    struct Folders {
        std::filesystem::path data;
        std::filesystem::path cache;
    };
    // What the pages reach of the desktop.
    struct Desktop {
        UriLauncher& launcher;
        DesktopNotifier& notifier;
        const NetworkState& network;
        PopupMaker makePopup;
    };

    WebViewStore(MainQueue& queue, LocalizationManager& localization, DownloadSettings& downloads,
                 const Published<std::vector<CustomTab>>& customTabs, const AppSettings& settings, Folders folders, DrawingMode drawing,
                 Desktop desktop);
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
    // A download ended: the toast says so in the interface language of this moment.
    void reportDownloadFinished();
    // `reason`: the engine's description; none when the engine gave none.
    void reportDownloadFailed(const std::optional<std::string>& reason);
    void dismissDownloadToast();

    const Published<std::map<std::string, bool>>& isLoading() const { return isLoading_; }
    const Published<bool>& showDownloadToast() const { return downloadReports_.shown(); }
    const Published<std::string>& downloadToastMessage() const { return downloadReports_.message(); }
    const Published<bool>& showFileDropTip() const { return showFileDropTip_; }

    std::size_t webViewCount() const { return webViews_.size(); }

    // Storage key → what went wrong with that page, until it loads again.
    const Published<std::map<std::string, PageTrouble>>& troubles() const { return troubles_; }
    std::optional<PageTrouble> trouble(const std::string& tabID, Pane pane) const;
    // Loads the page's last address again (the user's Reload or Try Again).
    void recover(const std::string& tabID, Pane pane);
    // The network is back: each page that could not be reached tries again, once.
    void retryUnreachablePages();
    std::string serviceName(const std::string& tabID) const;

    PermissionRequests& permissionRequests() { return permissions_; }
    SitePermissions& sitePermissions() { return sitePermissions_; }
    NewWindows& newWindows() { return newWindows_; }
    // Whether the user is looking at this page now; their notifications are not shown then.
    void setPageInView(std::function<bool(const std::string& tabID, Pane pane)> inView) { pageInView_ = std::move(inView); }
    // The user clicked a page's notification: the place of its page, if it is still there.
    std::optional<std::pair<std::string, Pane>> activateNotification(const std::string& id);

    // Called by the delegate proxies.
    void setLoading(WebKitWebView* view, bool loading);
    void didCommitLoad(WebKitWebView* view);
    bool decideResponsePolicy(WebKitResponsePolicyDecision* decision);
    bool runFileChooser(WebKitWebView* view, WebKitFileChooserRequest* request);
    void pageClosed(WebKitWebView* view);
    bool runScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog);
    void webProcessTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason);
    bool loadFailed(WebKitWebView* view, const char* failingURI, GError* error);
    bool permissionRequested(WebKitWebView* view, WebKitPermissionRequest* request);
    bool showNotification(WebKitWebView* view, WebKitNotification* notification);
    GtkWidget* createPage(WebKitWebView* view, WebKitNavigationAction* action);

private:
    using Alive = std::shared_ptr<WebViewStore*>;

    void startLoad(const std::string& key, const std::string& url);
    // Loads a start address, or marks the page with the reason it is not opened.
    bool startAtStartAddress(const std::string& key, const std::string& url);
    void dropWebView(const std::string& key);
    void republishSleeping();
    const std::string* keyOf(WebKitWebView* view) const;
    void showOverlay(Published<bool>& shown, TimerHandle& hideTask);
    void hideOverlay(Published<bool>& shown);
    void downloadStarted(WebKitDownload* download);
    bool stillClosing(const std::string& key, WebKitWebView* view) const;
    // Where the page is now, or its service's start address before it got anywhere.
    std::string addressOf(const std::string& key, WebKitWebView* view) const;
    // Clearing a page without trouble publishes nothing.
    void setTrouble(const std::string& key, std::optional<PageTrouble> trouble);
    // The page could not be reached, for the reason the network state allows.
    void setUnreachable(const std::string& key, TroubleReason reason, std::string address);

    MainQueue& queue_;
    LocalizationManager& localization_;
    DownloadSettings& downloads_;
    // The custom tags, for their start addresses and names.
    const Published<std::vector<CustomTab>>& customTabs_;
    const PageZoom& zoom_;
    const NetworkState& network_;
    DrawingMode drawing_;
    WebKitNetworkSession* session_ = nullptr;
    gulong downloadStartedHandler_ = 0;

    Published<std::map<std::string, bool>> isLoading_;
    Published<bool> showFileDropTip_{false};
    Published<std::set<std::string>> sleepingTabIDs_;
    Published<std::map<std::string, PageTrouble>> troubles_;

    std::map<std::string, std::unique_ptr<DragSupportingWebView>> webViews_;
    std::map<std::string, std::unique_ptr<WeakNavigationDelegateProxy>> navDelegateProxies_;
    std::map<std::string, std::unique_ptr<WeakUIDelegateProxy>> uiDelegateProxies_;
    // Storage key → the address a sleeping page had.
    std::map<std::string, std::string> sleeping_;
    // Pages on their way to sleep, asked whether they would leave or asked to close.
    std::set<std::string> closing_;
    // A start load's address; one that has not committed after a minute is stopped.
    struct StartingLoad {
        std::string address;
        TimerHandle timeout;
    };
    std::map<std::string, StartingLoad> startingLoads_;
    DownloadReports downloadReports_{queue_};
    TimerHandle fileDropTipHideTask_;
    DownloadNameReservations reservations_;
    ScopedConnection zoomWatch_;
    // Pages reloaded once by themselves after the engine ended them for their memory use.
    std::set<std::string> reloadedAfterMemoryLimit_;
    // Unreachable pages that tried again once the network came back.
    std::set<std::string> retriedUnreachable_;
    PreferenceStore permissionFile_;
    SitePermissions sitePermissions_;
    PermissionRequests permissions_;
    PageNotifications notifications_;
    NewWindows newWindows_;
    std::function<bool(const std::string&, Pane)> pageInView_ = [](const std::string&, Pane) { return false; };
    gulong notificationPermissionsHandler_ = 0;

    // Everything engine-side holds this weakly, so no callback outlives the store.
    Alive alive_ = std::make_shared<WebViewStore*>(this);

    friend class DownloadObserver;
};

}  // namespace corvina
