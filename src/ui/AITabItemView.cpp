#include "ui/AITabItemView.hpp"

#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

void setClass(Gtk::Widget& widget, const char* name, bool on) {
    on ? widget.add_css_class(name) : widget.remove_css_class(name);
}

}  // namespace

AITabItemView::AITabItemView(AITab tab, std::function<void()> action) : tab_(std::move(tab)) {
    add_css_class("flat");
    add_css_class("tab-row");
    if (tab_.iconIsSymbol()) add_css_class("symbol-icon");
    showServiceIcon(icon_, tab_.icon, tab_.iconIsSymbol() ? IconKind::symbol : IconKind::serviceImage, 24);
    content_.append(icon_);
    label_.set_xalign(0);
    label_.set_hexpand(true);
    label_.set_ellipsize(Pango::EllipsizeMode::END);
    label_.add_css_class("tab-name");
    content_.append(label_);
    set_child(content_);
    // The user picks this service for the active pane.
    signal_clicked().connect(std::move(action));
}

void AITabItemView::update(bool primarySelected, bool secondarySelected, bool showLabel, AppLanguage language) {
    const auto& name = tab_.displayName(language);
    label_.set_text(name);
    label_.set_visible(showLabel);
    content_.set_halign(showLabel ? Gtk::Align::FILL : Gtk::Align::CENTER);
    setClass(*this, "expanded", showLabel);
    setClass(*this, "primary-selected", primarySelected && !secondarySelected);
    setClass(*this, "secondary-selected", secondarySelected);
    set_tooltip_text(showLabel ? "" : name);
    setAccessibleLabel(*this, name);
}

}  // namespace corvina
