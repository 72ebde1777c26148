#pragma once
#include <gtkmm/box.h>
#include <gtkmm/window.h>

#include "app/AppContext.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// The separate settings window, opened from the app menu; hidden, not destroyed, on close.
class SettingsWindow : public Gtk::Window {
public:
    static constexpr int width = 450;
    static constexpr int height = 320;

    explicit SettingsWindow(AppContext& context);

private:
    void retitle();

    AppContext& context_;
    Gtk::Box pages_{Gtk::Orientation::VERTICAL};
    Connections connections_;
};

}  // namespace corvina
