#pragma once
#include <string>

#include <gtkmm/image.h>

namespace corvina {

// Shows a named interface symbol ("chevron.left", "d.circle.fill"); it takes the text colour.
void showSymbol(Gtk::Image& image, const std::string& symbolName, int size);
// Shows a service's icon: a symbol (custom tags' letters), or our image of a built-in service.
enum class IconKind { symbol, serviceImage };
void showServiceIcon(Gtk::Image& image, const std::string& icon, IconKind kind, int size);

}  // namespace corvina
