#include "ui/PaneFrame.hpp"

namespace corvina {

PaneFrame::PaneFrame(AppContext& context, Pane pane)
    : context_(context), pane_(pane), container_(context, pane), click_(Gtk::GestureClick::create()) {
    add_css_class("pane-frame");
    set_overflow(Gtk::Overflow::HIDDEN);
    set_hexpand(true);
    set_child(container_);
    outline_.add_css_class(pane == Pane::primary ? "primary-outline" : "secondary-outline");
    outline_.set_can_target(false);
    add_overlay(outline_);

    // Capture phase: the pane becomes active and the page still gets its click.
    click_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    connections_ += click_->signal_pressed().connect([this](int, double, double) { context_.appState.setActivePane(pane_); });
    add_controller(click_);

    auto& state = context.appState;
    connections_ += state.activePane().observe([this] { refresh(); });
    connections_ += state.isSplitMode().observe([this] { refresh(); });
    refresh();
}

void PaneFrame::refresh() {
    const auto& state = context_.appState;
    outline_.set_visible(state.isSplitMode().get() && state.activePane().get() == pane_);
}

}  // namespace corvina
