#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <thread>

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
    // The notices on screen now, by number.
    std::map<guint32, Call> shown;

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
            // A notice that replaces one still shown keeps its number; any other is a new one.
            const guint32 id = shown.contains(replaces) ? replaces : ++lastID_;
            shown[id] = call;
            calls.push_back(std::move(call));
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", id));
        } else if (method == "CloseNotification") {
            guint32 id;
            g_variant_get(parameters, "(u)", &id);
            shown.erase(id);
            g_dbus_method_invocation_return_value(invocation, nullptr);
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
    guint32 lastID_ = 0;
};

// The real app on a session bus of the test's own with a notification server, showing
// custom tags served by a local server.
class DesktopNotifications : public ::testing::Test {
protected:
    struct Tag {
        std::string id, name, path;
    };

    void SetUp() override {
        if (commandOutput("command -v dbus-daemon").empty()) GTEST_SKIP() << "no session bus here";
        ASSERT_FALSE(bus.address().empty());
        ASSERT_TRUE(eventually([&] { return server.owned(); }));
    }

    // Starts the app with only these tags, the first one shown; `notifying` sites may show
    // notifications. Returns its window.
    std::string start(const std::vector<Tag>& tags, bool notifying = false) {
        const auto config = std::filesystem::path(g_get_user_config_dir()) / "corvina";
        const auto data = std::filesystem::path(g_get_user_data_dir()) / "corvina" / "web";
        std::filesystem::remove_all(config);
        std::filesystem::remove_all(data);
        nlohmann::json hidden = nlohmann::json::array();
        for (const auto& tab : corvina::builtInTabs()) hidden.push_back(tab.id);
        nlohmann::json records = nlohmann::json::array();
        for (const auto& tag : tags)
            records.push_back({{"id", tag.id}, {"name", tag.name}, {"url", pages.url(tag.path)}, {"attributes", 1},
                               {"createdAt", double(records.size())}});
        const std::string stored = records.dump();
        gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(stored.data()), stored.size());
        writeFile(config / "preferences.json",
                  nlohmann::json{{"hiddenAITabIDs", hidden.dump()}, {"customTabs", {{"base64", encoded}}}, {"appLanguage", "en"}}
                      .dump());
        g_free(encoded);
        std::filesystem::create_directories(data);
        if (notifying) {
            std::string site = pages.url("/");
            site.pop_back();
            writeFile(data / "site-permissions.json", nlohmann::json{{"sites", {{site, {{"notifications", true}}}}}}.dump());
        }
        app = std::make_unique<AppProcess>();
        return app->waitForWindow();
    }

    PrivateSessionBus bus;
    NotificationServer server{bus.address()};
    LocalServer pages;
    std::unique_ptr<AppProcess> app;
};

// A page's notification reaches the server under the app's name and icon.
TEST_F(DesktopNotifications, ReachTheServerWithTheAppsNameAndIcon) {
    // The first service notifies while it may; its site may show notifications. The user
    // turns to the second, so the first is out of view.
    pages.serve("/chat", "<title>chat</title><script>setInterval(() => {"
                         "  if (Notification.permission == 'granted') new Notification('Hello', {body: 'from the page'});"
                         "}, 300)</script>",
                "text/html");
    pages.serve("/other", "<title>other</title>", "text/html");
    const auto window = start({{"custom_CHAT", "Chat", "/chat"}, {"custom_OTHER", "Other", "/other"}}, true);
    ASSERT_FALSE(window.empty());
    // Pressed again until it lands: a window just mapped may not take keys yet.
    ASSERT_TRUE(eventually(
        [&] {
            app->sendKeys(window, "ctrl+2");
            return eventually([&] { return !server.calls.empty(); }, std::chrono::seconds(2));
        },
        std::chrono::seconds(30)))
        << "no notification reached the server";
    auto call = server.calls.front();
    EXPECT_EQ(call.appName, "Corvina");
    EXPECT_EQ(call.summary, "Chat");
    EXPECT_EQ(call.body, "Hello\nfrom the page");
    // The toolkit names the icon in this hint and leaves the app-icon field empty.
    EXPECT_EQ(call.hints["image-path"], CORVINA_APP_ID);
    EXPECT_EQ(call.hints["desktop-entry"], CORVINA_APP_ID);
}

// A service out of sight whose answer, streamed from the network, stops for four seconds
// halfway (a model thinking between two parts) and goes on: two answers to the watch, but
// one notice on the desktop, telling of the latest.
TEST_F(DesktopNotifications, AnAnswerThatPausesHalfwayLeavesOneNotice) {
    // As chat sites stream their replies: an event stream, which the engine hands on as it comes.
    pages.server.Get("/reply", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/event-stream", [token = 0](std::size_t, httplib::DataSink& sink) mutable {
            // The reply's own pace, not a wait of the test's: still for a while first, as a page
            // waiting for its question is, then a token every 60 ms with a pause halfway.
            const int pause = token == 0 ? 3000 : token == 40 ? 4000 : 60;
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
            if (token == 80) return sink.done(), true;
            const std::string word = (token < 40 ? " first" : token == 40 ? "\nsecond" : " second") + std::to_string(token);
            ++token;
            return sink.write(word.data(), word.size());
        });
    });
    // Each line of the reply is a paragraph of its own.
    pages.serve("/stream", R"(<title>stream</title><div id=log></div><script>
        fetch('/reply').then(async response => {
            const reader = response.body.getReader(), decoder = new TextDecoder();
            let paragraph = null;
            for (;;) {
                const {done, value} = await reader.read();
                if (done) break;
                for (const [index, part] of decoder.decode(value, {stream: true}).split('\n').entries()) {
                    if (index > 0 || !paragraph) log.append(paragraph = document.createElement('p'));
                    paragraph.textContent += part;
                }
            }
        });</script>)",
                "text/html");
    pages.serve("/other", "<title>other</title>", "text/html");
    ASSERT_FALSE(start({{"custom_OTHER", "Other", "/other"}, {"custom_STREAM", "Stream", "/stream"}}).empty());

    ASSERT_TRUE(eventually([&] { return server.calls.size() >= 2; }, std::chrono::seconds(40)))
        << server.calls.size() << " notices sent";
    ASSERT_EQ(server.shown.size(), 1u);
    const auto& notice = server.shown.begin()->second;
    EXPECT_EQ(notice.summary, "Stream has answered");
    EXPECT_TRUE(notice.body.starts_with("second40")) << notice.body;
}

}  // namespace
