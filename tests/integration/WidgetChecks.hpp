#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtk/gtk.h>
#include <gtkmm/button.h>

namespace corvina::testing {

// What a pointer click does, at once (keyboard activation waits for the pressed look).
void click(Gtk::Button& button);

// A real click from the X server (xdotool's button number) at a point of a shown widget,
// in the widget's own coordinates.
void clickWithPointer(Gtk::Widget& widget, double x, double y, int button = 1);

// The colour on screen (0xRRGGBB) at a point of a shown widget, in the widget's own
// coordinates, as the X server shows it: what the user sees, not what the widget believes.
std::optional<unsigned long> screenColourAt(Gtk::Widget& widget, double x, double y);

// Moves the real pointer to a point of the screen, as a user's hand would.
void movePointer(double x, double y);
// Hands the widget's capturing file-drop handler a list of one file, as a drag from a file
// manager would; whether the handler took it.
bool dropFileOn(GtkWidget* widget);

// The widgets of `type` inside `root` (itself included), in the order a depth-first walk
// meets them: a test reaches controls as the user does, without accessors for tests.
std::vector<GtkWidget*> widgetsOfType(Gtk::Widget& root, GType type);

// The file chooser dialog that is open now, if any.
GtkFileChooser* openChooser();

// Whether a gtk_test_accessible_check_* call found no mismatch (frees its answer).
bool passes(char* mismatch);

// Whether screen readers get `name` for the widget (needs GTK's test backend).
bool announcedAs(Gtk::Widget& widget, const std::string& name);

// The widgets of `expected` screen readers do not get the paired name for, listed.
std::string misnamed(std::initializer_list<std::pair<Gtk::Widget*, std::string>> expected);

// Names for screen readers are kept only where an accessibility backend runs, and the test
// display runs none: such checks run again in a child process with GTK's test backend.
bool screenReaderBackendRuns();
void expectPassWithTestBackend();

}  // namespace corvina::testing
