#pragma once
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <sigc++/sigc++.h>
#include <webkit/webkit.h>

#include "app/CustomTab.hpp"
#include "app/ProxySetting.hpp"
#include "platform/Observable.hpp"

namespace corvina {

class SitePermissions;

// The folder a tag's session keeps its data in, under "tags/": the id itself when it is
// plain (letters, digits, "_", "-", at most 100 of them), else "~" and a hash of it, so
// that no id reaches outside that folder or onto another tag's.
std::string tagFolderName(const std::string& tagID);

// The network sessions pages load through: one shared by the built-in services and the
// tags that share their sign-in, and one per tag that signs in apart, with its data under
// "tags/<folder>" of the data and cache folders. Each session reaches the web as its proxy
// choice says, changed at once when the choice changes, and trusts the certificates the
// user trusted for it. A deleted tag's data goes with it.
class NetworkSessions {
public:
    struct Folders {
        std::filesystem::path data;
        std::filesystem::path cache;
    };

    NetworkSessions(Folders folders, const Published<ProxySetting>& sharedProxy,
                    const Published<std::vector<CustomTab>>& tags, SitePermissions& trusted);
    ~NetworkSessions();
    NetworkSessions(const NetworkSessions&) = delete;
    NetworkSessions& operator=(const NetworkSessions&) = delete;

    WebKitNetworkSession* shared() const { return shared_; }
    // The session a service's pages use; a separate tag's is made on first request.
    WebKitNetworkSession* session(const std::string& serviceID);
    // Every session now, and (through the signal) each made later.
    std::vector<WebKitNetworkSession*> all() const;
    sigc::connection observeMade(sigc::slot<void(WebKitNetworkSession*)> slot) { return made_.connect(std::move(slot)); }
    // A tag's sign-in changed or it went: its pages must be made again (or go).
    sigc::connection observeSignInChanged(sigc::slot<void(const std::string&)> slot) {
        return signInChanged_.connect(std::move(slot));
    }

    // Whether a page of this service at this address goes through a proxy the user typed.
    bool goesThroughManualProxy(const std::string& serviceID, const std::string& address) const;
    // Trusts exactly this certificate (PEM) for this host in the service's session, now and
    // after a restart. False when the certificate does not read.
    bool trustCertificate(const std::string& serviceID, const std::string& host, const std::string& pem);

    // Where a tag's session keeps its data and its cache.
    Folders tagFolders(const std::string& tagID) const;

private:
    const CustomTab* separateTag(const std::string& serviceID) const;
    // The key trusted certificates are kept under: "" for the shared session, else the tag.
    std::string trustKey(const std::string& serviceID) const;
    WebKitNetworkSession* make(const Folders& folders, const std::string& trustKey);
    void tagsChanged();
    void forget(const std::string& tagID, bool deleteData);

    Folders folders_;
    const Published<ProxySetting>& sharedProxy_;
    const Published<std::vector<CustomTab>>& tags_;
    SitePermissions& trusted_;
    WebKitNetworkSession* shared_ = nullptr;
    struct TagSession {
        WebKitNetworkSession* session;
        ProxySetting proxy;  // as last applied
    };
    std::map<std::string, TagSession> tagSessions_;
    // The tags as last seen, id → whether they signed in apart.
    std::map<std::string, bool> known_;
    sigc::signal<void(WebKitNetworkSession*)> made_;
    sigc::signal<void(const std::string&)> signInChanged_;
    Connections connections_;
};

}  // namespace corvina
