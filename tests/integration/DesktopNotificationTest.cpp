#include <gtest/gtest.h>

#include <map>

#include <gio/gio.h>
#include <nlohmann/json.hpp>

#include "app/AITab.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "support/Fakes.hpp"

using namespace corvina::testing;

namespace {

// A desktop notification server on the test's own session bus, speaking the real protocol,
// that keeps what each Notify call carried.
class NotificationServer {
public:
    struct Call {
        std::string appName;
        std::string appIcon;
        std::string summary;
        std::string body;
        std::map<std::string, std::string> hints;  // those with text values
    };

    explicit NotificationServer(const std::string& address) {
        connection_ = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        if (!connection_) return;
        info_ = g_dbus_node_info_new_for_xml(introspection, nullptr);
        static GDBusInterfaceVTable vtable{};
        vtable.method_call = +[](GDBusConnection*, const char*, const char*, const char*, const char* method,
                                 GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self) {
            static_cast<NotificationServer*>(self)->answer(method, parameters, invocation);
        };
        g_dbus_connection_register_object(connection_, "/org/freedesktop/Notifications", info_->interfaces[0], &vtable, this,
                                          nullptr, nullptr);
        owner_ = g_bus_own_name_on_connection(connection_, "org.freedesktop.Notifications", G_BUS_NAME_OWNER_FLAGS_NONE,
                                              +[](GDBusConnection*, const char*, gpointer self) {
                                                  static_cast<NotificationServer*>(self)->owned_ = true;
                                              },
                                              nullptr, this, nullptr);
    }
    ~NotificationServer() {
        if (owner_) g_bus_unown_name(owner_);
        if (info_) g_dbus_node_info_unref(info_);
        if (connection_) {
            g_dbus_connection_close_sync(connection_, nullptr, nullptr);
            g_object_unref(connection_);
        }
    }

    bool owned() const { return owned_; }
    std::vector<Call> calls;

private:
    static constexpr const char* introspection = R"(<node><interface name="org.freedesktop.Notifications">
        <method name="Notify"><arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
          <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
          <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/></method>
        <method name="CloseNotification"><arg type="u" direction="in"/></method>
        <method name="GetCapabilities"><arg type="as" direction="out"/></method>
        <method name="GetServerInformation"><arg type="s" direction="out"/><arg type="s" direction="out"/>
          <arg type="s" direction="out"/><arg type="s" direction="out"/></method>
        </interface></node>)";

    void answer(const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation) {
        if (method == "Notify") {
            const char *app, *icon, *summary, *body;
            guint32 replaces;
            GVariantIter *actions, *hints;
            gint32 timeout;
            g_variant_get(parameters, "(&su&s&s&sasa{sv}i)", &app, &replaces, &icon, &summary, &body, &actions, &hints,
                          &timeout);
            Call call{app, icon, summary, body, {}};
            const char* key;
            GVariant* value;
            while (g_variant_iter_next(hints, "{&sv}", &key, &value)) {
                if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) call.hints[key] = g_variant_get_string(value, nullptr);
                g_variant_unref(value);
            }
            g_variant_iter_free(actions);
            g_variant_iter_free(hints);
            calls.push_back(std::move(call));
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", guint32(calls.size())));
        } else if (method == "GetCapabilities") {
            const char* capabilities[] = {"body", "actions", nullptr};
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(^as)", capabilities));
        } else if (method == "GetServerInformation") {
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(ssss)", "test", "test", "1", "1.2"));
        } else {
            g_dbus_method_invocation_return_value(invocation, nullptr);
        }
    }

    GDBusConnection* connection_ = nullptr;
    GDBusNodeInfo* info_ = nullptr;
    guint owner_ = 0;
    bool owned_ = false;
};

// The real app on a session bus with a notification server: a page's notification reaches
// the server under the app's name and icon.
TEST(DesktopNotifications, ReachTheServerWithTheAppsNameAndIcon) {
    if (commandOutput("command -v dbus-daemon").empty()) GTEST_SKIP() << "no session bus here";
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().empty());
    NotificationServer server(bus.address());
    ASSERT_TRUE(eventually([&] { return server.owned(); }));

    // The first service notifies while it may; its site may show notifications. The user
    // turns to the second, so the first is out of view.
    LocalServer pages;
    pages.serve("/chat", "<title>chat</title><script>setInterval(() => {"
                         "  if (Notification.permission == 'granted') new Notification('Hello', {body: 'from the page'});"
                         "}, 300)</script>",
                "text/html");
    pages.serve("/other", "<title>other</title>", "text/html");
    const auto config = std::filesystem::path(g_get_user_config_dir()) / "corvina";
    const auto data = std::filesystem::path(g_get_user_data_dir()) / "corvina" / "web";
    std::filesystem::remove_all(config);
    nlohmann::json hidden = nlohmann::json::array();
    for (const auto& tab : corvina::builtInTabs()) hidden.push_back(tab.id);
    const std::string tags = nlohmann::json::array(
        {{{"id", "custom_CHAT"}, {"name", "Chat"}, {"url", pages.url("/chat")}, {"attributes", 1}, {"createdAt", 0.0}},
         {{"id", "custom_OTHER"}, {"name", "Other"}, {"url", pages.url("/other")}, {"attributes", 1}, {"createdAt", 1.0}}})
                                 .dump();
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(tags.data()), tags.size());
    writeFile(config / "preferences.json",
              nlohmann::json{{"hiddenAITabIDs", hidden.dump()}, {"customTabs", {{"base64", encoded}}}}.dump());
    g_free(encoded);
    std::filesystem::create_directories(data);
    std::string site = pages.url("/");
    site.pop_back();
    writeFile(data / "site-permissions.json", nlohmann::json{{"sites", {{site, {{"notifications", true}}}}}}.dump());

    AppProcess app;
    const auto window = app.waitForWindow();
    ASSERT_FALSE(window.empty());
    runLoopFor(std::chrono::seconds(1));
    app.sendKeys(window, "ctrl+2");
    ASSERT_TRUE(eventually([&] { return !server.calls.empty(); }, std::chrono::seconds(20)))
        << "no notification reached the server";
    auto call = server.calls.front();
    EXPECT_EQ(call.appName, "Corvina");
    EXPECT_EQ(call.summary, "Chat");
    EXPECT_EQ(call.body, "Hello\nfrom the page");
    // The toolkit names the icon in this hint and leaves the app-icon field empty.
    EXPECT_EQ(call.hints["image-path"], CORVINA_APP_ID);
    EXPECT_EQ(call.hints["desktop-entry"], CORVINA_APP_ID);
}

}  // namespace
