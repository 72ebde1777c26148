#pragma once
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/searchentry.h>
#include <gtkmm/togglebutton.h>
#include <webkit/webkit.h>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"
#include "platform/SignalConnection.hpp"

namespace corvina {

// Find in page, at the top of one pane: the text, "3 of 12", previous and next, match
// case, close. It searches the page its pane shows and keeps its text when the pane
// switches to another service, searching that page instead.
class FindBar : public Gtk::Box {
public:
    static constexpr unsigned maxMatches = 1000;

    FindBar();
    ~FindBar() override;

    // Opens (or focuses) the bar with its text selected.
    void open();
    // Closes the bar and takes the highlight off the page.
    void close();
    bool isOpen() const { return get_visible(); }
    // The page searched from now on (null: none).
    void setPage(WebKitWebView* page);
    void setLanguage(AppLanguage language);

    void next();
    void previous();

    Gtk::SearchEntry& entry() { return entry_; }
    Gtk::ToggleButton& caseButton() { return case_; }
    Gtk::Button& closeButton() { return close_; }
    std::string countText() const { return count_.get_text(); }

private:
    void search();
    void step(bool forward);
    void showCount();
    void watch(WebKitWebView* page);
    void unwatch();
    WebKitFindController* finder() const;
    uint32_t options() const;

    Gtk::SearchEntry entry_;
    Gtk::Label count_;
    Gtk::Button previous_;
    Gtk::Image previousIcon_;
    Gtk::Button next_;
    Gtk::Image nextIcon_;
    Gtk::ToggleButton case_;
    Gtk::Button close_;
    Gtk::Image closeIcon_;
    Glib::RefPtr<Gtk::EventControllerKey> keys_;
    WebKitWebView* page_ = nullptr;
    SignalConnection found_;
    SignalConnection failed_;
    SignalConnection counted_;
    AppLanguage language_ = AppLanguage::en;
    // The engine tells how many matches there are, not which one is highlighted: the bar
    // counts its own steps through them.
    unsigned matches_ = 0;
    unsigned current_ = 0;
    Connections connections_;
};

}  // namespace corvina
