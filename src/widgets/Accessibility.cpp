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

namespace {

void hideStackPages(GtkStack* stack) {
    GtkWidget* shown = gtk_stack_get_visible_child(stack);
    for (GtkWidget* child = gtk_widget_get_first_child(GTK_WIDGET(stack)); child; child = gtk_widget_get_next_sibling(child)) {
        gtk_accessible_update_state(GTK_ACCESSIBLE(child), GTK_ACCESSIBLE_STATE_HIDDEN, child != shown, -1);
        // The page object stands in the tree above its widget.
        GtkStackPage* page = gtk_stack_get_page(stack, child);
        if (page && GTK_IS_ACCESSIBLE(page))
            gtk_accessible_update_state(GTK_ACCESSIBLE(page), GTK_ACCESSIBLE_STATE_HIDDEN, child != shown, -1);
    }
}

void hideUnrevealed(GtkRevealer* revealer) {
    GtkWidget* child = gtk_revealer_get_child(revealer);
    const bool away = !gtk_revealer_get_reveal_child(revealer) && !gtk_revealer_get_child_revealed(revealer);
    if (child) gtk_accessible_update_state(GTK_ACCESSIBLE(child), GTK_ACCESSIBLE_STATE_HIDDEN, away, -1);
}

}  // namespace

void announceOnlyWhileRevealed(Gtk::Revealer& revealer) {
    for (const char* change : {"notify::reveal-child", "notify::child-revealed", "notify::child"})
        g_signal_connect(revealer.gobj(), change,
                         G_CALLBACK(+[](GtkRevealer* changed, GParamSpec*, gpointer) { hideUnrevealed(changed); }), nullptr);
    hideUnrevealed(revealer.gobj());
}

void announceShownPageOnly(Gtk::Stack& stack) {
    g_signal_connect(stack.gobj(), "notify::visible-child",
                     G_CALLBACK(+[](GtkStack* changed, GParamSpec*, gpointer) { hideStackPages(changed); }), nullptr);
    hideStackPages(stack.gobj());
}

}  // namespace corvina
