#include "web/WebViewStore.hpp"

#include <sys/stat.h>

#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "web/page/WebKeys.hpp"

namespace corvina {

namespace {

std::string privateFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    ::chmod(folder.c_str(), 0700);
    return folder.string();
}

WebKitNetworkSession* persistentSession(const WebViewStore::Folders& folders) {
    auto* session = webkit_network_session_new(privateFolder(folders.data).c_str(), privateFolder(folders.cache).c_str());
    webkit_cookie_manager_set_persistent_storage(webkit_network_session_get_cookie_manager(session),
                                                 (folders.data / "cookies.sqlite").c_str(),
                                                 WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    return session;
}

}  // namespace

WebViewStore::WebViewStore(MainQueue& queue, LocalizationManager& localization, const DownloadSettings& downloadSettings,
                           const Published<std::vector<CustomTab>>& customTabs, const AppSettings& settings,
                           Folders folders, DrawingMode drawing, Desktop desktop)
    : localization_(localization), customTabs_(customTabs), session_(persistentSession(folders)),
      downloads_(std::make_unique<Downloads>(session_, queue, localization, downloadSettings)),
      permissionFile_(folders.data / "site-permissions.json"), sitePermissions_(permissionFile_),
      permissions_(sitePermissions_), notifications_(desktop.notifier),
      newWindows_(queue, settings.newWindowTarget(), desktop.launcher, std::move(desktop.makePopup)),
      surroundings_{queue,
                    session_,
                    drawing,
                    settings.pageZoom(),
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
}

// The pages and the downloads end before the session they use.
WebViewStore::~WebViewStore() {
    pages_.clear();
    downloads_.reset();
    notificationPermissions_.disconnect();
    g_object_unref(session_);
}

ServicePage& WebViewStore::page(const AITab& service, Pane pane) {
    const PageKey key{service.id, pane};
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

void WebViewStore::clearCache(std::function<void()> done) {
    auto* manager = webkit_network_session_get_website_data_manager(session_);
    auto types = static_cast<WebKitWebsiteDataTypes>(WEBKIT_WEBSITE_DATA_DISK_CACHE | WEBKIT_WEBSITE_DATA_MEMORY_CACHE |
                                                     WEBKIT_WEBSITE_DATA_DOM_CACHE);
    webkit_website_data_manager_clear(
        manager, types, 0, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void()>> done(static_cast<std::function<void()>*>(data));
            webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr);
            if (*done) (*done)();
        },
        new std::function<void()>(std::move(done)));
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
