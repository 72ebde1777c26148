#include "pane/PaneLayers.hpp"

#include <gtk/gtk.h>

#include <utility>

namespace corvina {

PaneLayers::PaneLayers() {
    gtk_widget_set_layout_manager(GTK_WIDGET(gobj()), gtk_bin_layout_new());
    set_hexpand(true);
    set_vexpand(true);
}

PaneLayers::~PaneLayers() {
    release(shown_);
    release(prepared_);
    while (GtkWidget* child = gtk_widget_get_first_child(GTK_WIDGET(gobj()))) gtk_widget_unparent(child);
}

void PaneLayers::add(GtkWidget* page) {
    gtk_widget_set_child_visible(page, FALSE);
    gtk_widget_set_visible(page, !concealed_);
    gtk_widget_insert_after(page, GTK_WIDGET(gobj()), nullptr);
    announce(page);
}

void PaneLayers::remove(GtkWidget* page) {
    if (!owns(page)) return;
    gtk_widget_unparent(page);
    gtk_widget_set_visible(page, TRUE);
}

void PaneLayers::show(GtkWidget* page) {
    if (page == shown_ && owns(page)) return;
    release(shown_);
    if (page == prepared_) {
        g_object_unref(prepared_);
        prepared_ = nullptr;
    }
    shown_ = GTK_WIDGET(g_object_ref(page));
    // The last child is drawn last, over the others, and is picked first.
    gtk_widget_insert_before(page, GTK_WIDGET(gobj()), nullptr);
    gtk_widget_set_can_target(page, TRUE);
    gtk_widget_set_can_focus(page, TRUE);
    reveal(page);
    announce(page);
}

void PaneLayers::prepare(GtkWidget* page) {
    if (page && (page == shown_ || (page == prepared_ && owns(page)))) return;
    release(prepared_);
    if (!page) return;
    prepared_ = GTK_WIDGET(g_object_ref(page));
    if (owns(shown_)) gtk_widget_insert_before(page, GTK_WIDGET(gobj()), shown_);
    // Covered: neither clicks nor keyboard focus may reach it.
    gtk_widget_set_can_target(page, FALSE);
    gtk_widget_set_can_focus(page, FALSE);
    reveal(page);
    announce(page);
}

void PaneLayers::setConcealed(bool concealed) {
    if (concealed == concealed_) return;
    concealed_ = concealed;
    // Hidden, not only left out of the layout: a page shown again is laid out anew, and the
    // engine draws it whole. Left out of the layout alone, it comes back blank until the
    // window's size changes.
    for (GtkWidget* page = gtk_widget_get_first_child(GTK_WIDGET(gobj())); page;
         page = gtk_widget_get_next_sibling(page)) {
        gtk_widget_set_visible(page, !concealed);
        announce(page);
    }
}

void PaneLayers::reveal(GtkWidget* page) {
    gtk_widget_set_child_visible(page, TRUE);
}

// Screen readers meet only the page on top: those under it are out of sight, though kept.
void PaneLayers::announce(GtkWidget* page) {
    gtk_accessible_update_state(GTK_ACCESSIBLE(page), GTK_ACCESSIBLE_STATE_HIDDEN, concealed_ || page != shown_, -1);
}

GtkWidget* PaneLayers::shown() const { return owns(shown_) ? shown_ : nullptr; }

bool PaneLayers::owns(GtkWidget* page) const {
    return page && gtk_widget_get_parent(page) == gobj();
}

// Pages may leave this pane behind its back (their owner destroys them): hold a reference
// while one is shown or made ready, and hide it only while it is still ours.
void PaneLayers::release(GtkWidget*& page) {
    if (!page) return;
    GtkWidget* released = std::exchange(page, nullptr);
    if (owns(released)) {
        gtk_widget_set_child_visible(released, FALSE);
        announce(released);
    }
    g_object_unref(released);
}

}  // namespace corvina
