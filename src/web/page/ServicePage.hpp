#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sigc++/sigc++.h>
#include <webkit/webkit.h>

#include "app/AppLanguage.hpp"
#include "app/PageZoom.hpp"
#include "platform/DrawingMode.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "platform/SignalConnection.hpp"
#include "platform/WeakOwner.hpp"
#include "web/page/AnswerWatch.hpp"
#include "web/page/DragSupportingWebView.hpp"
#include "web/page/PageKey.hpp"
#include "web/page/PageTrouble.hpp"
#include "web/page/PromptDeliveries.hpp"

namespace corvina {

class NetworkSessions;
class NetworkState;
class NewWindows;
class PageNotifications;
class PermissionRequests;

// What a page reaches beyond itself; every page of the store gets the same.
struct PageSurroundings {
    MainQueue& queue;
    // A page loads through its service's session, chosen when the page is made.
    NetworkSessions& sessions;
    DrawingMode drawing;
    const PageZoom& zoom;
    // Whether pages in narrow panes are zoomed out to keep their desktop layout.
    const Published<bool>& keepDesktopLayout;
    const NetworkState& network;
    PermissionRequests& permissions;
    PageNotifications& notifications;
    NewWindows& newWindows;
    std::function<AppLanguage()> language;
    std::function<std::string(const std::string& serviceID)> serviceName;
    // Whether the user is looking at this page now; its notifications are not shown then.
    std::function<bool(const PageKey&)> inView;
};

// One service's page in one pane, for the whole run: its web view, the engine's signals
// about it, and what is known of it (loading, what went wrong, whether it is on its way to
// sleep). Views only show its web view; this object owns it.
class ServicePage {
public:
    static constexpr Milliseconds startLoadTimeout{60000};
    static constexpr Milliseconds fileDropTipShownFor{3000};

    // Loads `resumeAt` (where the page was when it went to sleep), else the service's
    // `startAddress` unless it is not a web address: then the page shows why.
    // `wentToSleep` runs on the main queue with the address the page had, once it closed
    // for sleep; the owner then lets it go.
    ServicePage(PageKey key, PageSurroundings& surroundings, const std::string& startAddress,
                const std::optional<std::string>& resumeAt, std::function<void(std::string address)> wentToSleep);
    ~ServicePage();
    ServicePage(const ServicePage&) = delete;
    ServicePage& operator=(const ServicePage&) = delete;

    const PageKey& key() const { return key_; }
    WebKitWebView* view() const { return webView_.view(); }

    const Published<bool>& loading() const { return loading_; }
    const Published<std::optional<PageTrouble>>& trouble() const { return trouble_; }
    // For a moment after the user dropped files on the page.
    const Published<bool>& showsFileDropTip() const { return showsFileDropTip_; }
    const Published<std::string>& title() const { return title_; }
    // The page is streaming an answer now.
    const Published<bool>& answering() const { return answering_; }
    // An answer stopped growing: the start of its text.
    sigc::connection observeAnswers(sigc::slot<void(const std::string&)> slot) const { return answered_.connect(std::move(slot)); }
    // The page sent a notification of its own in the last `ownNoticeWindow`.
    bool notifiedRecently() const { return notifiedRecently_; }
    static constexpr Milliseconds ownNoticeWindow{10000};

    // The pane showing the page is this wide now (in widget pixels); a narrow one zooms the
    // page out on top of its service's level (see narrowPaneScale). A page in no pane keeps
    // the width it was last given; zero and below (a pane not laid out yet) are ignored.
    void setPaneWidth(int widthPx);

    void goBack();
    void goForward();
    // The page as it is now, loaded again.
    void reload();
    // Back to an address: the service's start page, not a reload. A stored tag may hold
    // any address; one that is not a web address is not loaded and the page says why.
    bool loadStartAddress(const std::string& address);
    // Loads the page's last address again (the user's Reload or Try Again).
    void recover();
    // The network is back: a page that could not be reached tries again, once.
    void retryIfUnreachable();
    // The user trusts the certificate the page failed for (only offered for a host of
    // their own network): from now on the page's session accepts it for that host.
    void trustCertificate();

    // Asks the page, unhurried, whether it would object to being left; one that does not
    // closes through the engine (running its leave handlers) and goes to sleep.
    void askToSleep();
    bool isGoingToSleep() const { return sleep_ != Sleep::awake; }
    // The user shows the page again: it stays, whatever it answers.
    void keepAwake() { sleep_ = Sleep::awake; }

    // Puts a prompt into the page's message box and sends it, once the page has loaded
    // (waiting up to `PromptDeliveries::loadWait`). `done` runs once, on the main queue, also when the page
    // goes first.
    void deliver(const std::string& text, std::function<void(DeliveryOutcome)> done);

    // What the engine says about the page; public for the signal handlers and for tests
    // that stand in for the engine's own reports.
    void webProcessTerminated(WebKitWebProcessTerminationReason reason);

private:
    enum class Sleep { awake, asked, closing };

    // The service's level times the narrow pane's scale.
    void applyZoom();
    void startLoad(const std::string& address);
    void loadChanged(WebKitLoadEvent event);
    void committed();
    bool loadFailed(const char* failingURI, GError* error);
    void loadFailedForCertificate(const char* failingURI, GTlsCertificate* certificate, GTlsCertificateFlags errors);
    void closed();
    bool scriptDialog(WebKitScriptDialog* dialog);
    bool showNotification(WebKitNotification* notification);
    // Where the page is now, or its service's start address before it got anywhere.
    std::string address() const;
    void setUnreachable(TroubleReason reason, std::string address);
    void flashFileDropTip();
    void connectEngine();

    // First: the callbacks handed out while the members below are made hold it.
    WeakOwner<ServicePage> owner_{this};
    PageKey key_;
    PageSurroundings& surroundings_;
    std::string startAddress_;
    std::function<void(std::string)> wentToSleep_;
    DragSupportingWebView webView_;
    Published<bool> loading_{false};
    Published<std::optional<PageTrouble>> trouble_;
    Published<bool> showsFileDropTip_{false};
    TimerHandle fileDropTipHide_;
    // A start load's address; one that has not committed after a minute is stopped.
    std::optional<std::string> startingAddress_;
    TimerHandle startTimeout_;
    bool reloadedAfterMemoryLimit_ = false;
    bool retriedUnreachable_ = false;
    Sleep sleep_ = Sleep::awake;
    ScopedConnection zoomWatch_;
    ScopedConnection keepDesktopLayoutWatch_;
    std::optional<int> paneWidth_;
    std::vector<SignalConnection> engine_;
    Published<std::string> title_;
    Published<bool> answering_{false};
    mutable sigc::signal<void(const std::string&)> answered_;
    bool notifiedRecently_ = false;
    TimerHandle notifiedTimer_;
    std::unique_ptr<AnswerWatch> answerWatch_;
    std::unique_ptr<PromptDeliveries> deliveries_;
};

}  // namespace corvina
