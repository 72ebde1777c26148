#pragma once
#include <string>

#include <gtkmm/widget.h>

namespace corvina {

// The name screen readers announce for a control.
void setAccessibleLabel(Gtk::Widget& widget, const std::string& label);

}  // namespace corvina
