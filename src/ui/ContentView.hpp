#pragma once
#include <memory>

#include <gtkmm/box.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/overlay.h>
#include <gtkmm/revealer.h>
#include <gtkmm/stack.h>

#include "web/AppContext.hpp"
#include "platform/Observable.hpp"
#include "ui/AITabBarView.hpp"
#include "ui/AskSeveralBar.hpp"
#include "ui/PaneGrid.hpp"
#include "widgets/Spring.hpp"

namespace corvina {

// The views of the detail column, made by their owners.
struct DetailViews {
    Gtk::Widget& toolbar;
    Gtk::Widget& settings;
    Gtk::Widget& clipboard;
    Gtk::Widget& customTags;
    Gtk::Widget& prompts;
};

// The main layout: the grid of panes, the tab bar on one side and
// the detail column on the other, over the window's soft background. While the detail
// panel is open, a click anywhere outside it only closes it.
class ContentView : public Gtk::Overlay {
public:
    static constexpr double detailOpenWidth = 300;
    static constexpr double detailClosedWidth = 44;

    ContentView(AppContext& context, DetailViews detail);
    // The composer, for prompts put into it from elsewhere.
    AskSeveralBar& askSeveralBar() { return askSeveralBar_; }
    ~ContentView() override;

    // Where things stand now (after animations settle), for tests.
    int leadingInset() const { return paneArea_.get_margin_start(); }
    int trailingInset() const { return paneArea_.get_margin_end(); }
    AITabBarView& tabBar() { return tabBar_; }
    PaneGrid& panes() { return grid_; }
    Gtk::Widget& detailColumn() { return detailColumn_; }
    // Jumps every running animation to its end.
    void finishAnimations();

private:
    void refreshSides();
    void refreshDetail();
    void applyInsets();
    void applyDetailWidth(double width);
    void refreshAskSeveral();

    AppContext& context_;
    // The panes, and the Ask Several composer across the bottom of them.
    Gtk::Box paneArea_{Gtk::Orientation::VERTICAL, 6};
    Gtk::Revealer askSeveralRevealer_;
    unsigned revealDuration_ = 0;
    AskSeveralBar askSeveralBar_;
    PaneGrid grid_;
    Gtk::Box tabBarColumn_;
    AITabBarView tabBar_;
    Gtk::Overlay detailColumn_;
    Gtk::Widget& toolbar_;
    Gtk::Stack panels_;
    Gtk::Box catcher_;
    Glib::RefPtr<Gtk::GestureClick> catcherClick_;
    SpringValue tabBarWidth_;
    SpringValue detailWidth_;
    Connections connections_;
};

}  // namespace corvina
