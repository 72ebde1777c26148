#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>

#include <webkit/webkit.h>

#include "platform/SignalConnection.hpp"
#include "web/page/PageKey.hpp"

namespace corvina {

class DesktopNotifier;

// The application action a click on a page's notification runs, with the notification's id.
inline constexpr const char* showNotifiedServiceAction = "app.show-notified-service";

// Pages' notifications as desktop notifications, titled with the service's name. The
// notification of a page the user is looking at is dropped: they see it already.
class PageNotifications {
public:
    explicit PageNotifications(DesktopNotifier& notifier);
    ~PageNotifications();
    PageNotifications(const PageNotifications&) = delete;
    PageNotifications& operator=(const PageNotifications&) = delete;

    // Shows the page's notification unless `inView`; the storage key tells where it came from.
    void show(const PageKey& key, const std::string& serviceName, WebKitNotification* notification, bool inView);
    // The user clicked the desktop notification: the page hears of it, and the storage
    // key of its page is returned (none when the page closed it meanwhile).
    std::optional<PageKey> activate(const std::string& id);
    // The page's notifications go with the page.
    void forget(const PageKey& key);

private:
    struct Shown {
        PageKey key;
        WebKitNotification* notification;
        SignalConnection closed;
    };
    void withdraw(std::map<std::string, Shown>::iterator shown);

    DesktopNotifier& notifier_;
    std::map<std::string, Shown> shown_;
    std::uint64_t nextID_ = 1;
};

}  // namespace corvina
