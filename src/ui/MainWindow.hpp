#pragma once
#include <gtkmm/applicationwindow.h>
#include <gtkmm/box.h>
#include <gtkmm/overlay.h>

#include "app/AppContext.hpp"
#include "platform/Observable.hpp"
#include "ui/TopStrip.hpp"
#include "ui/components/WindowBackdrop.hpp"

namespace corvina {

// The one main window: gradient background, the top strip, and the content area.
class MainWindow : public Gtk::ApplicationWindow {
public:
    static constexpr int minimumWidth = 900;
    static constexpr int minimumHeight = 600;

    MainWindow(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu);
    ~MainWindow() override;

    TopStrip& topStrip() { return topStrip_; }
    // Where the main layout goes.
    void setContent(Gtk::Widget& content);

private:
    void watchMinimized();
    void unwatchMinimized();

    AppContext& context_;
    GdkSurface* surface_ = nullptr;
    gulong stateHandler_ = 0;
    TopStrip topStrip_;
    Gtk::Overlay layers_;
    WindowBackdrop backdrop_;
    Gtk::Box content_{Gtk::Orientation::VERTICAL};
};

}  // namespace corvina
