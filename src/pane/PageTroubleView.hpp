#pragma once
#include <functional>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

namespace corvina {

// What a pane shows over a page that stopped or could not be reached: what happened, in
// plain words, and one button to load it again; for a certificate the site offered, what
// it says and, where the user may, a button to trust it. Texts are shown as they are,
// never as markup.
class PageTroubleView : public Gtk::Box {
public:
    PageTroubleView(std::function<void()> onAction, std::function<void()> onTrust);

    // Without an action text there is no button: nothing would help.
    void setTexts(const std::string& title, const std::string& detail, const std::string& action);
    // Empty texts: no certificate lines, no trust button.
    void setCertificate(const std::string& text, const std::string& trustAction);

private:
    Gtk::Image icon_;
    Gtk::Label title_;
    Gtk::Label detail_;
    Gtk::Label certificate_;
    Gtk::Box buttons_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Button action_;
    Gtk::Button trust_;
};

}  // namespace corvina
