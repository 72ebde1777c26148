#include "platform/ShortcutsPortal.hpp"

#include <memory>
#include <utility>

namespace corvina {

namespace {

constexpr const char* portalName = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";
constexpr const char* shortcutsInterface = "org.freedesktop.portal.GlobalShortcuts";

using Reply = std::function<void(GVariant* result)>;

// `reply` gets the result, or null when the call failed.
void call(GDBusConnection* bus, const char* path, const char* interface, const char* method, GVariant* parameters,
          Reply reply) {
    g_dbus_connection_call(
        bus, portalName, path, interface, method, parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Reply> reply(static_cast<Reply*>(data));
            GVariant* value = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
            (*reply)(value);
            if (value) g_variant_unref(value);
        },
        new Reply(std::move(reply)));
}

// The object path the portal gives a request or session of ours with `token`.
std::string handlePath(GDBusConnection* bus, const char* kind, const std::string& token) {
    std::string sender = g_dbus_connection_get_unique_name(bus) ? g_dbus_connection_get_unique_name(bus) + 1 : "";
    for (auto& c : sender)
        if (c == '.') c = '_';
    return std::string(portalPath) + "/" + kind + "/" + sender + "/" + token;
}

}  // namespace

ShortcutsPortal::ShortcutsPortal(GDBusConnection* bus, std::string shortcutId, Events events)
    : bus_(G_DBUS_CONNECTION(g_object_ref(bus))), shortcutId_(std::move(shortcutId)), events_(std::move(events)) {
    activatedSubscription_ = g_dbus_connection_signal_subscribe(bus_, portalName, shortcutsInterface, "Activated",
                                                                portalPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                                                &ShortcutsPortal::onActivated, this, nullptr);
    // A desktop without the interface answers the property's read with an error.
    call(bus_, portalPath, "org.freedesktop.DBus.Properties", "Get", g_variant_new("(ss)", shortcutsInterface, "version"),
         owner_.bind([](ShortcutsPortal& self, GVariant* result) {
             self.present_ = result != nullptr;
             if (!self.present_) return self.setState(State::absent);
             if (!self.trigger_.empty()) self.createSession();
         }));
}

ShortcutsPortal::~ShortcutsPortal() {
    closeSession();
    g_dbus_connection_signal_unsubscribe(bus_, activatedSubscription_);
    if (responseSubscription_) g_dbus_connection_signal_unsubscribe(bus_, responseSubscription_);
    g_object_unref(bus_);
}

void ShortcutsPortal::setState(State state) {
    state_ = state;
    if (events_.changed) events_.changed(state);
}

void ShortcutsPortal::bind(const std::string& description, const std::string& trigger) {
    description_ = description;
    trigger_ = trigger;
    closeSession();
    if (!present_) return;
    if (trigger.empty()) return setState(State::refused);
    createSession();
}

void ShortcutsPortal::createSession() {
    setState(State::binding);
    const std::string session = "corvina_session" + std::to_string(++requests_);
    const std::string token = "corvina_request" + std::to_string(++requests_);
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "session_handle_token", g_variant_new_string(session.c_str()));
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    request("CreateSession", token, g_variant_new("(@a{sv})", g_variant_builder_end(&options)),
            [this](guint32 response, GVariant* results) {
                const char* handle = nullptr;
                if (response != 0 || !g_variant_lookup(results, "session_handle", "&s", &handle) || !handle)
                    return setState(State::refused);
                session_ = handle;
                bindShortcut();
            });
}

void ShortcutsPortal::bindShortcut() {
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&properties, "{sv}", "description", g_variant_new_string(description_.c_str()));
    g_variant_builder_add(&properties, "{sv}", "preferred_trigger", g_variant_new_string(trigger_.c_str()));
    GVariantBuilder shortcuts;
    g_variant_builder_init(&shortcuts, G_VARIANT_TYPE("a(sa{sv})"));
    g_variant_builder_add(&shortcuts, "(s@a{sv})", shortcutId_.c_str(), g_variant_builder_end(&properties));
    const std::string token = "corvina_request" + std::to_string(++requests_);
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    request("BindShortcuts", token,
            g_variant_new("(o@a(sa{sv})s@a{sv})", session_.c_str(), g_variant_builder_end(&shortcuts), "",
                          g_variant_builder_end(&options)),
            [this](guint32 response, GVariant*) { setState(response == 0 ? State::bound : State::refused); });
}

void ShortcutsPortal::closeSession() {
    if (session_.empty()) return;
    call(bus_, session_.c_str(), "org.freedesktop.portal.Session", "Close", nullptr, [](GVariant*) {});
    session_.clear();
}

void ShortcutsPortal::request(const char* method, const std::string& token, GVariant* parameters,
                              std::function<void(guint32, GVariant*)> answered) {
    answer_ = std::move(answered);
    if (responseSubscription_) g_dbus_connection_signal_unsubscribe(bus_, responseSubscription_);
    // Subscribed before the call: the answer may come before the call returns.
    responseSubscription_ = g_dbus_connection_signal_subscribe(
        bus_, portalName, "org.freedesktop.portal.Request", "Response", handlePath(bus_, "request", token).c_str(),
        nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
        [](GDBusConnection*, const char*, const char*, const char*, const char*, GVariant* parameters, gpointer data) {
            auto& self = *static_cast<ShortcutsPortal*>(data);
            guint32 response = 2;
            GVariant* results = nullptr;
            g_variant_get(parameters, "(u@a{sv})", &response, &results);
            auto answer = std::exchange(self.answer_, nullptr);
            if (answer) answer(response, results);
            g_variant_unref(results);
        },
        this, nullptr);
    call(bus_, portalPath, shortcutsInterface, method, parameters,
         owner_.bind([](ShortcutsPortal& self, GVariant* result) {
             if (!result && self.answer_) {
                 self.answer_ = nullptr;
                 self.setState(State::refused);
             }
         }));
}

void ShortcutsPortal::onActivated(GDBusConnection*, const char*, const char*, const char*, const char*,
                                  GVariant* parameters, gpointer data) {
    auto& self = *static_cast<ShortcutsPortal*>(data);
    const char* session = nullptr;
    const char* id = nullptr;
    guint64 time = 0;
    GVariant* options = nullptr;
    g_variant_get(parameters, "(&o&st@a{sv})", &session, &id, &time, &options);
    const char* token = nullptr;
    if (session == self.session_ && id == self.shortcutId_ && self.events_.activated) {
        g_variant_lookup(options, "activation_token", "&s", &token);
        self.events_.activated(token ? token : "");
    }
    g_variant_unref(options);
}

}  // namespace corvina
