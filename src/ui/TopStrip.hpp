#pragma once
#include <functional>

#include <giomm/menu.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/togglebutton.h>
#include <gtkmm/menubutton.h>
#include <gtkmm/overlay.h>
#include <gtkmm/windowhandle.h>

#include "ui/LayoutButton.hpp"
#include "web/AppContext.hpp"
#include "platform/Observable.hpp"
#include "widgets/WindowBackdrop.hpp"

namespace corvina {

// The thin draggable strip at the top of the main window: app menu, the Ask Several
// composer's toggle, the layout of the panes, minimise, zoom, close.
class TopStrip : public Gtk::WindowHandle {
public:
    TopStrip(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu);

    // What the zoom button does; the window's maximise toggle until something else is set.
    void setZoomHandler(std::function<void()> handler) { zoom_ = std::move(handler); }


private:
    void retitle();

    AppContext& context_;
    Gtk::Overlay layers_;
    WindowBackdrop backdrop_;
    Gtk::Box box_{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::MenuButton menuButton_;
    Gtk::ToggleButton askButton_;
    Gtk::Box askContent_{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::Image askIcon_;
    Gtk::Label askLabel_;
    ScopedConnection askToggled_;
    LayoutButton layoutButton_;
    Gtk::Box controls_{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::Button minimizeButton_;
    Gtk::Button zoomButton_;
    Gtk::Button closeButton_;
    std::function<void()> zoom_;
    Connections connections_;
};

}  // namespace corvina
