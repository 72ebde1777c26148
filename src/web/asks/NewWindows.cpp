#include "web/asks/NewWindows.hpp"

#include "platform/UriLauncher.hpp"

namespace corvina {

NewWindowAction decideNewWindow(NewWindowTarget target, bool userGesture, const std::string& address) {
    if (!userGesture) return NewWindowAction::none;
    switch (target) {
        case NewWindowTarget::browser: return isWebAddress(address) ? NewWindowAction::openInBrowser : NewWindowAction::none;
        // A pop-up may start empty and be sent on by its opener.
        case NewWindowTarget::app:
            return isWebAddress(address) || address.empty() || address == "about:blank" ? NewWindowAction::openInApp
                                                                                         : NewWindowAction::none;
        case NewWindowTarget::nowhere: break;
    }
    return NewWindowAction::none;
}

NewWindows::NewWindows(MainQueue& queue, const Published<NewWindowTarget>& target, UriLauncher& launcher,
                       PopupMaker makePopup)
    : queue_(queue), target_(target), launcher_(launcher), makePopup_(std::move(makePopup)) {}

NewWindows::~NewWindows() = default;

WebKitWebView* NewWindows::request(const PageKey& openerKey, WebKitWebView* opener, WebKitNavigationAction* action) {
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
    const std::string address = uri ? uri : "";
    switch (decideNewWindow(target_.get(), webkit_navigation_action_is_user_gesture(action), address)) {
        case NewWindowAction::openInBrowser: launcher_.open(address); return nullptr;
        case NewWindowAction::openInApp: break;
        case NewWindowAction::none: return nullptr;
    }
    auto popup = makePopup_(opener, owner_.bind([](NewWindows& self, PopupHost* closed) { self.closed(closed); }));
    WebKitWebView* view = popup->view();
    popups_.emplace_back(openerKey, std::move(popup));
    return view;
}

void NewWindows::closeAll(const PageKey& openerKey) {
    std::erase_if(popups_, [&](const auto& entry) { return entry.first == openerKey; });
}

// Called from the window's or the page's own close: the window goes once that has returned.
void NewWindows::closed(PopupHost* popup) {
    for (auto it = popups_.begin(); it != popups_.end(); ++it) {
        if (it->second.get() != popup) continue;
        auto owned = std::move(it->second);
        popups_.erase(it);
        queue_.post([held = std::shared_ptr<PopupHost>(std::move(owned))] {});
        return;
    }
}

}  // namespace corvina
