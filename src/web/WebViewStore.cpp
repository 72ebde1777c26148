#include "web/WebViewStore.hpp"

#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "web/page/WebKeys.hpp"

namespace corvina {


WebViewStore::WebViewStore(MainQueue& queue, LocalizationManager& localization, const DownloadSettings& downloadSettings,
                           const Published<std::vector<CustomTab>>& customTabs, const AppSettings& settings,
                           Folders folders, DrawingMode drawing, Desktop desktop)
    : localization_(localization), customTabs_(customTabs), permissionFile_(folders.data / "site-permissions.json"),
      sitePermissions_(permissionFile_), sessions_(folders, settings.proxy(), customTabs, sitePermissions_),
      downloads_(std::make_unique<Downloads>(sessions_.shared(), queue, localization, downloadSettings)),
      permissions_(sitePermissions_), notifications_(desktop.notifier),
      newWindows_(queue, settings.newWindowTarget(), desktop.launcher, std::move(desktop.makePopup)),
      surroundings_{queue,
                    sessions_,
                    drawing,
                    settings.pageZoom(),
                    settings.keepDesktopLayoutInNarrowPanes(),
                    desktop.network,
                    permissions_,
                    notifications_,
                    newWindows_,
                    [this] { return localization_.language(); },
                    [this](const std::string& id) { return serviceName(id); },
                    [this](const PageKey& key) { return pageInView_(key); }} {
    // New web processes start with the user's notification answers, so pages that only
    // look at the permission see it too.
    notificationPermissions_ = SignalConnection(
        webkit_web_context_get_default(), "initialize-notification-permissions",
        +[](WebKitWebContext* context, WebViewStore* self) { self->permissions_.initializeNotificationPermissions(context); },
        this);
    // Every session's downloads reach the one manager; a tag whose sign-in changed gets
    // its pages made again in its new session.
    sessionWatch_ += sessions_.observeMade([this](WebKitNetworkSession* session) { downloads_->watch(session); });
    sessionWatch_ += sessions_.observeSignInChanged([this](const std::string& id) { removePages(id); });
}

// The pages and the downloads end before the sessions they use.
WebViewStore::~WebViewStore() {
    sessionWatch_.clear();
    pages_.clear();
    downloads_.reset();
    notificationPermissions_.disconnect();
}

ServicePage& WebViewStore::page(const AITab& service, std::size_t copy) {
    const PageKey key{service.id, copy};
    if (auto it = pages_.find(key); it != pages_.end()) return *it->second;
    auto asleep = sleeping_.extract(key);
    const auto resumeAt = asleep ? std::optional(asleep.mapped()) : std::nullopt;
    auto& made = *pages_.emplace(key, std::make_unique<ServicePage>(key, surroundings_, service.url, resumeAt,
                                                                    [this, key](std::string address) {
                                                                        wentToSleep(key, std::move(address));
                                                                    }))
                      .first->second;
    if (asleep) republishSleeping();
    pagesChanged_.emit();
    return made;
}

ServicePage* WebViewStore::existingPage(const PageKey& key) const {
    auto it = pages_.find(key);
    return it == pages_.end() ? nullptr : it->second.get();
}

std::vector<PageKey> WebViewStore::pageKeys() const {
    std::vector<PageKey> keys;
    for (const auto& [key, page] : pages_) keys.push_back(key);
    return keys;
}

void WebViewStore::removePage(const PageKey& key) {
    const bool wasAsleep = sleeping_.erase(key) > 0;
    const bool existed = pages_.erase(key) > 0;
    if (wasAsleep) republishSleeping();
    if (existed) pagesChanged_.emit();
}

void WebViewStore::removePages(const std::string& serviceID) {
    for (const auto& key : pageKeys())
        if (key.serviceID == serviceID) removePage(key);
    std::erase_if(sleeping_, [&serviceID](const auto& entry) { return entry.first.serviceID == serviceID; });
    republishSleeping();
}

void WebViewStore::putToSleep(const PageKey& key) {
    if (auto* found = existingPage(key)) found->askToSleep();
}

// Called by the page from the main queue, never from inside the engine's signal.
void WebViewStore::wentToSleep(PageKey key, std::string address) {
    sleeping_[key] = std::move(address);
    pages_.erase(key);
    republishSleeping();
    pagesChanged_.emit();
}

void WebViewStore::republishSleeping() {
    std::set<std::string> awake, asleep;
    for (const auto& [key, page] : pages_) awake.insert(key.serviceID);
    for (const auto& [key, address] : sleeping_)
        if (!awake.contains(key.serviceID)) asleep.insert(key.serviceID);
    sleepingTabIDs_.set(std::move(asleep));
}

std::string WebViewStore::startURL(const std::string& tabID) const {
    return corvina::startURL(tabID, customTabs_.get());
}

std::string WebViewStore::serviceName(const std::string& tabID) const {
    if (const auto* tab = findBuiltInTab(tabID)) return tab->displayName(localization_.language());
    for (const auto& tag : customTabs_.get())
        if (tag.id == tabID) return tag.name;
    return tabID;
}

// `done` runs once every session's cache is cleared.
void WebViewStore::clearCache(std::function<void()> done) {
    struct Clearing {
        std::size_t left;
        std::function<void()> done;
    };
    const auto sessions = sessions_.all();
    auto clearing = std::make_shared<Clearing>(Clearing{sessions.size(), std::move(done)});
    auto types = static_cast<WebKitWebsiteDataTypes>(WEBKIT_WEBSITE_DATA_DISK_CACHE | WEBKIT_WEBSITE_DATA_MEMORY_CACHE |
                                                     WEBKIT_WEBSITE_DATA_DOM_CACHE);
    for (auto* session : sessions)
        webkit_website_data_manager_clear(
            webkit_network_session_get_website_data_manager(session), types, 0, nullptr,
            +[](GObject* source, GAsyncResult* result, gpointer data) {
                std::unique_ptr<std::shared_ptr<Clearing>> held(static_cast<std::shared_ptr<Clearing>*>(data));
                webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr);
                if (--(*held)->left == 0 && (*held)->done) (*held)->done();
            },
            new std::shared_ptr<Clearing>(clearing));
}

void WebViewStore::retryUnreachablePages() {
    for (const auto& [key, page] : pages_) page->retryIfUnreachable();
}

std::optional<PageKey> WebViewStore::activateNotification(const std::string& id) {
    const auto key = notifications_.activate(id);
    if (!key || !pages_.contains(*key)) return std::nullopt;
    return key;
}

}  // namespace corvina
