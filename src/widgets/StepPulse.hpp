#pragma once
#include <gtkmm/widget.h>

#include "platform/MainQueue.hpp"

namespace corvina {

// Makes the marks under a widget pulse in two steps a beat, by turning a style class on its
// root on and off. A CSS animation would have the window drawn at the display's rate for as
// long as any mark runs it: with many services answering out of sight, a quarter of a core.
class StepPulse {
public:
    static constexpr Milliseconds step{600};
    // Marks under a root with this class are drawn faint.
    static constexpr const char* faintClass = "pulse-faint";

    StepPulse(Gtk::Widget& root, MainQueue& queue) : root_(root), queue_(queue) {}

    // Beats while on; off, the marks stay at full strength.
    void run(bool on);

private:
    Gtk::Widget& root_;
    MainQueue& queue_;
    TimerHandle beat_;
};

}  // namespace corvina
