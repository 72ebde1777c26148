#include "ui/AITabItemView.hpp"

#include <gtkmm/eventcontrollerkey.h>

#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

constexpr LocalizedText answeringText{"Answering", "回答中", "回答中"};
constexpr LocalizedText answerReadyText{"Answer ready", "回答已完成", "回答已完成"};

void setClass(Gtk::Widget& widget, const char* name, bool on) {
    on ? widget.add_css_class(name) : widget.remove_css_class(name);
}

}  // namespace

AITabItemView::AITabItemView(AITab tab, std::function<void()> action) : tab_(std::move(tab)) {
    add_css_class("flat");
    add_css_class("tab-row");
    if (tab_.iconIsSymbol()) add_css_class("symbol-icon");
    showServiceIcon(icon_, tab_.icon, tab_.iconIsSymbol() ? IconKind::symbol : IconKind::serviceImage, 24);
    iconLayers_.set_child(icon_);
    iconMarks_.set_halign(Gtk::Align::END);
    iconMarks_.set_valign(Gtk::Align::START);
    iconMarks_.set_can_target(false);
    iconLayers_.add_overlay(iconMarks_);
    content_.append(iconLayers_);
    for (auto* marks : {&rowMarks_, &iconMarkSet_}) {
        marks->answering.add_css_class("answering-mark");
        marks->ready.add_css_class("answer-ready-dot");
        marks->ready.set_valign(Gtk::Align::CENTER);
        marks->unread.add_css_class("unread-badge");
        for (Gtk::Widget* mark : std::initializer_list<Gtk::Widget*>{&marks->answering, &marks->ready, &marks->unread})
            mark->set_visible(false);
    }
    for (Gtk::Widget* mark : std::initializer_list<Gtk::Widget*>{&rowMarks_.answering, &rowMarks_.ready, &rowMarks_.unread})
        marks_.append(*mark);
    for (Gtk::Widget* mark :
         std::initializer_list<Gtk::Widget*>{&iconMarkSet_.answering, &iconMarkSet_.ready, &iconMarkSet_.unread})
        iconMarks_.append(*mark);
    iconMarks_.add_css_class("icon-marks");
    label_.set_xalign(0);
    label_.set_hexpand(true);
    label_.set_ellipsize(Pango::EllipsizeMode::END);
    label_.add_css_class("tab-name");
    content_.append(label_);
    marks_.set_valign(Gtk::Align::CENTER);
    content_.append(marks_);
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

// Collapsed, the icon carries one mark: answering, else a ready answer, else the count.
void AITabItemView::showActivity(const ServiceActivity& activity, bool expanded, AppLanguage language) {
    const std::string count = activity.unread ? std::to_string(*activity.unread) : "";
    rowMarks_.unread.set_text(count);
    iconMarkSet_.unread.set_text(count);
    rowMarks_.answering.set_visible(expanded && activity.answering);
    rowMarks_.ready.set_visible(expanded && activity.answerReady && !activity.answering);
    rowMarks_.unread.set_visible(expanded && activity.unread);
    iconMarkSet_.answering.set_visible(!expanded && activity.answering);
    iconMarkSet_.ready.set_visible(!expanded && activity.answerReady && !activity.answering);
    iconMarkSet_.unread.set_visible(!expanded && activity.unread && !activity.answering && !activity.answerReady);
    const std::string description = activity.answering     ? answeringText.in(language)
                                    : activity.answerReady ? answerReadyText.in(language)
                                                           : "";
    gtk_accessible_update_property(GTK_ACCESSIBLE(gobj()), GTK_ACCESSIBLE_PROPERTY_DESCRIPTION, description.c_str(), -1);
    setClass(*this, "answering", activity.answering);
}

}  // namespace corvina
