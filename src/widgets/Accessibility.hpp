#pragma once
#include <functional>
#include <string>

#include <gtkmm/widget.h>

namespace corvina {

// The name screen readers announce for a control.
void setAccessibleLabel(Gtk::Widget& widget, const std::string& label);
// A control whose text sits inside a box of its content is named by that text, and
// renamed whenever the text changes.
void nameAfter(Gtk::Widget& control, Gtk::Widget& label);
// Escape with the keyboard focus inside `area` runs `close` (the innermost area first).
void closeOnEscape(Gtk::Widget& area, std::function<void()> close);

}  // namespace corvina
