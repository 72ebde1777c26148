#include "platform/DesktopNotifier.hpp"

#include <gio/gio.h>

namespace corvina {

void ApplicationNotifier::send(const DesktopNotice& notice) {
    GApplication* application = g_application_get_default();
    if (!application) return;
    GNotification* notification = g_notification_new(notice.title.c_str());
    if (!notice.body.empty()) g_notification_set_body(notification, notice.body.c_str());
    // The app's icon is named by its id in the icon theme.
    GIcon* icon = g_themed_icon_new(g_application_get_application_id(application));
    g_notification_set_icon(notification, icon);
    g_object_unref(icon);
    g_notification_set_default_action_and_target_value(notification, notice.action.c_str(),
                                                       g_variant_new_string(notice.id.c_str()));
    g_application_send_notification(application, notice.id.c_str(), notification);
    g_object_unref(notification);
}

void ApplicationNotifier::withdraw(const std::string& id) {
    if (GApplication* application = g_application_get_default()) g_application_withdraw_notification(application, id.c_str());
}

}  // namespace corvina
