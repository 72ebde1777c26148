#pragma once
#include <gtkmm/applicationwindow.h>
#include <gtkmm/box.h>

#include "app/AppContext.hpp"
#include "platform/Observable.hpp"
#include "ui/TopStrip.hpp"

namespace corvina {

// The one main window: gradient background, the top strip, and the content area.
class MainWindow : public Gtk::ApplicationWindow {
public:
    static constexpr int minimumWidth = 900;
    static constexpr int minimumHeight = 600;

    MainWindow(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu);

    TopStrip& topStrip() { return topStrip_; }
    // Where the main layout goes.
    void setContent(Gtk::Widget& content);

private:
    AppContext& context_;
    TopStrip topStrip_;
    Gtk::Box content_{Gtk::Orientation::VERTICAL};
};

}  // namespace corvina
