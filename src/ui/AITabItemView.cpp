#include "ui/AITabItemView.hpp"

#include <gtkmm/eventcontrollerkey.h>

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

AITabItemView::~AITabItemView() { menu_.unparent(); }

void AITabItemView::offerAnotherAccount(std::function<void()> add) {
    anotherAccount_.add_css_class("flat");
    anotherAccount_.add_css_class("tab-row-menu-item");
    anotherAccount_.signal_clicked().connect([this, add = std::move(add)] {
        menu_.popdown();
        add();
    });
    menu_.set_child(anotherAccount_);
    menu_.set_has_arrow(false);
    menu_.set_parent(*this);
    menuClick_ = Gtk::GestureClick::create();
    menuClick_->set_button(GDK_BUTTON_SECONDARY);
    menuClick_->signal_pressed().connect([this](int, double, double) { openMenu(); });
    add_controller(menuClick_);
    auto keys = Gtk::EventControllerKey::create();
    keys->signal_key_pressed().connect(
        [this](guint key, guint, Gdk::ModifierType state) {
            const bool shift = (state & Gdk::ModifierType::SHIFT_MASK) == Gdk::ModifierType::SHIFT_MASK;
            if (key != GDK_KEY_Menu && !(key == GDK_KEY_F10 && shift)) return false;
            openMenu();
            return true;
        },
        false);
    add_controller(keys);
}

void AITabItemView::openMenu() {
    if (menu_.get_parent()) menu_.popup();
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
    anotherAccount_.set_label(anotherAccountText.in(language));
}

}  // namespace corvina
