#pragma once
#include <string>

#include <gtkmm/eventcontrollermotion.h>
#include <gtkmm/label.h>
#include <gtkmm/popover.h>

#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// A text bubble above a control, shown once the pointer has rested on it for a second.
// Leaving within the delay shows nothing; coming back starts the full delay again.
class DelayedTooltip {
public:
    static constexpr Milliseconds delay{1000};

    DelayedTooltip(Gtk::Widget& control, MainQueue& queue);
    ~DelayedTooltip();
    DelayedTooltip(const DelayedTooltip&) = delete;
    DelayedTooltip& operator=(const DelayedTooltip&) = delete;

    void setText(const std::string& text) { label_.set_text(text); }
    std::string text() const { return label_.get_text(); }
    bool isShown() const { return shown_; }

    // What the pointer does; public so tests can drive it without a pointer.
    void pointerEntered();
    void pointerLeft();

private:
    Gtk::Widget& control_;
    MainQueue& queue_;
    Glib::RefPtr<Gtk::EventControllerMotion> motion_;
    Gtk::Popover bubble_;
    Gtk::Label label_;
    TimerHandle hoverTask_;
    bool shown_ = false;
    Connections connections_;
};

}  // namespace corvina
