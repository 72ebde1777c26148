#include "ui/PaneFrame.hpp"

#include "app/AppState.hpp"

namespace corvina {

PaneFrame::PaneFrame(AppContext& context, Pane pane)
    : context_(context), pane_(pane), header_(context, pane), container_(context, pane),
      click_(Gtk::GestureClick::create()) {
    add_css_class("pane-frame");
    set_overflow(Gtk::Overflow::HIDDEN);
    set_hexpand(true);
    set_vexpand(true);
    container_.set_vexpand(true);
    column_.append(header_);
    column_.append(container_);
    set_child(column_);
    // The first pane keeps the colour the tab bar gives its service; the others share one.
    outline_.add_css_class(pane == 0 ? "primary-outline" : "secondary-outline");
    outline_.set_can_target(false);
    add_overlay(outline_);

    // Capture phase: the pane becomes active and the page still gets its click.
    click_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    connections_ += click_->signal_pressed().connect(
        [this](int, double, double) { context_.appState.panes().setActive(pane_); });
    add_controller(click_);

    connections_ += context.appState.panes().observe([this] { refresh(); });
    refresh();
}

void PaneFrame::refresh() {
    const auto& panes = context_.appState.panes();
    header_.set_visible(panes.isSplit());
    outline_.set_visible(panes.isSplit() && panes.activePane() == pane_);
}

}  // namespace corvina
