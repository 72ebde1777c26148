#pragma once
#include <functional>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

namespace corvina {

// The bar at the top of a pane in which the user answers a page's permission request.
class PermissionBar : public Gtk::Box {
public:
    explicit PermissionBar(std::function<void(bool allowed)> onAnswer);

    void setTexts(const std::string& question, const std::string& allow, const std::string& deny);
    std::string question() const { return question_.get_text(); }
    Gtk::Button& allowButton() { return allow_; }
    Gtk::Button& denyButton() { return deny_; }

private:
    Gtk::Label question_;
    Gtk::Button deny_;
    Gtk::Button allow_;
};

}  // namespace corvina
