#pragma once
#include <gtkmm/box.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/overlay.h>

#include "web/AppContext.hpp"
#include "platform/Observable.hpp"
#include "pane/WebBrowserContainerView.hpp"

namespace corvina {

// One pane with its rounded corners, its shadow and, in split mode, the outline that marks
// it as the pane the next selection goes to. A click on it makes it that pane.
class PaneFrame : public Gtk::Overlay {
public:
    PaneFrame(AppContext& context, Pane pane);

    WebBrowserContainerView& container() { return container_; }

private:
    void refresh();

    AppContext& context_;
    Pane pane_;
    WebBrowserContainerView container_;
    Gtk::Box outline_;
    Glib::RefPtr<Gtk::GestureClick> click_;
    Connections connections_;
};

}  // namespace corvina
