#pragma once
#include <adwaita.h>
#include <gtkmm/button.h>

#include "platform/Observable.hpp"
#include "ui/ShortcutField.hpp"
#include "web/AppContext.hpp"
#include "web/GlobalKey.hpp"

namespace corvina {

// The settings window's group for the key that shows and hides the window: the key, how it
// works here or why it does not, and what the user can do about it (add it to GNOME's
// keyboard shortcuts, or copy the command to bind).
class GlobalKeySettings {
public:
    GlobalKeySettings(AppContext& context, GlobalKey& key);

    // The window owns it.
    GtkWidget* group() const { return GTK_WIDGET(group_); }
    ShortcutField& field() { return field_; }
    Gtk::Button& addButton() { return add_; }
    Gtk::Button& removeButton() { return remove_; }
    Gtk::Button& copyButton() { return copy_; }
    // The text under the key's title.
    std::string statusText() const;

private:
    void refresh();

    AppContext& context_;
    GlobalKey& key_;
    AdwPreferencesGroup* group_;
    AdwActionRow* keyRow_;
    AdwActionRow* gnomeRow_;
    AdwActionRow* commandRow_;
    ShortcutField field_;
    Gtk::Button add_;
    Gtk::Button remove_;
    Gtk::Button copy_;
    Connections connections_;
};

}  // namespace corvina
