#pragma once
#include <string>

#include <gtk/gtk.h>
#include <gtkmm/button.h>

namespace corvina::testing {

// What a pointer click does, at once (keyboard activation waits for the pressed look).
void click(Gtk::Button& button);

// The file chooser dialog that is open now, if any.
GtkFileChooser* openChooser();

// Whether screen readers get `name` for the widget (needs GTK's test backend).
bool announcedAs(Gtk::Widget& widget, const std::string& name);

// Names for screen readers are kept only where an accessibility backend runs, and the test
// display runs none: such checks run again in a child process with GTK's test backend.
bool screenReaderBackendRuns();
void expectPassWithTestBackend();

}  // namespace corvina::testing
