#include "panels/ClipboardPanelParts.hpp"

#include "app/AppSettings.hpp"
#include "app/AppState.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

constexpr int symbolSize = 11;

}  // namespace

SidePanelCollapseHandle::SidePanelCollapseHandle(AppContext& context)
    : context_(context), motion_(Gtk::EventControllerMotion::create()),
      hover_(*this, hoverSpring, 0, [this](double amount) { applyHover(amount); }) {
    add_css_class("side-panel-handle");
    set_size_request(8, 40);
    set_halign(Gtk::Align::START);
    set_valign(Gtk::Align::CENTER);
    bar_.add_css_class("side-panel-handle-bar");
    bar_.set_size_request(3, 40);
    bar_.set_halign(Gtk::Align::CENTER);
    set_child(bar_);

    // The user is done with the panel for now.
    connections_ += signal_clicked().connect([this] { context_.appState.setShowDetailPanel(false); });
    connections_ += motion_->signal_enter().connect([this](double, double) { hover_.animateTo(1); });
    connections_ += motion_->signal_leave().connect([this] { hover_.animateTo(0); });
    add_controller(motion_);
    connections_ += context.appSettings.appearance().observe([this] { applyHover(hover_.value()); });
    applyHover(0);
}

void SidePanelCollapseHandle::setPanelTitle(const std::string& title) { setAccessibleLabel(*this, title); }

// The bar is white in dark appearance and grey in light (both from the style sheet); only
// how strongly it shows changes here.
void SidePanelCollapseHandle::applyHover(double amount) {
    const bool dark = context_.appSettings.appearance().get() == AppAppearance::dark;
    const double resting = dark ? 0.1 : 0.2;
    bar_.set_opacity(resting + 0.2 * amount);
}

SidePanelEmptyState::SidePanelEmptyState(const std::string& symbol, int spaceAbove)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 12) {
    add_css_class("side-panel-empty");
    set_halign(Gtk::Align::CENTER);
    set_hexpand(true);
    set_margin_top(spaceAbove);
    showSymbol(symbol_, symbol, 28);
    text_.add_css_class("side-panel-empty-text");
    text_.set_justify(Gtk::Justification::CENTER);
    text_.set_wrap(true);
    append(symbol_);
    append(text_);
}

SidePanelIconButton::SidePanelIconButton(MainQueue& queue, const std::string& symbol) : tooltip_(*this, queue) {
    add_css_class("flat");
    add_css_class("side-panel-icon-button");
    set_child(icon_);
    setSymbol(symbol);
}

void SidePanelIconButton::setSymbol(const std::string& symbol) {
    if (symbol == symbol_) return;
    symbol_ = symbol;
    showSymbol(icon_, symbol, symbolSize);
}

void SidePanelIconButton::setName(const std::string& name) {
    tooltip_.setText(name);
    setAccessibleLabel(*this, name);
}

}  // namespace corvina
