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

private:
    Gtk::Label question_;
    Gtk::Button deny_;
    Gtk::Button allow_;
};

}  // namespace corvina
