#pragma once
#include <functional>
#include <string>

#include <gtkmm/revealer.h>
#include <gtkmm/stack.h>
#include <gtkmm/widget.h>

namespace corvina {

// The name screen readers announce for a control.
void setAccessibleLabel(Gtk::Widget& widget, const std::string& label);
// A control whose text sits inside a box of its content is named by that text, and
// renamed whenever the text changes.
void nameAfter(Gtk::Widget& control, Gtk::Widget& label);
// Escape with the keyboard focus inside `area` runs `close` (the innermost area first).
void closeOnEscape(Gtk::Widget& area, std::function<void()> close);
// Screen readers meet only the page the stack shows; the others are kept, out of sight.
void announceShownPageOnly(Gtk::Stack& stack);
// A revealer's child is gone for screen readers once it has slid away, back as it comes.
void announceOnlyWhileRevealed(Gtk::Revealer& revealer);

}  // namespace corvina
