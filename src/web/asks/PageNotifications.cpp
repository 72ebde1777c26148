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
    const gulong closed = g_signal_connect(notification, "closed", G_CALLBACK(+[](WebKitNotification* closed, gpointer self) {
                                               auto* notifications = static_cast<PageNotifications*>(self);
                                               for (auto it = notifications->shown_.begin(); it != notifications->shown_.end(); ++it)
                                                   if (it->second.notification == closed) return notifications->withdraw(it);
                                           }),
                                           this);
    shown_[id] = Shown{key, WEBKIT_NOTIFICATION(g_object_ref(notification)), closed};
    notifier_.send(DesktopNotice{id, serviceName, text, showNotifiedServiceAction});
}

std::optional<PageKey> PageNotifications::activate(const std::string& id) {
    auto it = shown_.find(id);
    if (it == shown_.end()) return std::nullopt;
    // Out of the list first: the page may close it while it hears of the click.
    const Shown shown = it->second;
    notifier_.withdraw(id);
    g_signal_handler_disconnect(shown.notification, shown.closedHandler);
    shown_.erase(it);
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
    g_signal_handler_disconnect(shown->second.notification, shown->second.closedHandler);
    g_object_unref(shown->second.notification);
    shown_.erase(shown);
}

}  // namespace corvina
