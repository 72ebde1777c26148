#include "widgets/Accessibility.hpp"

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>
#include <gtkmm/shortcutcontroller.h>

namespace corvina {

void setAccessibleLabel(Gtk::Widget& widget, const std::string& label) {
    gtk_accessible_update_property(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL, label.c_str(), -1);
}

void nameAfter(Gtk::Widget& control, Gtk::Widget& label) {
    gtk_accessible_update_relation(GTK_ACCESSIBLE(control.gobj()), GTK_ACCESSIBLE_RELATION_LABELLED_BY, label.gobj(),
                                   nullptr, -1);
}

void closeOnEscape(Gtk::Widget& area, std::function<void()> close) {
    auto escape = Gtk::ShortcutController::create();
    escape->add_shortcut(Gtk::Shortcut::create(Gtk::KeyvalTrigger::create(GDK_KEY_Escape),
                                               Gtk::CallbackAction::create([close](Gtk::Widget&, const Glib::VariantBase&) {
                                                   close();
                                                   return true;
                                               })));
    area.add_controller(escape);
}

}  // namespace corvina
