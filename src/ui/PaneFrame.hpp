#pragma once
#include <gtkmm/box.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/overlay.h>

#include "pane/WebBrowserContainerView.hpp"
#include "platform/Observable.hpp"
#include "ui/PaneHeader.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// One pane with its rounded corners, its shadow, its header while there are several panes,
// and the outline that marks the active one, where the next selection goes. A click on it
// makes it that pane.
class PaneFrame : public Gtk::Overlay {
public:
    PaneFrame(AppContext& context, Pane pane);

    Pane pane() const { return pane_; }
    WebBrowserContainerView& container() { return container_; }
    PaneHeader& header() { return header_; }

private:
    void refresh();

    AppContext& context_;
    Pane pane_;
    Gtk::Box column_{Gtk::Orientation::VERTICAL};
    PaneHeader header_;
    WebBrowserContainerView container_;
    Gtk::Box outline_;
    Glib::RefPtr<Gtk::GestureClick> click_;
    Connections connections_;
};

}  // namespace corvina
