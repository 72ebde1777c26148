#pragma once
#include <functional>

#include <gtkmm/window.h>
#include <webkit/webkit.h>

#include "platform/SignalConnection.hpp"
#include "web/asks/NewWindows.hpp"

namespace corvina {

// A small window of ours for a page's pop-up (a sign-in window). Its page is related to
// the opener's, so the two can talk through `window.opener`. It closes when its page
// closes itself, and it never outlives the window of its opener.
class PopupWindow : public Gtk::Window, public PopupHost {
public:
    static constexpr int defaultWidth = 520;
    static constexpr int defaultHeight = 680;

    // `closed` is called when the page or the user closes the window; the owner then lets it go.
    PopupWindow(WebKitWebView* opener, std::function<void(PopupHost*)> closed);
    ~PopupWindow() override;

    WebKitWebView* view() const override { return view_; }
    static PopupMaker maker();

private:
    void readyToShow();

    WebKitWebView* view_;
    std::function<void(PopupHost*)> closed_;
    SignalConnection readyToShow_, pageClosed_, titleChanged_, create_;
};

}  // namespace corvina
