#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <gdk/gdk.h>
#include <gio/gio.h>

#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "platform/GnomeShortcuts.hpp"
#include "platform/Observable.hpp"
#include "platform/ShortcutsPortal.hpp"
#include "platform/WeakOwner.hpp"
#include "platform/X11KeyGrab.hpp"

namespace corvina {

// How the key reaches the app, first that applies: a grab on the X11 screen, the desktop
// portal's global shortcuts, an entry in GNOME's keyboard settings the user adds, or a
// command the user binds in the desktop's own settings.
enum class GlobalKeyWay { x11, portal, gnome, command };

struct GlobalKeyStatus {
    enum class State {
        working,     // the key shows and hides the window
        waiting,     // the desktop has not answered yet (it may be asking the user)
        taken,       // another program holds the key
        refused,     // the desktop would not bind it
        notSet,      // the user cleared the key
        notAdded,    // GNOME's keyboard settings do not list ours
        unknownKey,  // no key on this keyboard makes that symbol
    };
    GlobalKeyWay way = GlobalKeyWay::command;
    State state = State::notSet;
    // GNOME's entry for us, when it is listed with another key than ours.
    std::string gnomeBinding;

    bool operator==(const GlobalKeyStatus&) const = default;
};

inline constexpr LocalizedText globalKeyTitle{"Show and hide Corvina", "顯示與隱藏 Corvina", "显示与隐藏 Corvina"};

// What the settings say of `status`; `key` is the key as people read it ("Ctrl+Alt+Space").
std::string describe(const GlobalKeyStatus& status, const std::string& key, AppLanguage language);

// What the key can reach of the desktop; the entry finds them, tests make private ones.
struct GlobalKeyDesktop {
    // Null unless this is an X11 session.
    std::function<std::unique_ptr<X11KeyGrab>(X11KeyGrab::Pressed)> x11 = {};
    // The session bus; null without one.
    GDBusConnection* bus = nullptr;
    // Null unless this is GNOME with its keyboard settings installed.
    std::unique_ptr<GnomeShortcuts> gnome = {};
    // What a desktop shortcut runs to show and hide the window: "corvina --toggle".
    std::string command = {};
};

// The key that shows and hides the window from anywhere, bound by the first way the
// desktop offers, following the key in the settings.
class GlobalKey {
public:
    // `pressed` gets the X server time of the press (0 when unknown) and the desktop's
    // activation token (empty when none).
    using Pressed = std::function<void(std::uint32_t time, const std::string& activationToken)>;

    GlobalKey(AppSettings& settings, LocalizationManager& localization, GlobalKeyDesktop desktop, Pressed pressed);
    ~GlobalKey();

    const Published<GlobalKeyStatus>& status() const { return status_; }
    const std::string& command() const { return desktop_.command; }
    // While the user presses keys to choose one, the key in use must not act.
    void setChoosing(bool choosing);
    // GNOME's keyboard settings: written only at the user's press of these.
    void addToGnome();
    void removeFromGnome();

private:
    void apply();
    void applyX11(const std::optional<Shortcut>& shortcut);
    void applyPortal(const std::optional<Shortcut>& shortcut);
    void fallBack();
    void setStatus(GlobalKeyWay way, GlobalKeyStatus::State state, std::string gnomeBinding = "");

    AppSettings& settings_;
    LocalizationManager& localization_;
    GlobalKeyDesktop desktop_;
    Pressed pressed_;
    std::unique_ptr<X11KeyGrab> grab_;
    bool choosing_ = false;
    std::unique_ptr<ShortcutsPortal> portal_;
    Published<GlobalKeyStatus> status_;
    ScopedConnection keyChanged_;
    WeakOwner<GlobalKey> owner_{this};
};

}  // namespace corvina
