#pragma once
#include <memory>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/grid.h>

namespace corvina {

// A small picture of a window divided into `columns` × `rows` panes, each cell drawn as
// the panes' outlines are (the style sheet's .arrangement-cell).
class ArrangementPicture : public Gtk::Grid {
public:
    ArrangementPicture(int columns, int rows);

private:
    std::vector<std::unique_ptr<Gtk::Box>> cells_;
};

}  // namespace corvina
