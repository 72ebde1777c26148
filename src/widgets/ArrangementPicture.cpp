#include "widgets/ArrangementPicture.hpp"

namespace corvina {

ArrangementPicture::ArrangementPicture(int columns, int rows) {
    add_css_class("arrangement-picture");
    set_row_homogeneous(true);
    set_column_homogeneous(true);
    set_row_spacing(2);
    set_column_spacing(2);
    set_halign(Gtk::Align::CENTER);
    // A picture, not a control: the button around it carries the name.
    set_can_target(false);
    gtk_accessible_update_state(GTK_ACCESSIBLE(gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE, -1);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            auto cell = std::make_unique<Gtk::Box>();
            cell->add_css_class("arrangement-cell");
            cell->set_hexpand(true);
            cell->set_vexpand(true);
            attach(*cell, column, row);
            cells_.push_back(std::move(cell));
        }
}

}  // namespace corvina
