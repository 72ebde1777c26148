#pragma once
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include <webkit/webkit.h>

#include "app/AITab.hpp"
#include "app/CustomTab.hpp"
#include "platform/DrawingMode.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"
#include "platform/SignalConnection.hpp"
#include "web/NetworkSessions.hpp"
#include "web/asks/NewWindows.hpp"
#include "web/asks/PageNotifications.hpp"
#include "web/asks/PermissionRequests.hpp"
#include "web/asks/SitePermissions.hpp"
#include "web/downloads/Downloads.hpp"
#include "web/page/PageKey.hpp"
#include "web/page/ServicePage.hpp"

namespace corvina {

class AppSettings;
class DesktopNotifier;
class DownloadSettings;
class LocalizationManager;
class NetworkState;
class UriLauncher;

// The owner of every page: one per service (and a copy while two panes show it), made on
// first request and kept for the run, so switching never reloads a page. Pages load through their service's network
// session (logins, cookies, storage): the shared one, or a tag's own. A page put to sleep is ended and only its address is kept,
// to be loaded when it is next wanted. Also keeps what pages ask of the user (permissions,
// notifications, new windows) and the session's downloads.
class WebViewStore {
public:
    using Folders = NetworkSessions::Folders;
    // What the pages reach of the desktop.
    struct Desktop {
        UriLauncher& launcher;
        DesktopNotifier& notifier;
        const NetworkState& network;
        PopupMaker makePopup;
    };

    WebViewStore(MainQueue& queue, LocalizationManager& localization, const DownloadSettings& downloadSettings,
                 const Published<std::vector<CustomTab>>& customTabs, const AppSettings& settings, Folders folders,
                 DrawingMode drawing, Desktop desktop);
    ~WebViewStore();
    WebViewStore(const WebViewStore&) = delete;
    WebViewStore& operator=(const WebViewStore&) = delete;

    // That copy of the service's page; made and started on first request, at the address
    // it had when it was put to sleep if it sleeps.
    ServicePage& page(const AITab& service, std::size_t copy = 0);
    // The page if it exists, without making one.
    ServicePage* existingPage(const PageKey& key) const;
    // Every page there is now.
    std::vector<PageKey> pageKeys() const;
    // Pages made, ended or put to sleep.
    sigc::connection observePages(sigc::slot<void()> slot) const { return pagesChanged_.connect(std::move(slot)); }

    void removePage(const PageKey& key);
    // Every page of the service, its copies too.
    void removePages(const std::string& serviceID);
    // Ends the page and its web process and keeps its address, unless the page asks the
    // user before leaving (an unsent message): then it stays as it is.
    void putToSleep(const PageKey& key);
    bool isAsleep(const PageKey& key) const { return sleeping_.contains(key); }
    // Services with a page asleep and none awake.
    const Published<std::set<std::string>>& sleepingTabIDs() const { return sleepingTabIDs_; }

    std::string startURL(const std::string& tabID) const;
    std::string serviceName(const std::string& tabID) const;
    // Drops cached resources; cookies and web storage stay, so logins survive.
    void clearCache(std::function<void()> done = {});
    // The network is back: each page that could not be reached tries again, once.
    void retryUnreachablePages();

    NetworkSessions& sessions() { return sessions_; }
    Downloads& downloads() { return *downloads_; }
    PermissionRequests& permissionRequests() { return permissions_; }
    SitePermissions& sitePermissions() { return sitePermissions_; }
    // Whether the user is looking at this page now; their notifications are not shown then.
    void setPageInView(std::function<bool(const PageKey&)> inView) { pageInView_ = std::move(inView); }
    // The user clicked a page's notification: the page, if it is still there.
    std::optional<PageKey> activateNotification(const std::string& id);

private:
    void wentToSleep(PageKey key, std::string address);
    void republishSleeping();

    LocalizationManager& localization_;
    // The custom tags, for their start addresses and names.
    const Published<std::vector<CustomTab>>& customTabs_;
    PreferenceStore permissionFile_;
    SitePermissions sitePermissions_;
    NetworkSessions sessions_;
    std::unique_ptr<Downloads> downloads_;
    PermissionRequests permissions_;
    PageNotifications notifications_;
    NewWindows newWindows_;
    std::function<bool(const PageKey&)> pageInView_ = [](const PageKey&) { return false; };
    SignalConnection notificationPermissions_;
    Connections sessionWatch_;
    PageSurroundings surroundings_;

    std::unordered_map<PageKey, std::unique_ptr<ServicePage>, PageKeyHash> pages_;
    // The address each sleeping page had.
    std::map<PageKey, std::string> sleeping_;
    Published<std::set<std::string>> sleepingTabIDs_;
    mutable sigc::signal<void()> pagesChanged_;
};

}  // namespace corvina
