#pragma once
#include <functional>

#include <gtkmm/window.h>
#include <webkit/webkit.h>

namespace corvina {

// A small window of ours for a page's pop-up (a sign-in window). Its page is related to
// the opener's, so the two can talk through `window.opener`. It closes when its page
// closes itself, and it never outlives the window of its opener.
class PopupWindow : public Gtk::Window {
public:
    static constexpr int defaultWidth = 520;
    static constexpr int defaultHeight = 680;

    // `closed` is called when the page or the user closes the window; the owner then lets it go.
    PopupWindow(WebKitWebView* opener, std::function<void(PopupWindow*)> closed);
    ~PopupWindow() override;

    WebKitWebView* view() const { return view_; }

private:
    void readyToShow();

    WebKitWebView* view_;
    std::function<void(PopupWindow*)> closed_;
};

}  // namespace corvina
