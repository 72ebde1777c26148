#include "widgets/DelayedTooltip.hpp"

namespace corvina {

DelayedTooltip::DelayedTooltip(Gtk::Widget& control, MainQueue& queue)
    : control_(control), queue_(queue), motion_(Gtk::EventControllerMotion::create()) {
    label_.add_css_class("delayed-tooltip-text");
    bubble_.set_child(label_);
    bubble_.set_has_arrow(false);
    bubble_.set_autohide(false);
    bubble_.set_can_target(false);
    bubble_.set_can_focus(false);
    bubble_.set_position(Gtk::PositionType::TOP);
    bubble_.set_offset(0, -8);
    bubble_.add_css_class("delayed-tooltip");
    bubble_.set_parent(control_);

    connections_ += motion_->signal_enter().connect([this](double, double) { pointerEntered(); });
    connections_ += motion_->signal_leave().connect([this] { pointerLeft(); });
    control_.add_controller(motion_);
}

DelayedTooltip::~DelayedTooltip() {
    connections_.clear();
    control_.remove_controller(motion_);
    bubble_.unparent();
}

void DelayedTooltip::pointerEntered() {
    hoverTask_ = queue_.after(delay, [this] {
        shown_ = true;
        if (control_.get_mapped()) bubble_.popup();
    });
}

void DelayedTooltip::pointerLeft() {
    hoverTask_.reset();
    shown_ = false;
    bubble_.popdown();
}

}  // namespace corvina
