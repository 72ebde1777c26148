#include "pane/PermissionBar.hpp"

namespace corvina {

PermissionBar::PermissionBar(std::function<void(bool allowed)> onAnswer) : Gtk::Box(Gtk::Orientation::HORIZONTAL, 8) {
    add_css_class("permission-bar");
    question_.set_hexpand(true);
    question_.set_xalign(0);
    question_.set_wrap(true);
    question_.add_css_class("permission-question");
    allow_.add_css_class("suggested-action");
    deny_.signal_clicked().connect([onAnswer] { onAnswer(false); });
    allow_.signal_clicked().connect([onAnswer] { onAnswer(true); });
    append(question_);
    append(deny_);
    append(allow_);
}

void PermissionBar::setTexts(const std::string& question, const std::string& allow, const std::string& deny) {
    question_.set_text(question);
    allow_.set_label(allow);
    deny_.set_label(deny);
}

}  // namespace corvina
