#pragma once
#include <functional>
#include <string>

#include <gtkmm/button.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/shortcutlabel.h>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// A button showing a key. Clicked, it takes the next key pressed with Ctrl, Alt or Super (or
// a function key) as the new key; Backspace clears it, Escape or leaving keeps the old one.
class ShortcutField {
public:
    struct Events {
        std::function<void(const std::string& accelerator)> chosen;
        // The field starts or stops taking keys.
        std::function<void(bool)> choosing;
    };

    explicit ShortcutField(Events events);

    Gtk::Button& widget() { return button_; }
    bool choosing() const { return choosing_; }
    void show(const std::string& accelerator, AppLanguage language);

private:
    bool keyPressed(guint keyval, Gdk::ModifierType state);
    void setChoosing(bool choosing);
    void refresh();

    Events events_;
    Gtk::Button button_;
    Gtk::ShortcutLabel label_;
    Glib::RefPtr<Gtk::EventControllerKey> keys_;
    std::string accelerator_;
    AppLanguage language_ = AppLanguage::en;
    bool choosing_ = false;
    Connections connections_;
};

}  // namespace corvina
