#include "ui/ContentView.hpp"

#include <cmath>

#include <gtkmm/window.h>

#include "app/AskSeveral.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr SpringCurve detailColumnSpring{0.35, 1.0};
constexpr const char* panelNames[] = {"settings", "clipboard", "customTags", "prompts"};

double tabBarWidthFor(const AppState& state) {
    return state.showSidebar().get() ? AppState::sidebarWidth : AppState::sidebarCollapsedWidth;
}

double detailWidthFor(const AppState& state) {
    return state.showDetailPanel().get() ? ContentView::detailOpenWidth : ContentView::detailClosedWidth;
}

}  // namespace

ContentView::ContentView(AppContext& context, DetailViews detail)
    : context_(context),
      askSeveralBar_(context),
      grid_(context),
      tabBar_(context),
      toolbar_(detail.toolbar),
      catcherClick_(Gtk::GestureClick::create()),
      tabBarWidth_(*this, panelSpring, tabBarWidthFor(context.appState), [this](double) { applyInsets(); }),
      detailWidth_(*this, detailColumnSpring, detailWidthFor(context.appState),
                   [this](double width) { applyDetailWidth(width); }) {
    add_css_class("content-view");
    set_size_request(900, 600);

    paneArea_.append(grid_);
    askSeveralRevealer_.set_transition_type(Gtk::RevealerTransitionType::SLIDE_UP);
    revealDuration_ = askSeveralRevealer_.get_transition_duration();
    askSeveralRevealer_.set_child(askSeveralBar_);
    paneArea_.append(askSeveralRevealer_);
    announceOnlyWhileRevealed(askSeveralRevealer_);
    set_child(paneArea_);

    tabBarColumn_.add_css_class("tab-bar-column");
    tabBarColumn_.set_overflow(Gtk::Overflow::HIDDEN);
    tabBarColumn_.set_valign(Gtk::Align::FILL);
    tabBar_.set_hexpand(true);
    tabBarColumn_.append(tabBar_);
    add_overlay(tabBarColumn_);

    detailColumn_.add_css_class("detail-column");
    detailColumn_.set_overflow(Gtk::Overflow::HIDDEN);
    toolbar_.set_halign(Gtk::Align::END);
    detailColumn_.set_child(toolbar_);
    for (auto [widget, name] : {std::pair<Gtk::Widget*, const char*>{&detail.settings, panelNames[0]},
                                {&detail.clipboard, panelNames[1]},
                                {&detail.customTags, panelNames[2]}, {&detail.prompts, panelNames[3]}})
        panels_.add(*widget, name);
    panels_.set_halign(Gtk::Align::END);
    panels_.set_hhomogeneous(true);
    announceShownPageOnly(panels_);
    detailColumn_.add_overlay(panels_);
    add_overlay(detailColumn_);
    closeOnEscape(detailColumn_, [this] { context_.appState.setShowDetailPanel(false); });

    // While the panel is open, a click on the pages or the tab bar only closes it.
    catcher_.add_css_class("click-catcher");
    catcherClick_->signal_pressed().connect([this](int, double, double) {
        catcherClick_->set_state(Gtk::EventSequenceState::CLAIMED);
        context_.appState.setShowDetailPanel(false);
    });
    catcher_.add_controller(catcherClick_);
    add_overlay(catcher_);

    auto& state = context.appState;
    connections_ += state.showSidebar().observe([this] { refreshSides(); });
    connections_ += state.sidebarPosition().observe([this] { refreshSides(); });
    connections_ += state.showDetailPanel().observe([this] { refreshDetail(); });
    connections_ += state.detailPanelType().observe([this] { refreshDetail(); });
    connections_ += context.askSeveral.isOpen().observe([this] { refreshAskSeveral(); });
    refreshSides();
    refreshDetail();
    finishAnimations();
}

ContentView::~ContentView() { connections_.clear(); }

void ContentView::finishAnimations() {
    tabBarWidth_.set(tabBarWidth_.target());
    detailWidth_.set(detailWidth_.target());
}

void ContentView::refreshSides() {
    const bool onLeft = context_.appState.sidebarPosition().get() == SidebarPosition::left;
    tabBarColumn_.set_halign(onLeft ? Gtk::Align::START : Gtk::Align::END);
    detailColumn_.set_halign(onLeft ? Gtk::Align::END : Gtk::Align::START);
    toolbar_.set_halign(onLeft ? Gtk::Align::END : Gtk::Align::START);
    panels_.set_halign(onLeft ? Gtk::Align::END : Gtk::Align::START);
    tabBarWidth_.animateTo(tabBarWidthFor(context_.appState));
    applyInsets();
    applyDetailWidth(detailWidth_.value());
}

void ContentView::refreshDetail() {
    const auto& state = context_.appState;
    panels_.set_visible_child(panelNames[static_cast<int>(state.detailPanelType().get())]);
    catcher_.set_visible(state.showDetailPanel().get());
    detailWidth_.animateTo(detailWidthFor(state));
}

// The pages keep clear of both side columns; the insets follow the animated widths.
void ContentView::applyInsets() {
    const bool onLeft = context_.appState.sidebarPosition().get() == SidebarPosition::left;
    const int bar = static_cast<int>(std::lround(tabBarWidth_.value()));
    const int detail = static_cast<int>(std::lround(detailWidth_.value()));
    paneArea_.set_margin_start(onLeft ? bar : detail);
    paneArea_.set_margin_end(onLeft ? detail : bar);
    tabBarColumn_.set_size_request(bar, -1);
    catcher_.set_margin_start(onLeft ? 0 : detail);
    catcher_.set_margin_end(onLeft ? detail : 0);
}

// The panel slides and fades in from the outer edge as the toolbar fades out.
void ContentView::applyDetailWidth(double width) {
    const double progress = std::clamp((width - detailClosedWidth) / (detailOpenWidth - detailClosedWidth), 0.0, 1.0);
    detailColumn_.set_size_request(static_cast<int>(std::lround(width)), -1);
    panels_.set_opacity(progress);
    panels_.set_visible(progress > 0.0);
    const int shift = static_cast<int>(std::lround(20 * (1 - progress)));
    const bool onLeft = context_.appState.sidebarPosition().get() == SidebarPosition::left;
    panels_.set_margin_start(onLeft ? 0 : shift);
    panels_.set_margin_end(onLeft ? shift : 0);
    toolbar_.set_opacity(1 - progress);
    toolbar_.set_can_target(progress < 0.5);
    // Under an open panel the toolbar is out of sight: out of the keyboard's and screen
    // readers' reach too.
    const bool toolbarInReach = progress == 0.0;
    if (toolbar_.get_can_focus() != toolbarInReach) {
        toolbar_.set_can_focus(toolbarInReach);
        gtk_accessible_update_state(GTK_ACCESSIBLE(toolbar_.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, !toolbarInReach, -1);
    }
    applyInsets();
}

// Opened, the composer has the keyboard; closed, the active pane's page gets it back.
void ContentView::refreshAskSeveral() {
    const bool open = context_.askSeveral.isOpen().get();
    // Summoned into a window that is not in front, the composer is there at once: a sliding
    // one takes no keys until its first frame, and the first keys typed as the window comes up
    // would be lost.
    const auto* window = dynamic_cast<const Gtk::Window*>(get_root());
    askSeveralRevealer_.set_transition_duration(window && window->is_active() ? revealDuration_ : 0);
    askSeveralRevealer_.set_reveal_child(open);
    if (open) return askSeveralBar_.focusField();
    if (auto* view = grid_.activeFrame().container().shownWebView()) gtk_widget_grab_focus(GTK_WIDGET(view));
}

}  // namespace corvina
