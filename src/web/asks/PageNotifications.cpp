#include "web/asks/PageNotifications.hpp"

#include "platform/DesktopNotifier.hpp"

namespace corvina {

PageNotifications::PageNotifications(DesktopNotifier& notifier) : notifier_(notifier) {}

PageNotifications::~PageNotifications() {
    while (!shown_.empty()) withdraw(shown_.begin());
}

void PageNotifications::show(const PageKey& key, const std::string& serviceName, WebKitNotification* notification,
                             bool inView) {
    if (inView) return;
    const std::string id = "page-" + std::to_string(nextID_++);
    const char* title = webkit_notification_get_title(notification);
    const char* body = webkit_notification_get_body(notification);
    std::string text = title ? title : "";
    if (body && *body) text += text.empty() ? body : std::string("\n") + body;
    // The page's closing of it (or its going away) withdraws it from the desktop.
    SignalConnection closed(
        notification, "closed", +[](WebKitNotification* closed, gpointer self) {
            auto* notifications = static_cast<PageNotifications*>(self);
            for (auto it = notifications->shown_.begin(); it != notifications->shown_.end(); ++it)
                if (it->second.notification == closed) return notifications->withdraw(it);
        },
        this);
    shown_[id] = Shown{key, WEBKIT_NOTIFICATION(g_object_ref(notification)), std::move(closed)};
    notifier_.send(DesktopNotice{id, serviceName, text, showNotifiedServiceAction});
}

std::optional<PageKey> PageNotifications::activate(const std::string& id) {
    auto it = shown_.find(id);
    if (it == shown_.end()) return std::nullopt;
    // Out of the list first: the page may close it while it hears of the click.
    auto node = shown_.extract(it);
    Shown& shown = node.mapped();
    notifier_.withdraw(id);
    shown.closed.disconnect();
    webkit_notification_clicked(shown.notification);
    g_object_unref(shown.notification);
    return shown.key;
}

void PageNotifications::forget(const PageKey& key) {
    for (auto it = shown_.begin(); it != shown_.end();) {
        auto next = std::next(it);
        if (it->second.key == key) withdraw(it);
        it = next;
    }
}

void PageNotifications::withdraw(std::map<std::string, Shown>::iterator shown) {
    notifier_.withdraw(shown->first);
    WebKitNotification* notification = shown->second.notification;
    shown_.erase(shown);
    g_object_unref(notification);
}

}  // namespace corvina
