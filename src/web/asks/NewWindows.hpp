#pragma once
#include <functional>
#include <utility>
#include <vector>
#include <memory>
#include <string>

#include <webkit/webkit.h>

#include "app/AppSettings.hpp"
#include "platform/MainQueue.hpp"
#include "platform/WeakOwner.hpp"
#include "web/page/PageKey.hpp"

namespace corvina {

class UriLauncher;

// A window of ours that shows a page's pop-up; the pane layer makes them.
class PopupHost {
public:
    virtual ~PopupHost() = default;
    virtual WebKitWebView* view() const = 0;
};
// Makes the window of a pop-up of `opener`; `closed` runs when its page or the user closes it.
using PopupMaker =
    std::function<std::unique_ptr<PopupHost>(WebKitWebView* opener, std::function<void(PopupHost*)> closed)>;

enum class NewWindowAction { none, openInBrowser, openInApp };

// A page gets a new window only for the user's own click or key, and only where the
// setting says; the browser gets web addresses only.
NewWindowAction decideNewWindow(NewWindowTarget target, bool userGesture, const std::string& address);

// The new windows of the pages: handed to the browser, or opened as small windows of ours
// whose page stays related to its opener (a sign-in pop-up reports back to it).
class NewWindows {
public:
    NewWindows(MainQueue& queue, const Published<NewWindowTarget>& target, UriLauncher& launcher, PopupMaker makePopup);
    ~NewWindows();
    NewWindows(const NewWindows&) = delete;
    NewWindows& operator=(const NewWindows&) = delete;

    // The engine's request for a new window from the page of `openerKey`: the new page's
    // view, or nullptr when none opens here.
    WebKitWebView* request(const PageKey& openerKey, WebKitWebView* opener, WebKitNavigationAction* action);
    // The pop-ups a page opened close with it.
    void closeAll(const PageKey& openerKey);

private:
    void closed(PopupHost* popup);

    MainQueue& queue_;
    const Published<NewWindowTarget>& target_;
    UriLauncher& launcher_;
    PopupMaker makePopup_;
    // Opener key and pop-up, oldest first.
    std::vector<std::pair<PageKey, std::unique_ptr<PopupHost>>> popups_;
    WeakOwner<NewWindows> owner_{this};
};

}  // namespace corvina
