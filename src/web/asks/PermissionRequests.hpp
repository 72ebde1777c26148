#pragma once
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <webkit/webkit.h>

#include "platform/Observable.hpp"
#include "web/page/PageKey.hpp"
#include "web/asks/SitePermissions.hpp"

namespace corvina {

// A page's question waiting for the user's answer.
struct PermissionQuestion {
    std::string site;
    std::vector<PermissionKind> kinds;
};

// The user's remembered answer to a whole question: nothing while a kind asked for has no
// answer yet, else allowed only when every kind is (one denial denies the request).
std::optional<bool> rememberedAnswer(const SitePermissions& answers, const PermissionQuestion& question);

// Pages' requests for the microphone, the camera, notifications and clipboard reading:
// answered from the user's remembered answer for the site, or held until the user answers
// in the page's pane. Other requests keep the engine's own answer.
class PermissionRequests {
public:
    explicit PermissionRequests(SitePermissions& answers);
    ~PermissionRequests();
    PermissionRequests(const PermissionRequests&) = delete;
    PermissionRequests& operator=(const PermissionRequests&) = delete;

    // False when the request is not one of ours.
    bool request(const PageKey& key, WebKitWebView* view, WebKitPermissionRequest* request);
    // The question the page of `key` waits on, oldest first.
    std::optional<PermissionQuestion> question(const PageKey& key) const;
    void answer(const PageKey& key, bool allowed);
    // The page went: its open requests are denied.
    void forget(const PageKey& key);
    // Changes whenever a question comes or goes.
    const Published<int>& revision() const { return revision_; }

    // Notification answers for web processes about to start.
    void initializeNotificationPermissions(WebKitWebContext* context) const;

private:
    struct Pending {
        PermissionQuestion question;
        WebKitPermissionRequest* request;
    };
    void settleAnswered();
    void bump() { revision_.set(revision_.get() + 1); }

    SitePermissions& answers_;
    std::map<PageKey, std::deque<Pending>> pending_;
    Published<int> revision_{0};
};

}  // namespace corvina
