#pragma once
#include <functional>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

namespace corvina {

// What a pane shows over a page that stopped or could not be reached: what happened, in
// plain words, and one button to load it again. Texts are shown as they are, never as markup.
class PageTroubleView : public Gtk::Box {
public:
    explicit PageTroubleView(std::function<void()> onAction);

    // Without an action text there is no button: nothing would help.
    void setTexts(const std::string& title, const std::string& detail, const std::string& action);

private:
    Gtk::Image icon_;
    Gtk::Label title_;
    Gtk::Label detail_;
    Gtk::Button action_;
};

}  // namespace corvina
