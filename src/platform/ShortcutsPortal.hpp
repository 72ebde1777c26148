#pragma once
#include <functional>
#include <string>

#include <gio/gio.h>

#include "platform/WeakOwner.hpp"

namespace corvina {

// The desktop portal's global shortcuts: a session of ours in which the desktop binds one
// shortcut and tells us when it is pressed. The desktop may ask the user first.
class ShortcutsPortal {
public:
    enum class State { checking, absent, binding, bound, refused };

    struct Events {
        std::function<void(State)> changed;
        // With the token that lets the window come forward, when the desktop gives one.
        std::function<void(const std::string& activationToken)> activated;
    };

    // `bus` is the session bus (held for as long as this lives).
    ShortcutsPortal(GDBusConnection* bus, std::string shortcutId, Events events);
    ~ShortcutsPortal();
    ShortcutsPortal(const ShortcutsPortal&) = delete;
    ShortcutsPortal& operator=(const ShortcutsPortal&) = delete;

    State state() const { return state_; }
    // Binds the shortcut with `trigger` ("CTRL+ALT+space") as the one preferred, in a new
    // session; an empty trigger only closes the one there was.
    void bind(const std::string& description, const std::string& trigger);

private:
    void setState(State state);
    void createSession();
    void bindShortcut();
    void closeSession();
    // Calls `method` on the portal, whose options carry `token` as handle_token; the answer
    // comes as the Response of the request object that token names.
    void request(const char* method, const std::string& token, GVariant* parameters,
                 std::function<void(guint32, GVariant*)> answered);
    static void onActivated(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant* parameters,
                            gpointer self);

    GDBusConnection* bus_;
    std::string shortcutId_;
    Events events_;
    State state_ = State::checking;
    bool present_ = false;
    std::string description_;
    std::string trigger_;
    std::string session_;
    unsigned requests_ = 0;
    guint activatedSubscription_ = 0;
    guint responseSubscription_ = 0;
    std::function<void(guint32, GVariant*)> answer_;
    WeakOwner<ShortcutsPortal> owner_{this};
};

}  // namespace corvina
