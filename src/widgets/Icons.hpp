#pragma once
#include <string>

#include <gtkmm/image.h>

#include "app/AITab.hpp"

namespace corvina {

// Shows a named interface symbol ("chevron.left", "d.circle.fill"); it takes the text colour.
void showSymbol(Gtk::Image& image, const std::string& symbolName, int size);
// Shows a tab's icon: custom tags' letter symbols, or our image of a built-in service.
void showTabIcon(Gtk::Image& image, const AITab& tab, int size);

}  // namespace corvina
